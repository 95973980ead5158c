// A group of services of a module; it includes its services by name.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "model/DesignObject.h"
#include "model/Service.h"

namespace orven::model {

class OxaModule;

class GroupOfServices : public ContainerObject {
  public:
    GroupOfServices(std::string name, std::string description);
    ~GroupOfServices() override;

    std::string heading() const override { return "Group of Services: "; }
    std::string typeTag() const override { return "SGr"; }

    // The module that includes the group, or none.
    OxaModule* module() const;

    std::size_t serviceCount() const { return includedCount(); }
    Service* findService(std::string_view name) const { return findIncludedAs<Service>(name); }
    // The service at position k in name order, or none.
    Service* serviceAt(std::size_t k) const;
    // A new service with that name and description: none when the name is
    // invalid or taken.
    Service* addService(std::string name, std::string description);
    // Removes and deletes the service; false when there is none.
    bool removeService(std::string_view name) { return erase(name); }
    // Renames a service and replaces its description (rename rules of
    // ContainerObject::renameIncluded).
    bool renameService(std::string_view oldName, std::string_view newName, std::string description);

  protected:
    bool accepts(const LinkedObject& object) const override;
};

}  // namespace orven::model
