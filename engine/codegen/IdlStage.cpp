#include "codegen/IdlStage.h"

#include "codegen/ModuleNames.h"
#include "codegen/ServiceParameters.h"
#include "codegen/StageScript.h"
#include "macroscript/TextFunctions.h"
#include "model/OxaModule.h"

namespace orven::codegen {

namespace {
constexpr std::string_view kZone = "IDL_FILE";
constexpr std::string_view kNotCallable = "/* THIS SERVICE SHOULD NOT BE CALLED BY ANY MODULE */";
}  // namespace

bool IdlStage::run(std::string& error) {
    const model::OxaModule& module = *context_.module;
    StageScript script;
    if (!script.open(context_, context_.resource(kCodeScriptsFile),
                     "File of code macroscripts not found", "Could not create macroscript object",
                     error)) {
        return false;
    }

    bool walked = walkServices(module, error, [&](const ServiceVisit& v) {
        const model::Service& service = v.service;
        std::string parameters;
        if (isCallable(service)) {
            parameters =
                serviceParameterList(service.inputData().text(), service.outputData().text());
        } else if (isHandler(service)) {
            parameters = "in string origin " + std::string(kNotCallable) + ",";
        } else {
            parameters = std::string(kNotCallable);
        }
        std::string comment;
        switch (service.type()) {
            case model::kRegularService:
                comment = "(Regular Service)";
                break;
            case model::kBetaEventHandler:
                comment = "(Beta Event Handler)";
                break;
            case model::kNotificationHandler:
                comment = "(Notification Handler)";
                break;
            default:
                error = "Error with the type of a service";
                return false;
        }
        auto k = static_cast<std::uint32_t>(v.runningIndex);
        bool ok = script.repetition(kZone, "services", "groupname", k, v.group.name()) &&
                  script.repetition(kZone, "services", "groupdescr", k, v.group.description()) &&
                  script.repetition(kZone, "services", "servicename", k, service.name()) &&
                  script.repetition(kZone, "services", "servicedescr", k, service.description()) &&
                  script.repetition(kZone, "services", "serviceid", k,
                                    macroscript::ConvertToIdentifier(service.name())) &&
                  script.repetition(kZone, "services", "serviceparms", k, parameters) &&
                  script.repetition(kZone, "services", "comment", k, comment);
        if (!ok)
            error = "Error registering repetition macros";
        return ok;
    });
    if (!walked)
        return false;

    std::uint32_t j = 0;
    for (const auto& [name, signal] : module.signals()) {
        bool beta = signal.kind() == model::kBetaEvent;
        bool ok =
            script.repetition(kZone, "betaeventsproduced", "betaeventname", j, name) &&
            script.repetition(kZone, "betaeventsproduced", "betaeventcode", j,
                              (beta ? "10" : "20") + signal.code()) &&
            script.repetition(kZone, "betaeventsproduced", "comment", j,
                              beta ? "Beta Event Definition"
                                   : "Notification Definition, SHOULD NOT BE USED OUTSIDE THIS "
                                     "MODULE");
        if (!ok) {
            error = "Error registering defined signals";
            return false;
        }
        ++j;
    }

    std::string predefinitions = module.preDefinitions().text();
    macroscript::IndentLines(predefinitions, 2, '\t');
    if (!script.macro("ORVENversion", kOrvenVersion) || !script.macro("OXAname", module.name()) ||
        !script.macro("OXAid", macroscript::ConvertToIdentifier(module.name())) ||
        !script.macro("predefinitions", predefinitions)) {
        error = "Error registering macros for IDL file macroscript";
        return false;
    }

    std::string text;
    bool expanded = script.apply(kZone, text);
    if (!writeGeneratedFile(context_.output(moduleBaseName(module.name()) + ".idl"), text)) {
        error = "Impossible to write IDL file";
        return false;
    }
    if (!expanded) {
        error = "Error applying macros on IDL file macroscript";
        return false;
    }
    return true;
}

}  // namespace orven::codegen
