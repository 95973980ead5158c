// The two stages that copy support trees into the output directory: the
// ACE+TAO tree (first stage of every run) and the VOXL support files.
#pragma once

#include <string>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

// Copies the ACE+TAO tree of the resources into the output directory. The
// message starts with the copy's failure code digit.
class AceTaoCopyStage {
  public:
    explicit AceTaoCopyStage(const GenerationContext& context) : context_(context) {}
    bool run(std::string& error);

  private:
    const GenerationContext& context_;
};

// Copies the VOXL support tree of the resources into the output directory.
class VoxlCopyStage {
  public:
    explicit VoxlCopyStage(const GenerationContext& context) : context_(context) {}
    bool run(std::string& error);

  private:
    const GenerationContext& context_;
};

// The message with its first character (a blank) replaced by the digit of
// the failure code.
std::string withFailureDigit(std::string message, int code);

}  // namespace orven::codegen
