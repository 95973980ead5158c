// One external file of a module: where it came from, its name and the
// modification time it had when it was taken into the module.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orven::model {

class ExternalEntry {
  public:
    ExternalEntry() = default;
    ExternalEntry(std::string_view path, std::string_view name, std::uint32_t date = 0);
    virtual ~ExternalEntry() = default;
    ExternalEntry(const ExternalEntry&) = default;
    ExternalEntry& operator=(const ExternalEntry&) = default;
    ExternalEntry(ExternalEntry&&) = default;
    ExternalEntry& operator=(ExternalEntry&&) = default;

    // False only for an entry read from a module file with the path "*".
    bool pathKnown() const { return pathKnown_; }
    void setPathKnown(bool known) { pathKnown_ = known; }

    const std::string& path() const { return path_; }
    // Every "/" of the path becomes "\".
    void setPath(std::string_view path);

    const std::string& name() const { return name_; }
    void setName(std::string_view name) { name_ = std::string(name); }

    // Seconds since 1970-01-01 UTC; 0 when never taken.
    std::uint32_t date() const { return date_; }
    void setDate(std::uint32_t date) { date_ = date; }

    bool operator==(const ExternalEntry& o) const {
        return pathKnown_ == o.pathKnown_ && path_ == o.path_ && name_ == o.name_ &&
               date_ == o.date_;
    }

  private:
    bool pathKnown_ = true;
    std::string path_;
    std::string name_;
    std::uint32_t date_ = 0;
};

// Whether a path or a name can stand in an entry of a module file: the entry
// is written "[path]/[name]@date" on one line, so neither may hold a line
// end or a square bracket.
bool isStorableEntryText(std::string_view text);

// Whether an entry can be kept in a module and its file: path and name
// storable as above, a name that fits the 127 bytes of the appendix's name
// field, and a known path other than "*" (which the file reserves for an
// unknown path).
bool isStorableEntry(const ExternalEntry& entry);

// Whether a name can be used as a plain file name inside a directory: not
// empty, not "." or "..", and without any path separator, so that a file
// written under it stays in that directory.
bool isPlainFileName(std::string_view name);

}  // namespace orven::model
