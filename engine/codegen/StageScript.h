// The macro script of one stage: the code macro scripts (or another
// template file) read afresh, the registrations the stage makes (recorded
// in the run's trace when there is one), and the expansion of its zones
// with tab indentation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "codegen/GenerationContext.h"
#include "macroscript/MacroScript.h"

namespace orven::codegen {

class StageScript {
  public:
    // Reads the template file (engine path) and builds its script. False
    // with notFound as message when the file cannot be read, with
    // notCreated when the script cannot be built.
    bool open(const GenerationContext& context, std::string_view path, std::string_view notFound,
              std::string_view notCreated, std::string& error);

    bool macro(std::string_view name, std::string_view value);
    bool repetition(std::string_view zone, std::string_view area, std::string_view name,
                    std::uint32_t index, std::string_view value);
    void clean();
    // ApplyZone with indentation count 0 and the tab character.
    bool apply(std::string_view zone, std::string& text);

  private:
    std::unique_ptr<macroscript::MacroScript> script_;
    RegistrationTrace* trace_ = nullptr;
};

// Creates (or empties) a file and writes the text; false when the file
// cannot be created or the text not written completely.
bool writeGeneratedFile(std::string_view path, std::string_view text);

// "TRUE" / "FALSE" and "true" / "false".
inline const char* upperTruth(bool b) {
    return b ? "TRUE" : "FALSE";
}
inline const char* lowerTruth(bool b) {
    return b ? "true" : "false";
}

}  // namespace orven::codegen
