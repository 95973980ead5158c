#include "codegen/ModuleNames.h"

#include "macroscript/TextFunctions.h"
#include "model/GroupOfServices.h"
#include "model/OxaModule.h"
#include "model/Service.h"

namespace orven::codegen {

std::string moduleBaseName(std::string_view moduleName) {
    return "OXA_" + macroscript::ConvertToIdentifier(moduleName);
}

std::string implementationName(std::string_view moduleName) {
    return moduleBaseName(moduleName) + "_i";
}

std::string clientHeaderStem(std::string_view moduleName) {
    return moduleBaseName(moduleName) + "C";
}

bool isHandler(const model::Service& service) {
    return service.type() == model::kBetaEventHandler ||
           service.type() == model::kNotificationHandler;
}

bool isMonitor(const model::Service& service) {
    return service.type() == model::kRegularService &&
           (service.characteristics() & model::kMonitor) != 0;
}

bool isCallable(const model::Service& service) {
    return service.type() == model::kRegularService &&
           (service.characteristics() & model::kMonitor) == 0;
}

bool walkServices(const model::OxaModule& module, std::string& error,
                  const std::function<bool(const ServiceVisit&)>& visit) {
    std::size_t k = 0;
    std::size_t g = 0;
    for (const auto& groupEntry : module.included()) {
        const auto* group = dynamic_cast<const model::GroupOfServices*>(groupEntry.second.get());
        if (group == nullptr) {
            error = "Group of services not found";
            return false;
        }
        std::size_t s = 0;
        for (const auto& serviceEntry : group->included()) {
            const auto* service = dynamic_cast<const model::Service*>(serviceEntry.second.get());
            if (service == nullptr) {
                error = "Service not found";
                return false;
            }
            if (!visit(ServiceVisit{*group, g, *service, s, k}))
                return false;
            ++s;
            ++k;
        }
        ++g;
    }
    return true;
}

}  // namespace orven::codegen
