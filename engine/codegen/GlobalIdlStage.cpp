#include "codegen/GlobalIdlStage.h"

#include "codegen/StageScript.h"
#include "model/OxaModule.h"

namespace orven::codegen {

bool GlobalIdlStage::run(std::string& error) {
    StageScript script;
    if (!script.open(context_, context_.resource(kCodeScriptsFile),
                     "File of code macroscripts not found", "Could not create macroscript object",
                     error)) {
        return false;
    }
    if (!script.macro("ORVENversion", kOrvenVersion) ||
        !script.macro("OXAname", context_.module->name())) {
        error = "Error registering macros for ORVEN IDL file macroscript";
        return false;
    }
    std::string text;
    bool expanded = script.apply("ORVEN_IDL_FILE", text);
    if (!writeGeneratedFile(context_.output("orven.idl"), text)) {
        error = "Impossible to write ORVEN IDL file";
        return false;
    }
    if (!expanded) {
        error = "Error applying macros on ORVEN IDL file macroscript";
        return false;
    }
    return true;
}

}  // namespace orven::codegen
