// A module's deportabilization: for every general platform, the set of
// non-portable components its code relies on.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/ComponentCatalogue.h"

namespace orven::catalogues {

class Deportabilization {
  public:
    // One empty set for each of the five general platforms.
    Deportabilization();

    bool IsSelected(Component component, const ComponentCatalogue& catalogue) const;
    // False when already selected or when the component has no category.
    bool Select(Component component, const ComponentCatalogue& catalogue);
    // False when the component is not selected.
    bool Deselect(Component component);
    // Empties one platform's set.
    void clearCategory(PlatformCategory category);
    // The selected components of one platform, in catalogue order.
    std::vector<Component> SelectedOfCategory(PlatformCategory category) const;
    bool empty() const;

    // [{(H):0|}{(E):1|(E0000)}{(R):0|}{(F):0|}{(C):0|}]
    std::string textualForm(const ComponentCatalogue& catalogue) const;
    // Reads a textual form at pos. Components that the catalogue does not know
    // are dropped. False when the text ends before the form is complete.
    static bool read(std::string_view text, std::size_t& pos, const ComponentCatalogue& catalogue,
                     Deportabilization& out);

    bool operator==(const Deportabilization& other) const;

  private:
    std::map<PlatformCategory, std::set<Component>> selected_;
};

}  // namespace orven::catalogues
