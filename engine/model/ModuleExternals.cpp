#include "model/ModuleExternals.h"

#include <set>

#include "platform/Platform.h"

namespace orven::model {

namespace {

const ExternalList& emptyList() {
    static const ExternalList empty;
    return empty;
}

bool hasKnownEntryNamed(const ExternalList& list, const std::string& name) {
    for (const ExternalEntry& e : list) {
        if (e.pathKnown() && e.name() == name)
            return true;
    }
    return false;
}

bool hasUnknownEntryNamed(const ExternalList& list, const std::string& name) {
    for (const ExternalEntry& e : list) {
        if (!e.pathKnown() && e.name() == name)
            return true;
    }
    return false;
}

bool hasEntryNamed(const ExternalList& list, std::string_view name) {
    for (const ExternalEntry& e : list) {
        if (e.name() == name)
            return true;
    }
    return false;
}

// The extension of a path: the text after its last "."; empty without "."
// or when the "." is the last character.
std::string_view extensionOf(std::string_view text) {
    std::size_t dot = text.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == text.size())
        return {};
    return text.substr(dot + 1);
}

}  // namespace

ModuleExternals::ModuleExternals(std::string_view externalsDirectory, std::string_view groupName) {
    createStore(externalsDirectory, groupName);
}

bool ModuleExternals::createStore(std::string_view externalsDirectory, std::string_view groupName) {
    store_.reset();
    if (externalsDirectory.empty() || groupName.empty())
        return false;
    store_ = std::make_unique<TemporaryExternals>(externalsDirectory, groupName);
    return true;
}

const ExternalList& ModuleExternals::list(int kind) const {
    switch (kind) {
        case kExternalData:
            return data_;
        case kExternalCode:
            return code_;
        case kExternalPassive:
            return passive_;
        default:
            return emptyList();
    }
}

ExternalList* ModuleExternals::mutableList(int kind) {
    switch (kind) {
        case kExternalData:
            return &data_;
        case kExternalCode:
            return &code_;
        case kExternalPassive:
            return &passive_;
        default:
            return nullptr;
    }
}

bool ModuleExternals::assignList(int kind, ExternalList list) {
    ExternalList* target = mutableList(kind);
    if (target == nullptr)
        return false;
    *target = std::move(list);
    return true;
}

bool ModuleExternals::setExternalList(int kind, ExternalList list) {
    ExternalList* target = mutableList(kind);
    if (target == nullptr)
        return false;
    for (const ExternalEntry& e : list) {
        if (!isStorableEntry(e))
            return false;
    }
    if (!store_) {
        *target = std::move(list);
        return true;
    }
    std::set<std::string> names;
    for (const ExternalEntry& e : list) {
        if (!names.insert(e.name()).second)
            return false;
    }
    const ExternalList& old = *target;
    // Names that leave the list must have their stored copies.
    std::vector<std::string> removed;
    for (const ExternalEntry& e : old) {
        if (!e.pathKnown() || hasKnownEntryNamed(list, e.name()))
            continue;
        if (store_->indexOf(e.name()) < 0)
            return false;
        removed.push_back(e.name());
    }
    // New names are copied first, so that a copy that fails leaves the old
    // list with all of its stored copies.
    const std::size_t before = store_->size();
    for (const ExternalEntry& e : list) {
        if (!e.pathKnown() || hasKnownEntryNamed(old, e.name()))
            continue;
        if (!store_->addFile(e.path(), e.name())) {
            while (store_->size() > before)
                store_->removeAt(store_->size() - 1);
            return false;
        }
    }
    // The copy extracted for an entry of unknown path is needed no longer
    // once no entry of unknown path keeps its name: left behind, it would
    // make the saved module file incoherent.
    for (const ExternalEntry& e : old) {
        if (!e.pathKnown() && !hasUnknownEntryNamed(list, e.name()))
            removed.push_back(e.name());
    }
    // A copy whose temporary file cannot be deleted is still taken out: the
    // list must not go on naming a record that the store no longer holds.
    for (const std::string& name : removed) {
        int at = store_->indexOf(name);
        if (at >= 0)
            store_->removeAt(static_cast<std::size_t>(at));
    }
    *target = std::move(list);
    return true;
}

bool entryDateOfFile(std::string_view path, std::uint32_t& date) {
    platform::FileStatus status = platform::fileStatus(path);
    platform::File f = platform::openExisting(path);
    if (!f)
        return false;
    date = static_cast<std::uint32_t>(status.modificationTime);
    return true;
}

