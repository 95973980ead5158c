// The external entries of a module: three ordered lists (external data,
// external code, external passive) and the module's store of the files they
// name, kept in step with the lists.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/ExternalEntry.h"
#include "model/TemporaryExternals.h"

namespace orven::model {

using ExternalList = std::vector<ExternalEntry>;

// The kinds by which the lists are selected; kind 2 (entries read from a
// project file) is kept by the engine, not by a module.
enum ExternalKind : int {
    kExternalData = 0,
    kExternalCode = 1,
    kReadExternals = 2,
    kExternalPassive = 3,
};

// The group name of every module's store.
inline constexpr const char* kExternalsGroupName = "xtrnl";

class ModuleExternals {
  public:
    // Without a store.
    ModuleExternals() = default;
    // With a store when both the directory and the group name are non-empty.
    ModuleExternals(std::string_view externalsDirectory, std::string_view groupName);
    virtual ~ModuleExternals() = default;
    ModuleExternals(const ModuleExternals&) = delete;
    ModuleExternals& operator=(const ModuleExternals&) = delete;
    ModuleExternals(ModuleExternals&&) = default;
    ModuleExternals& operator=(ModuleExternals&&) = default;

    static bool isModuleKind(int kind) {
        return kind == kExternalData || kind == kExternalCode || kind == kExternalPassive;
    }

    // The list of a kind (0, 1 or 3); an empty list for any other kind.
    const ExternalList& list(int kind) const;
    ExternalList externalList(int kind) const { return list(kind); }

    // Replaces the list of a kind as a whole and keeps the store in step:
    // new names are copied into the store, removed names leave it. Refused
    // (false, nothing changed) for another kind, for an entry that the module
    // file could not hold, for a name that occurs twice, for a removed name
    // without stored copy, or for a file that cannot be copied.
    bool setExternalList(int kind, ExternalList list);

    // Sets a list without touching the store (the module-file reader, which
    // extracts the stored copies afterwards).
    bool assignList(int kind, ExternalList list);

    bool hasStore() const { return store_ != nullptr; }
    TemporaryExternals* store() { return store_.get(); }
    const TemporaryExternals* store() const { return store_.get(); }
    // Replaces the store by a new empty one (false when either text is
    // empty; the module then has no store).
    bool createStore(std::string_view externalsDirectory, std::string_view groupName);

    // Appends a new entry (position at or beyond the list's end) or replaces
    // the entry at the position; the date is taken from the file path + "//"
    // + name. A replacement stores the file's current content again; when
    // that fails, the old entry and its stored copy stay.
    bool changeEntry(int kind, std::size_t position, std::string_view path, std::string_view name);

    // Removes the entry at the position, or every entry of the kind when
    // the position is at or beyond the list's end.
    bool deleteEntry(int kind, std::size_t position);

    // 1 when the file of the entry is unchanged since its date, 0 when it was
    // modified later, 2 when it cannot be examined.
    int checkModification(int kind, std::size_t position) const;

    // Writes the stored copies of the kind's entries into a directory under
    // their names; the first failure ends the copying.
    bool copyOut(int kind, std::string_view directory) const;

  private:
    ExternalList* mutableList(int kind);

    ExternalList data_;
    ExternalList code_;
    ExternalList passive_;
    std::unique_ptr<TemporaryExternals> store_;
};

// The modification time of a file as an entry stores it; false when the
// file cannot be opened as an existing file.
bool entryDateOfFile(std::string_view path, std::uint32_t& date);

// The modification check of one entry: 1 when its file at path + "\" +
// name is not newer than the entry's date, 0 when it is, 2 when the file
// cannot be opened as an existing file.
int checkEntryModification(const ExternalEntry& entry);

// Appends (position at or beyond the end) or replaces an entry of a list
// that has no store behind it (the read-externals list); false for an
// appended name already present.
bool changePlainEntry(ExternalList& list, std::size_t position, const ExternalEntry& entry);

// Reads the external code entries of a project file: every "SOURCE=" line
// whose source has the extension cpp, CPP, c or C. False, with the list
// empty, for a file without the extension DSP or dsp or one that cannot be
// opened.
bool readProjectFileSources(std::string_view projectFile, ExternalList& out);

}  // namespace orven::model
