// The workspace (zone "DSW_FILE_ZONE") and project (zone "DSP_FILE_ZONE")
// files of the generated program, with the module's external including and
// compiling/linking files extracted beside them.
#pragma once

#include <string>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

class ProjectFilesStage {
  public:
    ProjectFilesStage(const GenerationContext& context, bool withMfc, bool withVoxl)
        : context_(context), withMfc_(withMfc), withVoxl_(withVoxl) {}
    // Writes output directory + "/" + stem + "_workspace.dsw" and
    // + "_project.dsp" for the stem moduleBaseName.
    bool run(std::string& error);

  private:
    const GenerationContext& context_;
    bool withMfc_;
    bool withVoxl_;
};

// The text after the last "." of a file name; empty when there is none.
std::string fileExtension(std::string_view name);

}  // namespace orven::codegen
