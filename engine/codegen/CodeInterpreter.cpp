#include "codegen/CodeInterpreter.h"

#include <new>

#include "macroscript/MacroScript.h"
#include "platform/Platform.h"

namespace orven::codegen {

bool CodeInterpreter::interpret(std::string_view code, std::string& out) {
    out.clear();
    if (!libraryRead_) {
        libraryRead_ = true;
        std::string text;
        if (platform::readWholeFile(context_.resource(kAtomLibraryFile), text, true))
            library_ = std::move(text);
    }
    if (!library_)
        return false;
    try {
        std::string combined;
        combined.reserve(library_->size() + code.size() + 2 * kInterpretingZone.size() + 32);
        combined.append(*library_);
        combined.append("#TPX-ZONE(").append(kInterpretingZone).append(")#");
        combined.append(code);
        combined.append("#TPX-ENDZONE(").append(kInterpretingZone).append(")#");
        macroscript::MacroScript script(std::move(combined));
        std::string text;
        if (!script.ApplyZone(kInterpretingZone, text, 0, '\t'))
            return false;
        out = std::move(text);
        return true;
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
}

}  // namespace orven::codegen
