// A module's store of external files: private copies of the files that its
// external entries name, kept as temporary files in the engine's externals
// directory, and embedded into (and extracted from) the appendix of a
// module file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orven::platform {
class File;
}

namespace orven::model {

class TemporaryExternals {
  public:
    struct Record {
        std::string name;           // the name by which entries refer to the copy
        std::string temporaryPath;  // full name of the temporary file
        std::uint64_t size = 0;     // size of the file when it was stored
    };

    // Size of one record of the appendix table: 128 bytes of name, position
    // and size.
    static constexpr std::uint64_t kRecordSize = 136;
    static constexpr std::size_t kNameField = 128;

    // "/" in the directory become "\".
    TemporaryExternals(std::string_view directory, std::string_view groupName);
    // Deletes every temporary file of the store.
    virtual ~TemporaryExternals();
    TemporaryExternals(const TemporaryExternals&) = delete;
    TemporaryExternals& operator=(const TemporaryExternals&) = delete;

    const std::string& directory() const { return directory_; }
    const std::string& groupName() const { return groupName_; }
    const std::vector<Record>& records() const { return records_; }
    std::size_t size() const { return records_.size(); }

    // The next temporary file name that names no existing file, such as
    // externals\xtrnl_0.tmp. The numbers come from one counter for the
    // whole process and are never reused.
    std::string newTemporaryName();

    // Copies path + "/" + name into a new temporary file and appends its
    // record; false (and no record, no temporary file) when a file cannot be
    // opened or the copy fails.
    bool addFile(std::string_view path, std::string_view name);

    // Position of the first record with that name, -1 when there is none.
    int indexOf(std::string_view name) const;

    // Takes the record out and deletes its temporary file; false for a
    // position out of range or a file that cannot be deleted (the record is
    // gone all the same).
    bool removeAt(std::size_t position);

    // Copies the record's file to directory + "/" + name, replacing a file of
    // that name. Refused for a position out of range and for a name that
    // would lead out of the directory (see isPlainFileName).
    bool copyOut(std::size_t position, std::string_view directory, std::string_view name) const;

    void removeAll();

    // Replaces the records by the files embedded in the appendix of a module
    // file that starts at the given position. Counts, positions and sizes are
    // checked against the file's real size; any failure leaves the store
    // empty and gives false.
    bool extract(std::string_view moduleFile, std::uint64_t position);

    // Writes the appendix at the position of an open file: the count, the
    // table, then every file's bytes. False on any write or read failure, or
    // when a position would not fit the 32-bit fields.
    bool appendTo(platform::File& out, std::uint64_t position) const;
    // The same into an existing file.
    bool appendTo(std::string_view moduleFile, std::uint64_t position) const;

    // Resets the process-wide temporary-name counter (for tests only).
    static void resetCounterForTests();

  private:
    bool ensureDirectory() const;

    std::string directory_;
    std::string groupName_;
    std::vector<Record> records_;
};

}  // namespace orven::model
