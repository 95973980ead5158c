// Dependencies of a module on services of other modules.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/TimeRestriction.h"

namespace orven::model {

// A requested service of another module; an empty service name means the
// module as a whole. Two dependencies are the same when both names are
// equal (the time restriction is not compared).
class ModuleDependency {
  public:
    ModuleDependency() = default;
    ModuleDependency(std::string moduleName, std::string serviceName,
                     TimeRestriction restriction = {})
        : moduleName_(std::move(moduleName)),
          serviceName_(std::move(serviceName)),
          timeRestriction_(restriction) {}
    virtual ~ModuleDependency() = default;
    ModuleDependency(const ModuleDependency&) = default;
    ModuleDependency& operator=(const ModuleDependency&) = default;

    const std::string& moduleName() const { return moduleName_; }
    const std::string& serviceName() const { return serviceName_; }
    const TimeRestriction& timeRestriction() const { return timeRestriction_; }
    void setTimeRestriction(const TimeRestriction& r) { timeRestriction_ = r; }

    bool sameAs(std::string_view moduleName, std::string_view serviceName) const {
        return moduleName_ == moduleName && serviceName_ == serviceName;
    }

  private:
    std::string moduleName_;
    std::string serviceName_;
    TimeRestriction timeRestriction_;
};

// Whether a module or service name can stand in a dependency: a name
// (isValidName), since the module file writes it between brackets.
bool isValidDependencyName(std::string_view name);

// Dependencies in insertion order, without duplicates.
class DependencyList {
  public:
    DependencyList() = default;
    virtual ~DependencyList() = default;
    DependencyList(const DependencyList&) = default;
    DependencyList& operator=(const DependencyList&) = default;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // The dependency at position k; none when k is out of range.
    const ModuleDependency* at(std::size_t k) const;
    bool contains(std::string_view moduleName, std::string_view serviceName) const;

    // Appends; refused (false) when the same dependency is listed or a name
    // is not valid.
    bool add(const ModuleDependency& dependency);
    // False when k is out of range.
    bool removeAt(std::size_t k);
    void clear() { entries_.clear(); }

    // The distinct module names in the order of their first occurrence.
    std::vector<std::string> dependedModules() const;

    std::vector<ModuleDependency>::const_iterator begin() const { return entries_.begin(); }
    std::vector<ModuleDependency>::const_iterator end() const { return entries_.end(); }

  private:
    std::vector<ModuleDependency> entries_;
};

}  // namespace orven::model
