#include "codegen/ProjectFilesStage.h"

#include <algorithm>
#include <vector>

#include "codegen/ExternalExtraction.h"
#include "codegen/ModuleNames.h"
#include "codegen/StageScript.h"
#include "macroscript/TextFunctions.h"
#include "model/OxaModule.h"

namespace orven::codegen {

namespace {
constexpr std::string_view kDswZone = "DSW_FILE_ZONE";
constexpr std::string_view kDspZone = "DSP_FILE_ZONE";

bool oneOf(std::string_view s, std::initializer_list<std::string_view> options) {
    return std::find(options.begin(), options.end(), s) != options.end();
}
}  // namespace

std::string fileExtension(std::string_view name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return std::string();
    return std::string(name.substr(dot + 1));
}

bool ProjectFilesStage::run(std::string& error) {
    const model::OxaModule& module = *context_.module;
    const std::string stem = moduleBaseName(module.name());
    StageScript script;
    if (!script.open(context_, context_.resource(kCodeScriptsFile),
                     "Makefiles macroscripts file not found", "Error creating macroscript object",
                     error)) {
        return false;
    }

    // Workspace.
    if (!script.macro("OXAName", module.name()) || !script.macro("ORVENversion", kOrvenVersion) ||
        !script.macro("ProjectFileName", stem + "_project")) {
        error = "Error registering macros for DSW macroscript";
        return false;
    }
    std::string text;
    if (!script.apply(kDswZone, text)) {
        error = "Error applying macros to DSW macroscript";
        return false;
    }
    if (!writeGeneratedFile(context_.output(stem + "_workspace.dsw"), text)) {
        error = "Impossible to write DSW file";
        return false;
    }

    // Project: from an empty macro environment.
    script.clean();
    const std::vector<std::string> depended = module.dependencies().dependedModules();
    std::vector<std::string> stubs;  // modules whose client stubs the project builds
    std::uint32_t r = 0;
    auto registerStubs = [&](std::string_view name) {
        const std::string id = macroscript::ConvertToIdentifier(name);
        bool ok =
            script.repetition(kDspZone, "server_objects", "serverCfile", r, "OXA_" + id + "C") &&
            script.repetition(kDspZone, "server_idls", "serverIDLFile", r, "OXA_" + id) &&
            script.repetition(kDspZone, "server_headers", "serverCheaderfile", r,
                              "OXA_" + id + "C");
        stubs.emplace_back(name);
        ++r;
        return ok;
    };
    const char* kRegistering = "Error registering macros";
    for (const std::string& name : depended) {
        if (!registerStubs(name)) {
            error = kRegistering;
            return false;
        }
    }

    const model::ModuleExternals& externals = module.externals();
    std::uint32_t included = 0;
    for (const model::ExternalEntry& entry : externals.list(model::kExternalData)) {
        if (!extractExternalFile(module, entry.name(), context_.outputDirectory, error))
            return false;
        if (!script.repetition(kDspZone, "external_toinclude", "externaltoinclude", included++,
                               entry.name())) {
            error = kRegistering;
            return false;
        }
    }
    std::uint32_t compiled = 0;
    std::uint32_t linked = 0;
    for (const model::ExternalEntry& entry : externals.list(model::kExternalCode)) {
        if (!extractExternalFile(module, entry.name(), context_.outputDirectory, error))
            return false;
        const std::string extension = fileExtension(entry.name());
        bool ok = true;
        if (oneOf(extension, {"CPP", "cpp", "C", "c"})) {
            ok = script.repetition(kDspZone, "external_tocompile", "externaltocompile", compiled++,
                                   entry.name());
        } else if (oneOf(extension, {"OBJ", "obj", "lib", "LIB"})) {
            ok = script.repetition(kDspZone, "external_libs", "externaltolink", linked++,
                                   entry.name());
        }
        if (!ok) {
            error = kRegistering;
            return false;
        }
    }

    // Modules whose beta events the handlers receive need their client stubs
    // too, once each.
    bool walked = walkServices(module, error, [&](const ServiceVisit& v) {
        std::string producer;
        if (v.service.type() != model::kBetaEventHandler ||
            !v.service.eventGeneratorModule(producer) || producer.empty() ||
            producer == module.name() ||
            std::find(stubs.begin(), stubs.end(), producer) != stubs.end()) {
            return true;
        }
        if (!registerStubs(producer)) {
            error = kRegistering;
            return false;
        }
        return true;
    });
    if (!walked)
        return false;

    if (!script.macro("WithMFC", lowerTruth(withMfc_)) ||
        !script.macro("withVOXL", lowerTruth(withVoxl_)) ||
        !script.macro("DSPFileName", stem + "_project") ||
        !script.macro("ORVENVersion", kOrvenVersion) || !script.macro("MainFile", stem + "_main") ||
        !script.macro("ImplFiles", stem + "_i") || !script.macro("CORBAFiles", stem) ||
        !script.macro("IDLFile", stem) || !script.macro("Directory", context_.outputDirectory) ||
        !script.macro("CORBACompiler", kIdlCompiler)) {
        error = "Error registering macros in DSP macroscript";
        return false;
    }
    if (!script.apply(kDspZone, text)) {
        error = "Error applying macros to DSP macroscript";
        return false;
    }
    if (!writeGeneratedFile(context_.output(stem + "_project.dsp"), text)) {
        error = "Impossible to write DSP file";
        return false;
    }
    return true;
}

}  // namespace orven::codegen
