// The module's IDL file: its services as operations of its interface, its
// signals as constants, its public definitions, expanded from zone
// "IDL_FILE" of the code macro scripts.
#pragma once

#include <string>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

class IdlStage {
  public:
    explicit IdlStage(const GenerationContext& context) : context_(context) {}
    // Writes output directory + "/" + moduleBaseName + ".idl".
    bool run(std::string& error);

  private:
    const GenerationContext& context_;
};

}  // namespace orven::codegen
