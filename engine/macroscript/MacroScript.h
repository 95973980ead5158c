// A macro script and its expansion engine: the script text, the registered
// values (MacroEnvironment) and the expansion of zones into finished text.
//
// Expansion builds its result by appending pieces, parses each directive once
// per text it belongs to and looks values up by hash, so its cost follows the
// size of the texts and values involved. A failure is reported inside the
// text, as a line "\n**** PARSING ERROR **** : " + message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "macroscript/Lexer.h"
#include "macroscript/MacroEnvironment.h"

namespace orven::macroscript {

// Bounds that keep a hostile or faulty script from exhausting the stack,
// the memory or the time of its caller. Hitting one fails the expansion with
// a message that names the bound.
struct ExpansionLimits {
    // Nesting of inclusions, conditional parts and repetitions.
    unsigned maxDepth = 100;
    // Repetitions of one REPAREA.
    std::uint64_t maxRepetitions = std::uint64_t{1} << 24;
    // Size of the expanded text.
    std::size_t maxOutputBytes = std::size_t{512} << 20;
    // Directives and repetitions handled by one expansion.
    std::uint64_t maxSteps = std::uint64_t{1} << 28;
};

// The text that introduces every error line.
inline constexpr std::string_view kErrorLinePrefix = "\n**** PARSING ERROR **** : ";

class MacroScript {
  public:
    // The whole stream, read as text (a carriage return before a line feed
    // is dropped).
    explicit MacroScript(std::istream& in);
    // A script made of the text as it is.
    explicit MacroScript(std::string text);
    // The script of a file (engine path); null when it cannot be read.
    static std::unique_ptr<MacroScript> FromFile(std::string_view path);
    virtual ~MacroScript();

    MacroScript(const MacroScript&) = delete;
    MacroScript& operator=(const MacroScript&) = delete;

    const std::string& Text() const { return text_; }

    // Sets a simple macro; false (nothing changed) when the name is empty.
    bool RegisterMacro(std::string_view name, std::string_view value);
    // Adds a repetition value (the first one registered for the same zone,
    // area, macro and index wins). Always true.
    bool RegisterRepetitionMacro(std::string_view zone, std::string_view area,
                                 std::string_view macro, unsigned index, std::string_view value);
    // Forgets the simple macros and the repetition values.
    void CleanMacros();
    const MacroEnvironment& Environment() const { return env_; }

    // Expands the zone into text, then indents every line with indentCount
    // copies of indentChar. On failure text ends with error lines ("zone not
    // found" alone, or the directive's message then "failed to susbstitute
    // everything in zone").
    bool ApplyZone(std::string_view zone, std::string& text, int indentCount = 0,
                   char indentChar = ' ');
    // Expands every directive of text in place; zone names the zone whose
    // repetition values apply. On failure text holds the expansions made so
    // far, the failing directive and the rest unchanged, then one error line.
    bool ExpandText(std::string& text, std::string_view zone);

    // Number of macro names the zone declares; -1 when it is not found.
    int NumberOfZoneMacros(std::string_view zone);
    // The declared macro name number i (0-based) of the zone.
    bool GetZoneMacroName(std::string_view zone, int i, std::string& name);
    // The zone's seven applicability letters; false when the zone is not
    // found or has no applicability string.
    bool ZoneApplicability(std::string_view zone, std::string& letters);

    const ExpansionLimits& Limits() const { return limits_; }
    void SetLimits(const ExpansionLimits& limits) { limits_ = limits; }

  private:
    struct ZoneInfo {
        std::string_view body;
        std::vector<std::string> declaredNames;
    };
    struct Failure {
        std::size_t start = 0;
        std::string message;
        bool limit = false;  // a bound was hit: its message is shown as it is
    };
    class Expansion;

    const ZoneInfo* zone(std::string_view name);

    std::string text_;
    MacroEnvironment env_;
    std::vector<std::pair<std::string, std::uint32_t>> activeAreas_;
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, ZoneInfo, NameHash, std::equal_to<>> zones_;
    ExpansionLimits limits_;
};

}  // namespace orven::macroscript
