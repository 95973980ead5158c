#include "model/ExternalEntry.h"

namespace orven::model {

ExternalEntry::ExternalEntry(std::string_view path, std::string_view name, std::uint32_t date)
    : name_(name), date_(date) {
    setPath(path);
}

void ExternalEntry::setPath(std::string_view path) {
    path_.assign(path);
    for (char& c : path_) {
        if (c == '/')
            c = '\\';
    }
}

bool isStorableEntryText(std::string_view text) {
    return text.find_first_of("\n\r[]") == std::string_view::npos;
}

bool isStorableEntry(const ExternalEntry& entry) {
    if (!isStorableEntryText(entry.name()) || entry.name().size() > 127)
        return false;
    if (!entry.pathKnown())
        return true;
    return isStorableEntryText(entry.path()) && entry.path() != "*";
}

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    // A ":" would name a drive on the platforms whose paths the module
    // files carry.
    return name.find_first_of("/\\:") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

}  // namespace orven::model
