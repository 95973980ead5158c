// The macro-script services of the code assistant: one current script held
// by the engine, and the identifier rule shared with the generators.
#include "api/Boundary.h"
#include "api/EngineState.h"
#include "api/orven.h"
#include "macroscript/MacroScript.h"
#include "macroscript/TextFunctions.h"

using namespace orven;

namespace {

// Indentation wider than this is refused rather than multiplied into every
// line of an expansion.
constexpr int kMaxIndent = 1024;

macroscript::MacroScript* current() {
    return engine().macroScript.get();
}

}  // namespace

ORVEN_API LoadMacroScript(const char* path) {
    return api::guarded([&] {
        std::unique_ptr<macroscript::MacroScript> script =
            macroscript::MacroScript::FromFile(api::textIn(path));
        if (!script)
            return 0;
        engine().macroScript = std::move(script);
        return 1;
    });
}

ORVEN_API UnloadMacroScript(void) {
    return api::guarded([&] {
        engine().macroScript.reset();
        return 1;
    });
}

ORVEN_API ApplicabilityOfMacroScriptZone(const char* zone, char* eightByteBuffer) {
    return api::guarded([&] {
        macroscript::MacroScript* script = current();
        if (script == nullptr || zone == nullptr || eightByteBuffer == nullptr)
            return 0;
        std::string letters;
        if (!script->ZoneApplicability(api::textIn(zone), letters))
            return 0;
        api::textOut(letters, eightByteBuffer, 8);
        return 1;
    });
}

ORVEN_API NumberOfMacrosFromMacroScript(const char* zone) {
    return api::guarded(
        [&] {
            macroscript::MacroScript* script = current();
            if (script == nullptr)
                return -1;
            return script->NumberOfZoneMacros(api::textIn(zone));
        },
        -1);
}

ORVEN_API GetMacroNameFromMacroScript(int position, const char* zone, char* buffer, int size) {
    return api::guarded([&] {
        macroscript::MacroScript* script = current();
        if (script == nullptr || buffer == nullptr)
            return 0;
        std::string name;
        if (!script->GetZoneMacroName(api::textIn(zone), position, name))
            return 0;
        api::textOut(name, buffer, size);
        return 1;
    });
}

ORVEN_API RegisterMacroSubstitution(const char* name, const char* value) {
    return api::guarded([&] {
        macroscript::MacroScript* script = current();
        if (script == nullptr)
            return 0;
        return script->RegisterMacro(api::textIn(name), api::textIn(value)) ? 1 : 0;
    });
}

ORVEN_API MakeMacroSubstitutions(const char* zone, char* buffer, int size, int indentCount,
                                 const char* indentCharText) {
    return api::guarded([&] {
        macroscript::MacroScript* script = current();
        if (script == nullptr || buffer == nullptr || indentCount > kMaxIndent)
            return 0;
        std::string indent = api::textIn(indentCharText);
        // Without an indent character there is nothing to indent with.
        if (indent.empty())
            indentCount = 0;
        std::string text;
        if (!script->ApplyZone(api::textIn(zone), text, indentCount,
                               indent.empty() ? ' ' : indent[0])) {
            return 0;
        }
        api::textOut(text, buffer, size);
        return 1;
    });
}

ORVEN_API CleanMacroSubstitutions(void) {
    return api::guarded([&] {
        if (macroscript::MacroScript* script = current())
            script->CleanMacros();
        return 1;
    });
}

ORVEN_API ConvertToIdentifier(const char* text, char* buffer, int size) {
    return api::guarded([&] {
        api::textOut(macroscript::ConvertToIdentifier(api::textIn(text)), buffer, size);
        return 1;
    });
}
