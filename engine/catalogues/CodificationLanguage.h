// The codification languages in which a module's code is written, and the
// general platforms: two small fixed vocabularies with their textual forms.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orven::catalogues {

class CodificationLanguage {
  public:
    static constexpr int kNone = 0;
    static constexpr int kCpp = 1;
    static constexpr int kC = 2;
    static constexpr int kJava = 3;

    CodificationLanguage() = default;
    // A code outside 1..3 gives no language.
    explicit CodificationLanguage(int code);

    int code() const { return code_; }
    bool isNone() const { return code_ == kNone; }
    std::string name() const;
    char letter() const;
    // "(P)", "(C)", "(J)" or "(-)".
    std::string textualForm() const;
    // Path of the assistant script, relative to the working directory; empty
    // when the language has none.
    std::string assistantScriptPath() const;
    // Position in defined(); defined().size() for no language.
    int position() const;

    // The defined languages in their fixed order.
    static const std::vector<CodificationLanguage>& defined();
    static CodificationLanguage atPosition(int position);  // none when out of range
    static CodificationLanguage fromLetter(char letter);

    // Reads a textual form at pos: skips up to the first "(", takes the next
    // character as the letter, skips up to and including the next ")".
    // False (and no language) when the text ends before the form is complete.
    static bool read(std::string_view text, std::size_t& pos, CodificationLanguage& out);

    bool operator==(const CodificationLanguage&) const = default;

  private:
    int code_ = kNone;
};

class PlatformCategory {
  public:
    static constexpr int kNone = 0;
    static constexpr int kHardware = 1;
    static constexpr int kExecution = 2;
    static constexpr int kRealTime = 3;
    static constexpr int kFaultTolerance = 4;
    static constexpr int kCommunications = 5;

    PlatformCategory() = default;
    explicit PlatformCategory(int code);

    int code() const { return code_; }
    bool isNone() const { return code_ == kNone; }
    std::string name() const;
    char letter() const;
    std::string textualForm() const;
    // Position in defined() (0..4); -1 for no category.
    int position() const;

    static const std::vector<PlatformCategory>& defined();
    static PlatformCategory atPosition(int position);  // none when out of range
    static PlatformCategory fromLetter(char letter);
    static bool read(std::string_view text, std::size_t& pos, PlatformCategory& out);

    bool operator==(const PlatformCategory&) const = default;
    auto operator<=>(const PlatformCategory&) const = default;

  private:
    int code_ = kNone;
};

// Shared by the readers of textual forms: moves pos past the next occurrence
// of c; false when the text ends first (pos is then at the end).
bool skipPast(std::string_view text, std::size_t& pos, char c);

}  // namespace orven::catalogues
