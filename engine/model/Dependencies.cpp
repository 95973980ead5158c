#include "model/Dependencies.h"

#include <algorithm>

#include "model/TextRules.h"

namespace orven::model {

bool isValidDependencyName(std::string_view name) {
    return isValidName(name);
}

const ModuleDependency* DependencyList::at(std::size_t k) const {
    return k < entries_.size() ? &entries_[k] : nullptr;
}

bool DependencyList::contains(std::string_view moduleName, std::string_view serviceName) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const ModuleDependency& d) {
        return d.sameAs(moduleName, serviceName);
    });
}

bool DependencyList::add(const ModuleDependency& dependency) {
    if (!isValidDependencyName(dependency.moduleName()) ||
        !isValidDependencyName(dependency.serviceName())) {
        return false;
    }
    if (contains(dependency.moduleName(), dependency.serviceName()))
        return false;
    entries_.push_back(dependency);
    return true;
}

bool DependencyList::removeAt(std::size_t k) {
    if (k >= entries_.size())
        return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(k));
    return true;
}

std::vector<std::string> DependencyList::dependedModules() const {
    std::vector<std::string> modules;
    for (const ModuleDependency& d : entries_) {
        if (std::find(modules.begin(), modules.end(), d.moduleName()) == modules.end()) {
            modules.push_back(d.moduleName());
        }
    }
    return modules;
}

}  // namespace orven::model
