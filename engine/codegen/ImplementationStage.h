// The servant class that implements the module's interface: a header
// (zone "IMPL_HEADER_FILE") and a body (zone "IMPL_BODY_FILE") with the
// module's code interpreted against the atom library.
#pragma once

#include <string>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

class ImplementationStage {
  public:
    // idlCompiled: whether the skeleton header written by the IDL compiler
    // is to be read for the methods' parameters and exceptions.
    ImplementationStage(const GenerationContext& context, bool idlCompiled, bool withVoxl)
        : context_(context), idlCompiled_(idlCompiled), withVoxl_(withVoxl) {}
    // Writes output directory + "/" + moduleBaseName + "_i.h" and ".cpp".
    bool run(std::string& error);

  private:
    bool header(std::string& error);
    bool body(std::string& error);
    // The skeleton header text, empty when the IDL is not compiled.
    bool skeletonHeader(std::string& text) const;

    const GenerationContext& context_;
    bool idlCompiled_;
    bool withVoxl_;
};

}  // namespace orven::codegen
