#include "catalogues/Deportabilization.h"

namespace orven::catalogues {

Deportabilization::Deportabilization() {
    for (const PlatformCategory& c : PlatformCategory::defined())
        selected_[c];
}

bool Deportabilization::IsSelected(Component component, const ComponentCatalogue& catalogue) const {
    auto it = selected_.find(catalogue.ComponentCategory(component));
    return it != selected_.end() && it->second.count(component) != 0;
}

bool Deportabilization::Select(Component component, const ComponentCatalogue& catalogue) {
    auto it = selected_.find(catalogue.ComponentCategory(component));
    if (it == selected_.end())
        return false;
    return it->second.insert(component).second;
}

bool Deportabilization::Deselect(Component component) {
    for (auto& [category, set] : selected_) {
        if (set.erase(component) != 0)
            return true;
    }
    return false;
}

void Deportabilization::clearCategory(PlatformCategory category) {
    auto it = selected_.find(category);
    if (it != selected_.end())
        it->second.clear();
}

std::vector<Component> Deportabilization::SelectedOfCategory(PlatformCategory category) const {
    auto it = selected_.find(category);
    if (it == selected_.end())
        return {};
    return std::vector<Component>(it->second.begin(), it->second.end());
}

bool Deportabilization::empty() const {
    for (const auto& [category, set] : selected_) {
        if (!set.empty())
            return false;
    }
    return true;
}

bool Deportabilization::operator==(const Deportabilization& other) const {
    for (const PlatformCategory& c : PlatformCategory::defined()) {
        if (SelectedOfCategory(c) != other.SelectedOfCategory(c))
            return false;
    }
    return true;
}

std::string Deportabilization::textualForm(const ComponentCatalogue& catalogue) const {
    std::string text = "[";
    for (const PlatformCategory& c : PlatformCategory::defined()) {
        std::vector<Component> list = SelectedOfCategory(c);
        text += "{" + c.textualForm() + ":" + std::to_string(list.size()) + "|";
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (i > 0)
                text += ",";
            text += catalogue.textualForm(list[i]);
        }
        text += "}";
    }
    text += "]";
    return text;
}

bool Deportabilization::read(std::string_view text, std::size_t& pos,
                             const ComponentCatalogue& catalogue, Deportabilization& out) {
    out = Deportabilization();
    if (!skipPast(text, pos, '['))
        return false;
    for (std::size_t record = 0; record < PlatformCategory::defined().size(); ++record) {
        if (!skipPast(text, pos, '{'))
            return false;
        PlatformCategory category;
        if (!PlatformCategory::read(text, pos, category))
            return false;
        // The count between ":" and "|" is informative: the components are
        // read up to the "}" that closes the record.
        if (!skipPast(text, pos, '|'))
            return false;
        for (;;) {
            if (pos >= text.size())
                return false;
            if (text[pos] == '}') {
                ++pos;
                break;
            }
            if (text[pos] != '(') {
                ++pos;
                continue;
            }
            Component component;
            if (!catalogue.readComponent(text, pos, component))
                return false;
            if (!category.isNone() && catalogue.ComponentCategory(component) == category) {
                out.Select(component, catalogue);
            }
        }
    }
    return skipPast(text, pos, ']');
}

}  // namespace orven::catalogues
