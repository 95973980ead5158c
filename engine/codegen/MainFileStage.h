// The module's main program: the handlers to subscribe, the monitors to
// start, the modules to reach, expanded from zone "MAIN_FILE".
#pragma once

#include <string>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

class MainFileStage {
  public:
    explicit MainFileStage(const GenerationContext& context) : context_(context) {}
    // Writes output directory + "/" + moduleBaseName + "_main.cpp".
    bool run(std::string& error);

  private:
    const GenerationContext& context_;
};

}  // namespace orven::codegen
