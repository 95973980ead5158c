// Compilation of the module's IDL file by the IDL compiler, run through the
// command interpreter in the IDL file's directory.
#pragma once

#include <string>
#include <string_view>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

class IdlCompileStage {
  public:
    IdlCompileStage(const GenerationContext& context, std::string_view compiler,
                    std::string_view idlPath)
        : context_(context), compiler_(compiler), idlPath_(idlPath) {}
    bool run(std::string& error);

  private:
    const GenerationContext& context_;
    std::string compiler_;
    std::string idlPath_;
};

// Splits a path at its last "/" or "\" into directory and file name; the
// directory is "." when the path has no separator.
void splitPath(std::string_view path, std::string& directory, std::string& fileName);

}  // namespace orven::codegen
