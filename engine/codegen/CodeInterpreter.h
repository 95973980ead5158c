// Interpretation of module code as macro script: the code is put into the
// reserved interpreting zone after the atom library "quenoratoms.tpx", so
// that it may use the atoms' zones and macros, and that zone is expanded.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

inline constexpr std::string_view kInterpretingZone = "__iNtErPrEtInGzOnE__";

class CodeInterpreter {
  public:
    explicit CodeInterpreter(const GenerationContext& context) : context_(context) {}

    // The expanded code; false (and an empty text) when the atom library
    // cannot be read or the expansion fails.
    bool interpret(std::string_view code, std::string& out);

  private:
    const GenerationContext& context_;
    // The atom library, read once per interpreter; none when it could not
    // be read.
    std::optional<std::string> library_;
    bool libraryRead_ = false;
};

}  // namespace orven::codegen
