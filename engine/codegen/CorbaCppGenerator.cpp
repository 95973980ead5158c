#include "codegen/CorbaCppGenerator.h"

#include "codegen/CorbaCppOptions.h"
#include "codegen/GenerationContext.h"
#include "codegen/GlobalIdlStage.h"
#include "codegen/IdlCompileStage.h"
#include "codegen/IdlStage.h"
#include "codegen/ImplementationStage.h"
#include "codegen/MainFileStage.h"
#include "codegen/ModuleNames.h"
#include "codegen/OtherFilesStage.h"
#include "codegen/ProjectFilesStage.h"
#include "codegen/SupportCopyStages.h"
#include "codegen/Verification.h"
#include "model/OxaModule.h"
#include "platform/Platform.h"

namespace orven::codegen {

using catalogues::CodificationLanguage;

bool CorbaCppGenerator::CanHandleModule() const {
    return module_ != nullptr &&
           module_->codificationLanguage().code() == CodificationLanguage::kCpp;
}

bool CorbaCppGenerator::GetSupportedPlatforms(catalogues::Deportabilization& selection) const {
    selection = catalogues::Deportabilization();
    bool communications = selection.Select(catalogue_.ComponentFromIdentifier("C0006"), catalogue_);
    bool execution = selection.Select(catalogue_.ComponentFromIdentifier("E0000"), catalogue_);
    return communications && execution;
}

CodificationLanguage CorbaCppGenerator::GetCodificationLanguage() const {
    return CodificationLanguage(CodificationLanguage::kCpp);
}

bool CorbaCppGenerator::GetCompiler(std::string& compiler) const {
    compiler = "Visual C++ 6.0";
    return true;
}

int CorbaCppGenerator::Validate(bool fix, std::string& report) {
    if (module_ == nullptr)
        return kVerifyError;
    return validateModule(*module_, fix, report);
}

std::string CorbaCppGenerator::GetName() const {
    return "Vantorel";
}

GenerationOptions* CorbaCppGenerator::GetDefaultOptions(GenerationOptions* options) const {
    if (options != nullptr)
        *options = corbaCppDefaultOptions();
    return options;
}

bool CorbaCppGenerator::PredictOptions(int changeKind, GenerationOptions* options) const {
    return options != nullptr && predictCorbaCppOptions(changeKind, *options);
}

bool CorbaCppGenerator::GenerateCode(std::string_view outputDirectory, int maxMessageLength,
                                     std::string& error, const GenerationOptions* options) {
    if (!CanHandleModule())
        return false;
    std::string engineDirectory = platform::currentDirectory();
    std::string message;
    bool done = runStages(outputDirectory, message, options);
    if (!engineDirectory.empty())
        platform::changeDirectory(engineDirectory);
    if (!done)
        error = cutMessage(std::move(message), maxMessageLength);
    return done;
}

bool CorbaCppGenerator::runStages(std::string_view outputDirectory, std::string& error,
                                  const GenerationOptions* options) {
    GenerationContext context;
    context.module = module_;
    context.engineDirectory = platform::currentDirectory();
    context.outputDirectory = std::string(outputDirectory);
    context.trace = trace_;

    std::string resources = context.resource("");
    if (context.engineDirectory.empty() || !platform::changeDirectory(resources)) {
        error = "Directory with code generation resources not found! (" +
                std::string(kResourceDirectory) + ")";
        return false;
    }
    context.returnToEngineDirectory();
    if (options == nullptr) {
        error = "Code generation options not found";
        return false;
    }
    const GenerationOptions& o = *options;

    if (!AceTaoCopyStage(context).run(error))
        return false;
    if (o.globalIdl() && !GlobalIdlStage(context).run(error))
        return false;
    if (o.moduleIdl() && !IdlStage(context).run(error))
        return false;

    bool compiled = o.forceIdlSuccess();
    if (o.compileIdl()) {
        std::string idlPath = context.output(moduleBaseName(module_->name()) + ".idl");
        std::string compileError;
        if (IdlCompileStage(context, kIdlCompiler, idlPath).run(compileError)) {
            compiled = true;
        } else if (o.forceIdlSuccess()) {
            compiled = true;
        } else if (o.stopOnIdlError() || !(o.implementationClasses() || o.mainFile() ||
                                           o.projectFiles() || o.globalIdl())) {
            error = std::move(compileError);
            return false;
        } else {
            compiled = false;
        }
    }

    if (o.implementationClasses() &&
        !ImplementationStage(context, compiled, o.withVoxl()).run(error)) {
        return false;
    }
    if (o.mainFile() && !MainFileStage(context).run(error))
        return false;
    if (o.projectFiles() && !ProjectFilesStage(context, o.withMfc(), o.withVoxl()).run(error))
        return false;
    if (o.copyOtherFiles() && !OtherFilesStage(context).run(error))
        return false;
    if (o.withVoxl() && !VoxlCopyStage(context).run(error))
        return false;
    return true;
}

}  // namespace orven::codegen
