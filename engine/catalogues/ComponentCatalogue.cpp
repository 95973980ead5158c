#include "catalogues/ComponentCatalogue.h"

#include "platform/Platform.h"

namespace orven::catalogues {

Component::Component(int index, const ComponentCatalogue& catalogue)
    : index_(index >= 0 && index < catalogue.size() ? index : -1) {}

bool ComponentCatalogue::add(const CatalogueEntry& entry) {
    if (size() >= kCapacity)
        return false;
    rows_.push_back(entry);
    return true;
}

bool ComponentCatalogue::parseComponentLine(std::string_view line, CatalogueEntry& entry) {
    if (line.size() < 5)
        return false;
    PlatformCategory category = PlatformCategory::fromLetter(line[0]);
    if (category.isNone())
        return false;
    // The identifier (category letter included) runs up to the first comma and
    // has at least five characters, as the generators' lookups require.
    std::size_t comma = line.find(',');
    if (comma == std::string_view::npos || comma < 5)
        return false;
    std::size_t open = line.find('"');
    if (open == std::string_view::npos)
        return false;
    std::size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos)
        return false;
    entry.category = category;
    entry.identifier = std::string(line.substr(0, comma));
    entry.name = std::string(line.substr(open + 1, close - open - 1));
    return true;
}

bool ComponentCatalogue::LoadComponents(const std::string& path) {
    rows_.clear();
    platform::File file = platform::openForReading(platform::enginePath(path));
    if (!file)
        return false;
    std::string line;
    bool tooLong = false;
    for (;;) {
        int c = std::fgetc(file.get());
        if (c != EOF && c != '\n') {
            if (line.size() < kMaxLineLength) {
                line.push_back(static_cast<char>(c));
            } else {
                tooLong = true;
            }
            continue;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // The first empty line (or the end of the file) ends the components.
        if (line.empty() && !tooLong)
            return !std::ferror(file.get());
        if (tooLong)
            return false;
        if (line[0] != '#' && line[0] != '+') {
            CatalogueEntry entry;
            if (!parseComponentLine(line, entry))
                return false;
            if (!add(entry))
                return false;  // more components than the capacity
        }
        if (c == EOF)
            return !std::ferror(file.get());
        line.clear();
    }
}

std::vector<Component> ComponentCatalogue::ComponentsOfCategory(PlatformCategory category) const {
    std::vector<Component> list;
    for (int i = 0; i < size(); ++i) {
        if (rows_[i].category == category)
            list.emplace_back(i, *this);
    }
    return list;
}

Component ComponentCatalogue::componentOfCategoryAt(PlatformCategory category, int position) const {
    if (position < 0 || category.isNone())
        return {};
    for (int i = 0; i < size(); ++i) {
        if (rows_[i].category == category && position-- == 0)
            return Component(i, *this);
    }
    return {};
}

int ComponentCatalogue::positionInCategory(Component component) const {
    if (component.isNone() || component.index() >= size())
        return -1;
    PlatformCategory category = rows_[component.index()].category;
    int position = 0;
    for (int i = 0; i < component.index(); ++i) {
        if (rows_[i].category == category)
            ++position;
    }
    return position;
}

Component ComponentCatalogue::ComponentFromIdentifier(std::string_view text) const {
    if (text.size() < 5)
        return {};
    PlatformCategory category = PlatformCategory::fromLetter(text[0]);
    if (category.isNone())
        return {};
    std::string_view identifier = text.substr(0, text.find(','));
    for (int i = 0; i < size(); ++i) {
        if (rows_[i].category == category && rows_[i].identifier == identifier) {
            return Component(i, *this);
        }
    }
    return {};
}

Component ComponentCatalogue::componentWithIdentifier(std::string_view identifier) const {
    for (int i = 0; i < size(); ++i) {
        if (rows_[i].identifier == identifier)
            return Component(i, *this);
    }
    return {};
}

PlatformCategory ComponentCatalogue::ComponentCategory(Component component) const {
    if (component.isNone() || component.index() >= size())
        return {};
    return rows_[component.index()].category;
}

std::string ComponentCatalogue::ComponentDisplayName(Component component) const {
    if (component.isNone() || component.index() >= size())
        return "- No Platform -";
    return rows_[component.index()].name;
}

std::string ComponentCatalogue::identifierOf(Component component) const {
    if (component.isNone() || component.index() >= size())
        return "-";
    return rows_[component.index()].identifier;
}

std::string ComponentCatalogue::textualForm(Component component) const {
    return "(" + identifierOf(component) + ")";
}

bool ComponentCatalogue::readComponent(std::string_view text, std::size_t& pos,
                                       Component& out) const {
    out = Component();
    if (!skipPast(text, pos, '('))
        return false;
    if (pos < text.size() && text[pos] == '-')
        return skipPast(text, pos, ')');
    std::size_t start = pos;
    if (!skipPast(text, pos, ')'))
        return false;
    out = componentWithIdentifier(text.substr(start, pos - 1 - start));
    return true;
}

}  // namespace orven::catalogues
