// The extra files of the generated program: the files named in the
// resources' other-files list, then the module's external passive files.
#pragma once

#include <string>
#include <string_view>

#include "codegen/GenerationContext.h"

namespace orven::codegen {

class OtherFilesStage {
  public:
    explicit OtherFilesStage(const GenerationContext& context) : context_(context) {}
    bool run(std::string& error);

  private:
    const GenerationContext& context_;
};

// Whether a relative path stays below the directory it is joined to: not
// empty, not absolute, and no component is "..".
bool staysInside(std::string_view relativePath);

}  // namespace orven::codegen
