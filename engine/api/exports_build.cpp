// Exports of the automatic build and its error list, and of the
// verification of a module before generation.
#include <string>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "api/orven.h"
#include "codegen/BuildOutput.h"
#include "codegen/MsdevBuild.h"
#include "codegen/Verification.h"

using namespace orven;

ORVEN_API NumberOfErrors(void) {
    return api::guarded([&] { return static_cast<int>(engine().buildErrors.size()); });
}

ORVEN_API ReadError(int index, char* buffer, int size) {
    return api::guarded([&] {
        const auto& errors = engine().buildErrors;
        if (index < 0 || static_cast<std::size_t>(index) >= errors.size())
            return 0;
        api::textOut(codegen::buildMessageText(errors[static_cast<std::size_t>(index)]), buffer,
                     size);
        return 1;
    });
}

ORVEN_API GeneratorValidate(int generator, int fix, char* reportBuffer, int size) {
    return api::guarded(
        [&] {
            codegen::ValidationOutcome outcome = codegen::generatorValidate(generator, fix != 0);
            if (outcome.hasReport)
                api::textOut(outcome.report, reportBuffer, size);
            return outcome.result;
        },
        codegen::kVerifyError);
}

ORVEN_API CompileLinkAutomatically(const char* directory) {
    return api::guarded([&] {
        if (!engine().module)
            return 0;
        codegen::MsdevBuild build(api::textIn(directory),
                                  codegen::projectNameForModule(engine().module->name()));
        std::string output;
        if (!build.Build(output))
            return 0;
        engine().buildErrors = codegen::parseBuildOutput(output);
        return 1;
    });
}
