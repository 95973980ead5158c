// Parses and expands arbitrary script text. The input is a script,
// optionally followed by a line "%%" and registration lines:
//   name|value                       a simple macro
//   zone|area|macro|index|value      a repetition value
// Every zone the script names is expanded and queried; the script is also
// interpreted whole through the reserved interpreting zone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "macroscript/Lexer.h"
#include "macroscript/MacroScript.h"
#include "macroscript/TextFunctions.h"

using namespace orven::macroscript;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::string_view> split(std::string_view text, char sep) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    while (true) {
        std::size_t at = text.find(sep, from);
        parts.push_back(text.substr(from, at == std::string_view::npos ? at : at - from));
        if (at == std::string_view::npos)
            return parts;
        from = at + 1;
    }
}

void registerAll(MacroScript& script, std::string_view registrations) {
    script.RegisterMacro("a", "TRUE");
    script.RegisterMacro("b", "x#TPX-MACRO(a,b)#");
    for (unsigned i = 0; i < 3; ++i) {
        script.RegisterRepetitionMacro("Z", "L", "m", i, i == 1 ? "true" : "v");
        script.RegisterRepetitionMacro(std::string(kInterpretingZone), "L", "m", i, "w");
    }
    for (std::string_view line : split(registrations, '\n')) {
        std::vector<std::string_view> f = split(line, '|');
        if (f.size() == 2) {
            check(script.RegisterMacro(f[0], f[1]) == !f[0].empty());
        } else if (f.size() == 5) {
            unsigned index = 0;
            for (char c : f[3])
                index = index * 10 + static_cast<unsigned char>(c) % 10;
            script.RegisterRepetitionMacro(f[0], f[1], f[2], index % 1000, f[4]);
        }
    }
}

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void expandZones(MacroScript& script) {
    const std::string& text = script.Text();
    std::size_t p = 0;
    int zones = 0;
    while ((p = text.find("#TPX-ZONE(", p)) != std::string::npos && zones < 16) {
        p += 10;
        std::size_t e = text.find_first_of(",)#", p);
        std::string name = text.substr(p, e == std::string::npos ? std::string::npos : e - p);
        ++zones;
        std::string out = "keep";
        bool ok = script.ApplyZone(name, out, zones % 3, '\t');
        if (!ok) {
            check(endsWith(out, "failed to susbstitute everything in zone") ||
                  endsWith(out, "zone not found"));
        }
        int n = script.NumberOfZoneMacros(name);
        std::string macro;
        for (int i = -1; i <= n; ++i)
            check(script.GetZoneMacroName(name, i, macro) == (i >= 0 && i < n));
        std::string letters;
        if (script.ZoneApplicability(name, letters))
            check(letters.size() == 7);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 16)
        return 0;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view scriptText = input;
    std::string_view registrations;
    std::size_t sep = input.find("\n%%\n");
    if (sep != std::string_view::npos) {
        scriptText = input.substr(0, sep);
        registrations = input.substr(sep + 4);
    }

    ExpansionLimits limits;
    limits.maxDepth = 40;
    limits.maxRepetitions = 300;
    limits.maxOutputBytes = 1 << 20;
    limits.maxSteps = 100000;

    // The lexical layer on every directive position.
    for (std::size_t p = 0; (p = scriptText.find("#TPX-", p)) != std::string_view::npos; ++p) {
        std::optional<DirectiveRecord> r = ParseDirective(scriptText, p, true);
        if (r) {
            check(r->start == p && r->end < scriptText.size() && r->end > p);
            check(r->kind == ClassifyDirective(scriptText, p));
        }
    }

    {
        MacroScript script{std::string(scriptText)};
        script.SetLimits(limits);
        registerAll(script, registrations);
        expandZones(script);
        std::string text(scriptText);
        script.ExpandText(text, "Z");
    }
    {
        MacroScript script{WrapInInterpretingZone(scriptText)};
        script.SetLimits(limits);
        registerAll(script, registrations);
        std::string out;
        script.ApplyZone(kInterpretingZone, out, 1, ' ');
    }
    std::string id = ConvertToIdentifier(scriptText);
    for (char c : id) {
        check(c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
              (c >= 'A' && c <= 'Z'));
    }
    std::string indented(scriptText);
    IndentLines(indented, 2, ' ');
    return 0;
}
