#include "model/GroupOfServices.h"

#include "model/OxaModule.h"
#include "model/TextRules.h"

namespace orven::model {

GroupOfServices::GroupOfServices(std::string name, std::string description)
    : ContainerObject(std::move(name), std::move(description)) {}

GroupOfServices::~GroupOfServices() = default;

OxaModule* GroupOfServices::module() const {
    return dynamic_cast<OxaModule*>(link());
}

Service* GroupOfServices::serviceAt(std::size_t k) const {
    return dynamic_cast<Service*>(includedAt(k));
}

Service* GroupOfServices::addService(std::string name, std::string description) {
    if (!isValidName(name) || findIncluded(name) != nullptr)
        return nullptr;
    auto service = std::make_unique<Service>(name, std::move(description));
    Service* raw = service.get();
    if (!include(std::move(service)))
        return nullptr;
    return raw;
}

bool GroupOfServices::renameService(std::string_view oldName, std::string_view newName,
                                    std::string description) {
    if (!renameIncluded(oldName, newName))
        return false;
    findIncluded(newName)->setDescription(std::move(description));
    return true;
}

bool GroupOfServices::accepts(const LinkedObject& object) const {
    return dynamic_cast<const Service*>(&object) != nullptr;
}

}  // namespace orven::model
