// The global interface definition file "orven.idl" that every module's IDL
// includes, expanded from zone "ORVEN_IDL_FILE".
#pragma once

#include <string>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

class GlobalIdlStage {
  public:
    explicit GlobalIdlStage(const GenerationContext& context) : context_(context) {}
    // Writes output directory + "/orven.idl".
    bool run(std::string& error);

  private:
    const GenerationContext& context_;
};

}  // namespace orven::codegen
