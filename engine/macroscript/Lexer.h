// The lexical layer of macro scripts: finding, classifying and parsing the
// "#TPX-" directives of a text, finding zones and reading what a zone
// declares. Nothing here knows about macro values; the expansion engine
// (MacroScript) builds on it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orven::macroscript {

// The kinds of directive, numbered as the scripts' tools know them.
enum class DirectiveKind : int {
    Macro = 0,
    Zone = 1,
    RepArea = 2,
    RepMacro = 3,
    If = 4,
    IfRep = 5,
    IfEq = 6,
    IfRepEq = 7,
    Include = 8,
    RepIndex = 9,
    Lit = 10,
    Unrecognised = 11,
};

// Every directive starts with this text.
inline constexpr std::string_view kDirectiveStart = "#TPX-";
// The reserved zone into which a text is wrapped to interpret it whole.
inline constexpr std::string_view kInterpretingZone = "__iNtErPrEtInGzOnE__";

// One parsed directive. start is the position of its "#TPX-"; end is the
// position of its closing "#" (simple directive) or of the last character of
// its end marker (block). thenPart is the whole body of a ZONE, REPAREA or
// LIT block; elsePart is empty unless an else marker split the body.
struct DirectiveRecord {
    DirectiveKind kind = DirectiveKind::Unrecognised;
    std::size_t start = 0;
    std::size_t end = 0;
    std::vector<std::string> arguments;
    std::string thenPart;
    std::string elsePart;
};

// A directive found by FindNextDirective.
struct DirectiveHit {
    std::size_t position = 0;
    DirectiveKind kind = DirectiveKind::Unrecognised;
};

// First occurrence of pattern at or after from; npos when there is none.
// An empty pattern is never found.
std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from);

// The kind of the directive whose "#TPX-" starts at position (keywords are
// compared in a fixed order; the first that matches over its own length wins).
DirectiveKind ClassifyDirective(std::string_view text, std::size_t position);

// Searches "#TPX-" from position. With a name, an occurrence counts only when
// "(" + name followed by "," or ")" stands between it and the next "#" (or
// when no "#" follows it at all).
std::optional<DirectiveHit> FindNextDirective(std::string_view text, std::size_t position,
                                              std::string_view name = {});

// Parses the directive at position; nullopt when it is malformed (an
// unrecognised keyword, no closing "#", a malformed or missing first
// argument, too few arguments, a block without its end marker).
std::optional<DirectiveRecord> ParseDirective(std::string_view text, std::size_t position,
                                              bool extractBodies);

// The first ZONE directive of the script named name, parsed; nullopt when
// there is none (an empty name is never found).
std::optional<DirectiveRecord> FindZone(std::string_view script, std::string_view name,
                                        bool extractBodies);

// The seven applicability letters of a zone from its declared macro names:
// the last seven characters of the first declared name of eight characters
// that starts with "_"; "SEORBNX" when no name has that shape. nullopt when
// the zone declares no names or an empty name comes first.
std::optional<std::string> ApplicabilityString(const std::vector<std::string>& declaredNames);

// A text wrapped into the reserved interpreting zone.
std::string WrapInInterpretingZone(std::string_view text);

// A parsed directive whose texts are views into the scanned text.
struct DirectiveView {
    DirectiveKind kind = DirectiveKind::Unrecognised;
    std::size_t start = 0;
    std::size_t end = 0;
    std::vector<std::string_view> arguments;
    std::string_view thenPart;
    std::string_view elsePart;
};

// A scanner over one text that does not change while it is scanned. It
// remembers where the fixed patterns occur next, so scanning a whole text
// costs time proportional to its length even for odd inputs.
class Lexer {
  public:
    Lexer() = default;
    explicit Lexer(std::string_view text) : text_(text) {}

    std::string_view text() const { return text_; }
    // Scans another text (keeps the buffers already allocated).
    void reset(std::string_view text);

    // Position of the next "#TPX-" at or after from; npos when none.
    std::size_t findNext(std::size_t from);
    // Parses the directive at position into out; false when malformed.
    bool parse(std::size_t position, DirectiveView& out);

  private:
    struct Memo {
        std::size_t from = std::string_view::npos;
        std::size_t found = std::string_view::npos;
    };
    std::size_t find(Memo& memo, std::string_view pattern, std::size_t from);
    bool parseArguments(std::size_t open, std::size_t maxArguments, DirectiveView& out);

    std::string_view text_;
    Memo start_;
    Memo hash_;
    Memo paren_;
    Memo listEnd_;
    Memo litEnd_;
    std::string marker_;
};

}  // namespace orven::macroscript
