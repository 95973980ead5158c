#include "macroscript/TextFunctions.h"

namespace orven::macroscript {

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = upper(c);
    return out;
}

bool IsTrueText(std::string_view text) {
    static constexpr std::string_view kTrue = "TRUE";
    if (text.size() != kTrue.size())
        return false;
    for (std::size_t i = 0; i < kTrue.size(); ++i) {
        if (upper(text[i]) != kTrue[i])
            return false;
    }
    return true;
}

void IndentLines(std::string& text, int count, char ch) {
    if (text.empty() || count <= 0)
        return;
    const std::size_t width = static_cast<std::size_t>(count);
    std::size_t lines = 1;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\n')
            ++lines;
    }
    std::string out;
    out.reserve(text.size() + lines * width);
    out.append(width, ch);
    std::size_t from = 0;
    while (true) {
        std::size_t nl = text.find('\n', from);
        if (nl == std::string::npos || nl + 1 >= text.size()) {
            out.append(text, from, std::string::npos);
            break;
        }
        out.append(text, from, nl + 1 - from);
        out.append(width, ch);
        from = nl + 1;
    }
    text.swap(out);
}

std::string ConvertToIdentifier(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && blank(text[b]))
        ++b;
    while (e > b && blank(text[e - 1]))
        --e;
    std::string out;
    if (b == e)
        return out;
    out.reserve(e - b + 2);
    if (text[b] >= '0' && text[b] <= '9')
        out.append("x_");
    for (std::size_t i = b; i < e; ++i)
        out.push_back(isAsciiAlnum(text[i]) ? text[i] : '_');
    return out;
}

}  // namespace orven::macroscript
