#include "codegen/CorbaCppOptions.h"

#include <initializer_list>

namespace orven::codegen {

namespace {
using F = GenerationFlag;

void setAll(GenerationOptions& options, std::initializer_list<GenerationFlag> flags) {
    for (GenerationFlag f : flags)
        options.set(f, true);
}
}  // namespace

GenerationOptions corbaCppDefaultOptions() {
    GenerationOptions o;
    setAll(o, {F::GlobalIdl, F::ModuleIdl, F::CompileIdl, F::ImplementationClasses, F::MainFile,
               F::ProjectFiles, F::CopyOtherFiles, F::ForceIdlSuccess, F::WithVoxl});
    return o;
}

bool predictCorbaCppOptions(int changeKind, GenerationOptions& options) {
    switch (changeKind) {
        case 0:
            for (int f = static_cast<int>(F::GlobalIdl); f <= static_cast<int>(F::ForceIdlSuccess);
                 ++f) {
                options.set(static_cast<GenerationFlag>(f), false);
            }
            setAll(options, {F::ImplementationClasses, F::StopOnIdlError, F::ForceIdlSuccess});
            return true;
        case 1:
            setAll(options, {F::ImplementationClasses, F::StopOnIdlError, F::ForceIdlSuccess});
            return true;
        case 2:
        case 3:
            setAll(options, {F::ModuleIdl, F::CompileIdl, F::ImplementationClasses, F::MainFile,
                             F::StopOnIdlError});
            return true;
        case 4:
            setAll(options, {F::ModuleIdl, F::CompileIdl, F::ImplementationClasses, F::MainFile,
                             F::ProjectFiles, F::StopOnIdlError});
            return true;
        case 5:
            setAll(options, {F::ImplementationClasses, F::MainFile, F::ProjectFiles,
                             F::CopyOtherFiles, F::StopOnIdlError, F::ForceIdlSuccess});
            return true;
        case 6:
            setAll(options, {F::GlobalIdl, F::ModuleIdl, F::CompileIdl, F::ImplementationClasses,
                             F::MainFile, F::ProjectFiles, F::CopyOtherFiles, F::StopOnIdlError});
            return true;
        default:
            return false;
    }
}

}  // namespace orven::codegen
