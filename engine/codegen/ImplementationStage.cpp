#include "codegen/ImplementationStage.h"

#include "codegen/CodeInterpreter.h"
#include "codegen/ModuleNames.h"
#include "codegen/SkeletonHeaderReader.h"
#include "codegen/StageScript.h"
#include "macroscript/TextFunctions.h"
#include "model/OxaModule.h"
#include "platform/Platform.h"

namespace orven::codegen {

namespace {
constexpr std::string_view kHeaderZone = "IMPL_HEADER_FILE";
constexpr std::string_view kBodyZone = "IMPL_BODY_FILE";
constexpr std::string_view kHandlerParameters =
    "const char *origin, ORVEN::EnteringInfo & orveninfo";
constexpr std::string_view kMonitorParameters = "ORVEN::EnteringInfo & orveninfo";
constexpr std::string_view kNotCallable = "; // THIS SERVICE SHOULD NOT BE CALLED BY ANY MODULE";

// The parameters of a service's method, shared by header and body.
std::string methodParameters(const model::Service& service, const SkeletonHeaderIndex& header,
                             std::string_view skeleton, std::string_view method) {
    if (isHandler(service))
        return std::string(kHandlerParameters);
    if (isMonitor(service))
        return std::string(kMonitorParameters);
    std::string arguments = methodArguments(header, skeleton, method);
    return arguments.empty() ? "void" : arguments;
}

bool writeAndClose(platform::File& file, std::string_view text) {
    bool written = file.write(text);
    return file.close() && written;
}
}  // namespace

bool ImplementationStage::skeletonHeader(std::string& text) const {
    text.clear();
    if (!idlCompiled_)
        return true;
    const model::OxaModule& module = *context_.module;
    return platform::readWholeFile(context_.output(moduleBaseName(module.name()) + "S.h"), text);
}

bool ImplementationStage::run(std::string& error) {
    return header(error) && body(error);
}

bool ImplementationStage::header(std::string& error) {
    const model::OxaModule& module = *context_.module;
    const std::string base = moduleBaseName(module.name());
    const std::string impl = base + "_i";
    const std::string skeleton = base + "S";
    platform::File file = platform::createFile(context_.output(impl + ".h"));
    if (!file) {
        error = "Impossible to write implementation .h file";
        return false;
    }
    StageScript script;
    if (!script.open(context_, context_.resource(kCodeScriptsFile),
                     "File of code macroscripts not found", "Could not create macroscript object",
                     error)) {
        return false;
    }
    std::string headerText;
    if (!skeletonHeader(headerText)) {
        error = "Thought that IDL was compiled, but files were not found";
        return false;
    }
    const SkeletonHeaderIndex index(headerText);

    bool walked = walkServices(module, error, [&](const ServiceVisit& v) {
        const model::Service& service = v.service;
        std::string method = macroscript::ConvertToIdentifier(service.name());
        std::string exceptions = isCallable(service) ? methodExceptions(index, skeleton, method)
                                                     : std::string(kNotCallable);
        auto k = static_cast<std::uint32_t>(v.runningIndex);
        bool ok =
            script.repetition(kHeaderZone, "services", "groupname", k, v.group.name()) &&
            script.repetition(kHeaderZone, "services", "groupdescr", k, v.group.description()) &&
            script.repetition(kHeaderZone, "services", "servicename", k, service.name()) &&
            script.repetition(kHeaderZone, "services", "servicedescr", k, service.description()) &&
            script.repetition(kHeaderZone, "services", "servicemethod", k, method) &&
            script.repetition(kHeaderZone, "services", "serviceparms", k,
                              methodParameters(service, index, skeleton, method)) &&
            script.repetition(kHeaderZone, "services", "serviceexcps", k, exceptions);
        if (!ok)
            error = "Error registering repetition macros";
        return ok;
    });
    if (!walked)
        return false;

    std::string externals;
    for (const model::ExternalEntry& entry : module.externals().list(model::kExternalData))
        externals += "#include \"" + entry.name() + "\"\n";
    std::string globalData = module.globalData().text();
    macroscript::IndentLines(globalData, 1, '\t');
    std::string classname = macroscript::ConvertToIdentifier(module.name());
    if (!script.macro("ORVENversion", kOrvenVersion) || !script.macro("OXAname", module.name()) ||
        !script.macro("implprot",
                      macroscript::ToUpperAscii(macroscript::ConvertToIdentifier(impl))) ||
        !script.macro("corbaroot", skeleton) || !script.macro("classname", classname) ||
        !script.macro("globaldata", globalData) || !script.macro("externaldata", externals)) {
        error = "Error registering macros for implementation header file macroscript";
        return false;
    }

    std::string text;
    bool expanded = script.apply(kHeaderZone, text);
    if (!writeAndClose(file, text)) {
        error = "Impossible to write implementation .h file";
        return false;
    }
    if (!expanded) {
        error = "Error applying macros on implementation header file macroscript";
        return false;
    }
    return true;
}

bool ImplementationStage::body(std::string& error) {
    const model::OxaModule& module = *context_.module;
    const std::string base = moduleBaseName(module.name());
    const std::string impl = base + "_i";
    const std::string skeleton = base + "S";
    platform::File file = platform::createFile(context_.output(impl + ".cpp"));
    if (!file) {
        error = "Impossible to write implementation .cpp file";
        return false;
    }
    StageScript script;
    if (!script.open(context_, context_.resource(kCodeScriptsFile),
                     "File of code macroscripts not found", "Could not create macroscript object",
                     error)) {
        return false;
    }
    std::string headerText;
    if (!skeletonHeader(headerText)) {
        error = "Thought that IDL was compiled, but not found";
        return false;
    }
    const SkeletonHeaderIndex index(headerText);
    CodeInterpreter interpreter(context_);

    bool walked = walkServices(module, error, [&](const ServiceVisit& v) {
        const model::Service& service = v.service;
        std::string code;
        if (!interpreter.interpret(service.serverCode().text(), code)) {
            error = "Error interpreting code of service " + service.name();
            return false;
        }
        macroscript::IndentLines(code, 1, '\t');
        std::string method = macroscript::ConvertToIdentifier(service.name());
        bool regular = service.type() == model::kRegularService;
        auto k = static_cast<std::uint32_t>(v.runningIndex);
        bool ok =
            script.repetition(kBodyZone, "services", "ismonitor", k,
                              upperTruth(isMonitor(service))) &&
            script.repetition(kBodyZone, "services", "isdynamicprio", k,
                              upperTruth(service.priorityType() == model::kNoPriority)) &&
            script.repetition(kBodyZone, "services", "indexofgroup", k,
                              std::to_string(v.groupPosition)) &&
            script.repetition(kBodyZone, "services", "indexofservice", k,
                              std::to_string(v.servicePosition)) &&
            script.repetition(
                kBodyZone, "services", "isserializing", k,
                upperTruth(regular && (service.characteristics() & model::kReentrant) == 0)) &&
            script.repetition(kBodyZone, "services", "servicemethod", k, method) &&
            script.repetition(kBodyZone, "services", "serviceparms", k,
                              methodParameters(service, index, skeleton, method)) &&
            script.repetition(kBodyZone, "services", "servicecode", k, code) &&
            script.repetition(kBodyZone, "services", "servicepermanent", k,
                              upperTruth((service.characteristics() & model::kPermanent) != 0));
        if (!ok)
            error = "Error registering repetition macros";
        return ok;
    });
    if (!walked)
        return false;

    std::uint32_t j = 0;
    for (const std::string& name : module.dependencies().dependedModules()) {
        std::string id = macroscript::ConvertToIdentifier(name);
        bool ok = script.repetition(kBodyZone, "dependencies_headers", "corbaChfile", j,
                                    clientHeaderStem(name)) &&
                  script.repetition(kBodyZone, "dependencies", "objectname", j, id) &&
                  script.repetition(kBodyZone, "dependencies", "objectvar", j, id + "_var");
        if (!ok) {
            error = "Could not register dependencies macros";
            return false;
        }
        ++j;
    }

    struct Section {
        const model::CodeSection& section;
        const char* failure;
        bool indent;
        std::string code;
    };
    Section sections[] = {
        {module.startupCode(), "Error interpreting startup code", true, {}},
        {module.preEndingCode(), "Error interpreting pre-ending code", true, {}},
        {module.postEndingCode(), "Error interpreting post-ending code", true, {}},
        {module.globalCode(), "Error interpreting global code", false, {}},
    };
    for (Section& s : sections) {
        if (!interpreter.interpret(s.section.text(), s.code)) {
            error = s.failure;
            return false;
        }
        if (s.indent)
            macroscript::IndentLines(s.code, 1, '\t');
    }

    if (!script.macro("withVOXL", lowerTruth(withVoxl_)) ||
        !script.macro("ORVENversion", kOrvenVersion) || !script.macro("OXAname", module.name()) ||
        !script.macro("implheader", impl + ".h") || !script.macro("myselfChfile", base + "C") ||
        !script.macro("classname", macroscript::ConvertToIdentifier(module.name())) ||
        !script.macro("startupcode", sections[0].code) ||
        !script.macro("globalcode", sections[3].code) ||
        !script.macro("preendingcode", sections[1].code) ||
        !script.macro("postendingcode", sections[2].code)) {
        error = "Error registering macros for implementation body file macroscript";
        return false;
    }

    std::string text;
    bool expanded = script.apply(kBodyZone, text);
    if (!writeAndClose(file, text)) {
        error = "Impossible to write implementation .cpp file";
        return false;
    }
    if (!expanded) {
        error = "Error applying macros on implementation body file macroscript";
        return false;
    }
    return true;
}

}  // namespace orven::codegen