bool changePlainEntry(ExternalList& list, std::size_t position, const ExternalEntry& entry) {
    if (position >= list.size()) {
        if (hasEntryNamed(list, entry.name()))
            return false;
        list.push_back(entry);
        return true;
    }
    list[position] = entry;
    return true;
}

bool ModuleExternals::changeEntry(int kind, std::size_t position, std::string_view path,
                                  std::string_view name) {
    ExternalList* target = mutableList(kind);
    if (target == nullptr)
        return false;
    std::uint32_t date = 0;
    if (!entryDateOfFile(std::string(path) + "//" + std::string(name), date))
        return false;
    ExternalEntry entry(path, name, date);
    ExternalList copy = *target;
    if (position >= copy.size()) {
        if (hasEntryNamed(copy, entry.name()))
            return false;
        copy.push_back(entry);
        return setExternalList(kind, std::move(copy));
    }
    if (!isStorableEntry(entry))
        return false;
    for (std::size_t i = 0; i < copy.size(); ++i) {
        if (i != position && copy[i].name() == entry.name())
            return false;
    }
    const ExternalEntry old = copy[position];
    copy[position] = entry;
    if (!store_) {
        *target = std::move(copy);
        return true;
    }
    // The file's current content is stored again even when the name stays;
    // the old copy goes only once the new one is in the store.
    if (!store_->addFile(entry.path(), entry.name()))
        return false;
    int at = store_->indexOf(old.name());
    if (at >= 0 && static_cast<std::size_t>(at) == store_->size() - 1)
        at = -1;
    if (at < 0 && old.pathKnown()) {
        store_->removeAt(store_->size() - 1);
        return false;
    }
    if (at >= 0)
        store_->removeAt(static_cast<std::size_t>(at));
    *target = std::move(copy);
    return true;
}

bool ModuleExternals::deleteEntry(int kind, std::size_t position) {
    ExternalList* target = mutableList(kind);
    if (target == nullptr)
        return false;
    ExternalList copy = *target;
    if (position < copy.size()) {
        copy.erase(copy.begin() + static_cast<std::ptrdiff_t>(position));
    } else {
        copy.clear();
    }
    return setExternalList(kind, std::move(copy));
}

int checkEntryModification(const ExternalEntry& entry) {
    std::uint32_t date = 0;
    if (!entryDateOfFile(entry.path() + "\\" + entry.name(), date))
        return 2;
    return date > entry.date() ? 0 : 1;
}

int ModuleExternals::checkModification(int kind, std::size_t position) const {
    const ExternalList& l = list(kind);
    if (!isModuleKind(kind) || position >= l.size())
        return 2;
    return checkEntryModification(l[position]);
}

bool ModuleExternals::copyOut(int kind, std::string_view directory) const {
    if (!isModuleKind(kind))
        return false;
    if (!store_)
        return true;
    for (const ExternalEntry& e : list(kind)) {
        if (!e.pathKnown())
            continue;
        int at = store_->indexOf(e.name());
        if (at < 0)
            return false;
        if (!store_->copyOut(static_cast<std::size_t>(at), directory, e.name()))
            return false;
    }
    return true;
}

bool readProjectFileSources(std::string_view projectFile, ExternalList& out) {
    out.clear();
    std::string_view ext = extensionOf(projectFile);
    if (ext != "DSP" && ext != "dsp")
        return false;
    std::string text;
    if (!platform::readWholeFile(projectFile, text))
        return false;
    static constexpr std::string_view kKey = "SOURCE=";
    std::size_t at = 0;
    while ((at = text.find(kKey, at)) != std::string::npos) {
        std::size_t start = at + kKey.size();
        std::size_t end = text.find_first_of("\n\r", start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view source(text.data() + start, end - start);
        std::string_view sext = extensionOf(source);
        if (sext == "cpp" || sext == "CPP" || sext == "c" || sext == "C") {
            std::size_t slash = source.rfind('\\');
            ExternalEntry entry;
            if (slash == std::string_view::npos) {
                entry.setPath(".");
                entry.setName(source);
            } else {
                entry.setPath(source.substr(0, slash));
                entry.setName(source.substr(slash + 1));
            }
            out.push_back(entry);
        }
        if (end >= text.size())
            break;
        at = end + 1;
    }
    return true;
}

}  // namespace orven::model
