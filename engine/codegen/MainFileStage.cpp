#include "codegen/MainFileStage.h"

#include <algorithm>

#include "codegen/ModuleNames.h"
#include "codegen/StageScript.h"
#include "macroscript/TextFunctions.h"
#include "model/OxaModule.h"

namespace orven::codegen {

namespace {
constexpr std::string_view kZone = "MAIN_FILE";
}

bool MainFileStage::run(std::string& error) {
    const model::OxaModule& module = *context_.module;
    const std::string classname = macroscript::ConvertToIdentifier(module.name());
    StageScript script;
    if (!script.open(context_, context_.resource(kCodeScriptsFile),
                     "File of code macroscripts not found", "Could not create macroscript object",
                     error)) {
        return false;
    }

    std::uint32_t h = 0;  // handlers
    std::uint32_t m = 0;  // monitors
    std::uint32_t d = 0;  // entries of "dependencies_headers"
    std::size_t maxServices = 0;
    for (const auto& entry : module.included()) {
        if (const auto* group = dynamic_cast<const model::GroupOfServices*>(entry.second.get()))
            maxServices = std::max(maxServices, group->serviceCount());
    }

    bool walked = walkServices(module, error, [&](const ServiceVisit& v) {
        const model::Service& service = v.service;
        const std::string g = std::to_string(v.groupPosition);
        const std::string s = std::to_string(v.servicePosition);
        if (service.type() < model::kRegularService ||
            service.type() > model::kNotificationHandler) {
            error = "Invalid type of service (" + std::to_string(service.type()) + ")";
            return false;
        }
        if (isHandler(service)) {
            std::string event;
            service.eventHandlerCode(event);
            std::string producer;
            bool fromOtherModule = service.type() == model::kBetaEventHandler &&
                                   service.eventGeneratorModule(producer) && !producer.empty();
            std::string origin =
                "ORVEN::" +
                (fromOtherModule ? macroscript::ConvertToIdentifier(producer) : classname) +
                "::" + event;
            bool ok = script.repetition(kZone, "betaevents", "betaeventcode", h, origin) &&
                      script.repetition(kZone, "betaevents", "indexofgroup", h, g) &&
                      script.repetition(kZone, "betaevents", "indexofservice", h, s) &&
                      script.repetition(kZone, "betaevents", "betaeventhandler", h,
                                        macroscript::ConvertToIdentifier(service.name()));
            if (!ok) {
                error = "Error registering repetition macros";
                return false;
            }
            ++h;
            if (fromOtherModule) {
                if (!script.repetition(kZone, "dependencies_headers", "corbaChfile", d,
                                       clientHeaderStem(producer))) {
                    error = "Error registering dependencies headers macro";
                    return false;
                }
                ++d;
            }
        } else if (isMonitor(service)) {
            const std::string id = macroscript::ConvertToIdentifier(service.name());
            bool ok = true;
            for (const char* area : {"monitor_routines", "monitor_thread_creation"}) {
                ok = ok && script.repetition(kZone, area, "monitor_service_id", m, id) &&
                     script.repetition(kZone, area, "monitor_service", m, service.name()) &&
                     script.repetition(kZone, area, "indexofgroup", m, g) &&
                     script.repetition(kZone, area, "indexofservice", m, s);
            }
            ok = ok && script.repetition(kZone, "monitor_handles", "themonitorname", m, id) &&
                 script.repetition(kZone, "monitor_thread_completion", "monitorname", m, id);
            if (!ok) {
                error = "Error registering repetition macros";
                return false;
            }
            ++m;
        }
        return true;
    });
    if (!walked)
        return false;

    const std::vector<std::string> depended = module.dependencies().dependedModules();
    std::uint32_t j = 0;
    for (const std::string& name : depended) {
        const std::string id = macroscript::ConvertToIdentifier(name);
        const std::string var = id + "_var";
        bool ok = script.repetition(kZone, "dependencies", "objectname", j, id) &&
                  script.repetition(kZone, "dependencies", "objectvar", j, var) &&
                  script.repetition(kZone, "dependencies_headers", "corbaChfile", d,
                                    clientHeaderStem(name)) &&
                  script.repetition(kZone, "retrieve_deps", "objectname", j, name) &&
                  script.repetition(kZone, "retrieve_deps", "objectvar", j, var) &&
                  script.repetition(kZone, "retrieve_deps", "objectclass", j, id) &&
                  script.repetition(kZone, "depdynreq", "objname", j, name) &&
                  script.repetition(kZone, "depdynreq", "objvar", j, var);
        if (!ok) {
            error = "Error registering dependencies macros";
            return false;
        }
        ++d;
        ++j;
    }

    if (!script.macro("ORVENversion", kOrvenVersion) || !script.macro("OXAname", module.name()) ||
        !script.macro("numberofdeps", std::to_string(depended.size())) ||
        !script.macro("implname", implementationName(module.name())) ||
        !script.macro("classname", classname) ||
        !script.macro("therearemonitors", upperTruth(m > 0)) ||
        !script.macro("therearedeps", upperTruth(!depended.empty())) ||
        !script.macro("therearebetaevents", upperTruth(h > 0)) ||
        !script.macro("numberofgroups", std::to_string(module.groupCount())) ||
        !script.macro("maxnumberofservices", std::to_string(maxServices))) {
        error = "Error registering macros for main file macroscript";
        return false;
    }

    std::string text;
    bool expanded = script.apply(kZone, text);
    if (!writeGeneratedFile(context_.output(moduleBaseName(module.name()) + "_main.cpp"), text)) {
        error = "Impossible to write main file";
        return false;
    }
    if (!expanded) {
        error = "Error applying macros on main file macroscript";
        return false;
    }
    return true;
}

}  // namespace orven::codegen
