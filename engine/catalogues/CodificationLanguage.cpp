#include "catalogues/CodificationLanguage.h"

namespace orven::catalogues {

namespace {
struct LanguageRow {
    const char* name;
    char letter;
    const char* script;
};
const LanguageRow kLanguages[] = {
    {"Null", '-', ""},
    {"Standard C++/STL", 'P', "quenoratoms\\CPP\\quenoratoms.tpx"},
    {"Standard C", 'C', ""},
    {"Sun's JAVA", 'J', "quenoratoms\\JAVA\\quenoratoms.tpx"},
};

struct CategoryRow {
    const char* name;
    char letter;
};
const CategoryRow kCategories[] = {
    {"Null", '-'},      {"Hardware", 'H'},        {"Execution", 'E'},
    {"Real-Time", 'R'}, {"Fault-Tolerance", 'F'}, {"Communications", 'C'},
};

// Reads "(" letter ... ")" and returns the letter, or 0 when incomplete.
bool readLetterForm(std::string_view text, std::size_t& pos, char& letter) {
    letter = 0;
    if (!skipPast(text, pos, '('))
        return false;
    if (pos >= text.size())
        return false;
    letter = text[pos++];
    return skipPast(text, pos, ')');
}
}  // namespace

bool skipPast(std::string_view text, std::size_t& pos, char c) {
    if (pos > text.size())
        pos = text.size();
    std::size_t at = text.find(c, pos);
    if (at == std::string_view::npos) {
        pos = text.size();
        return false;
    }
    pos = at + 1;
    return true;
}

CodificationLanguage::CodificationLanguage(int code)
    : code_(code >= kCpp && code <= kJava ? code : kNone) {}

std::string CodificationLanguage::name() const {
    return kLanguages[code_].name;
}
char CodificationLanguage::letter() const {
    return kLanguages[code_].letter;
}
std::string CodificationLanguage::textualForm() const {
    return std::string("(") + letter() + ")";
}
std::string CodificationLanguage::assistantScriptPath() const {
    return kLanguages[code_].script;
}

int CodificationLanguage::position() const {
    return code_ == kNone ? static_cast<int>(defined().size()) : code_ - 1;
}

const std::vector<CodificationLanguage>& CodificationLanguage::defined() {
    static const std::vector<CodificationLanguage> list = {
        CodificationLanguage(kCpp), CodificationLanguage(kC), CodificationLanguage(kJava)};
    return list;
}

CodificationLanguage CodificationLanguage::atPosition(int position) {
    if (position < 0 || position >= static_cast<int>(defined().size()))
        return {};
    return defined()[position];
}

CodificationLanguage CodificationLanguage::fromLetter(char letter) {
    for (int code = kCpp; code <= kJava; ++code) {
        if (kLanguages[code].letter == letter)
            return CodificationLanguage(code);
    }
    return {};
}

bool CodificationLanguage::read(std::string_view text, std::size_t& pos,
                                CodificationLanguage& out) {
    char letter = 0;
    bool complete = readLetterForm(text, pos, letter);
    out = complete ? fromLetter(letter) : CodificationLanguage();
    return complete;
}

PlatformCategory::PlatformCategory(int code)
    : code_(code >= kHardware && code <= kCommunications ? code : kNone) {}

std::string PlatformCategory::name() const {
    return kCategories[code_].name;
}
char PlatformCategory::letter() const {
    return kCategories[code_].letter;
}
std::string PlatformCategory::textualForm() const {
    return std::string("(") + letter() + ")";
}
int PlatformCategory::position() const {
    return code_ == kNone ? -1 : code_ - 1;
}

const std::vector<PlatformCategory>& PlatformCategory::defined() {
    static const std::vector<PlatformCategory> list = {
        PlatformCategory(kHardware), PlatformCategory(kExecution), PlatformCategory(kRealTime),
        PlatformCategory(kFaultTolerance), PlatformCategory(kCommunications)};
    return list;
}

PlatformCategory PlatformCategory::atPosition(int position) {
    if (position < 0 || position >= static_cast<int>(defined().size()))
        return {};
    return defined()[position];
}

PlatformCategory PlatformCategory::fromLetter(char letter) {
    for (int code = kHardware; code <= kCommunications; ++code) {
        if (kCategories[code].letter == letter)
            return PlatformCategory(code);
    }
    return {};
}

bool PlatformCategory::read(std::string_view text, std::size_t& pos, PlatformCategory& out) {
    char letter = 0;
    bool complete = readLetterForm(text, pos, letter);
    out = complete ? fromLetter(letter) : PlatformCategory();
    return complete;
}

}  // namespace orven::catalogues
