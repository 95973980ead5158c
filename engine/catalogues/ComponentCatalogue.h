// The catalogue of non-portable components, read from the components file
// ("nonportable.cps"), and the Component value that refers to one row.
#pragma once

#include <compare>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/CodificationLanguage.h"

namespace orven::catalogues {

struct CatalogueEntry {
    std::string name;  // the quoted part of the line
    PlatformCategory category;
    std::string identifier;  // the line up to its first comma
};

class ComponentCatalogue;

// One catalogue row by its index; -1 is no component.
class Component {
  public:
    Component() = default;
    // An index outside the catalogue's rows gives no component.
    Component(int index, const ComponentCatalogue& catalogue);

    int index() const { return index_; }
    bool isNone() const { return index_ < 0; }

    bool operator==(const Component&) const = default;
    auto operator<=>(const Component&) const = default;

  private:
    int index_ = -1;
};

class ComponentCatalogue {
  public:
    static constexpr int kCapacity = 1000;
    // Lines longer than this are not component definitions.
    static constexpr std::size_t kMaxLineLength = 4096;

    // Empties the catalogue and reads the components file. False when the file
    // cannot be opened (the catalogue stays empty), on an invalid component
    // line, or when the file defines more components than the capacity; the
    // rows read before the failure stay.
    bool LoadComponents(const std::string& path);

    int size() const { return static_cast<int>(rows_.size()); }
    const std::vector<CatalogueEntry>& rows() const { return rows_; }
    void clear() { rows_.clear(); }
    // Adds a row (used by tests and by the loader); false when full.
    bool add(const CatalogueEntry& entry);

    // Components of one general platform, in catalogue order.
    std::vector<Component> ComponentsOfCategory(PlatformCategory category) const;
    // The component at a position of a platform's list; none when out of range.
    Component componentOfCategoryAt(PlatformCategory category, int position) const;
    // Position of a component in its platform's list, -1 when not there.
    int positionInCategory(Component component) const;

    // Lookup by an identifier text as the generators give them: first
    // character a category letter, at least five characters, identifier up to
    // the first comma.
    Component ComponentFromIdentifier(std::string_view text) const;
    // Lookup by an identifier as a module file stores it: the first row with
    // that identifier.
    Component componentWithIdentifier(std::string_view identifier) const;

    PlatformCategory ComponentCategory(Component component) const;
    std::string ComponentDisplayName(Component component) const;
    std::string identifierOf(Component component) const;

    // "(" identifier ")" or "(-)".
    std::string textualForm(Component component) const;
    // Skips to the first "(", then unless the next character is "-" collects
    // the identifier up to the next ")" and looks it up. False when the text
    // ends before the form is complete.
    bool readComponent(std::string_view text, std::size_t& pos, Component& out) const;

    // Checks one line of the components file (category letter first, an
    // identifier of at least five characters up to the first comma, a name in
    // double quotes); fills entry when it defines a component.
    static bool parseComponentLine(std::string_view line, CatalogueEntry& entry);

  private:
    std::vector<CatalogueEntry> rows_;
};

}  // namespace orven::catalogues
