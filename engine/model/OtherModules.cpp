#include "model/OtherModules.h"

#include "model/OxaModule.h"
#include "model/persistence/ModuleFileReader.h"

namespace orven::model {

bool fillWithCallableServices(const OxaModule& module, DependencyList& list) {
    list.clear();
    for (const auto& [groupName, groupObject] : module.included()) {
        const auto* group = dynamic_cast<const GroupOfServices*>(groupObject.get());
        if (group == nullptr)
            continue;
        for (const auto& [serviceName, serviceObject] : group->included()) {
            const auto* service = dynamic_cast<const Service*>(serviceObject.get());
            if (service == nullptr || service->type() != kRegularService ||
                (service->characteristics() & kMonitor) != 0) {
                continue;
            }
            if (!list.add(ModuleDependency(module.name(), service->name(),
                                           service->serverCode().timeRestriction()))) {
                list.clear();
                return false;
            }
        }
    }
    return true;
}

std::unique_ptr<OxaModule> loadOtherModule(std::string_view path,
                                           std::string_view externalsDirectory,
                                           const catalogues::ComponentCatalogue& catalogue) {
    std::unique_ptr<OxaModule> module;
    std::string message;
    if (!persistence::loadModuleFile(path, externalsDirectory, kTemporaryGroupName, catalogue,
                                     module, message)) {
        return nullptr;
    }
    return module;
}

}  // namespace orven::model
