#include "codegen/GenerationContext.h"

#include "platform/Platform.h"

namespace orven::codegen {

std::string joinPath(std::string_view a, std::string_view b) {
    std::string s(a);
    s += '/';
    s += b;
    return s;
}

std::string GenerationContext::resource(std::string_view name) const {
    std::string s = engineDirectory;
    s += '/';
    s += kResourceDirectory;
    s += name;
    return s;
}

bool GenerationContext::returnToEngineDirectory() const {
    return platform::changeDirectory(engineDirectory);
}

}  // namespace orven::codegen
