#include "model/persistence/CompactText.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace orven::model::persistence {

namespace {

constexpr std::size_t kChunk = 32;
constexpr char kDigits[] = "0123456789abcdef";

// Hexadecimal value of a digit, -1 for any other character.
constexpr std::array<signed char, 256> makeHexTable() {
    std::array<signed char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = -1;
    for (int i = 0; i < 10; ++i)
        t['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        t['a' + i] = static_cast<signed char>(10 + i);
        t['A' + i] = static_cast<signed char>(10 + i);
    }
    return t;
}
constexpr std::array<signed char, 256> kHex = makeHexTable();

int hexValue(char c) {
    return kHex[static_cast<unsigned char>(c)];
}

// One byte from two digits; a space when either is not a digit.
char pairValue(char high, char low) {
    int h = hexValue(high);
    int l = hexValue(low);
    if (h < 0 || l < 0)
        return ' ';
    return static_cast<char>(h * 16 + l);
}

bool headerMatches(std::string_view line, char first, char last, std::string_view word,
                   bool includeLast) {
    std::size_t a = line.find(first);
    if (a == std::string_view::npos)
        return false;
    std::size_t b = line.find(last, a + 1);
    if (b == std::string_view::npos)
        return false;
    return line.substr(a, b - a + (includeLast ? 1 : 0)) == word;
}

}  // namespace

void appendCompactText(std::string& out, std::string_view text, int level,
                       std::string_view lineEnd) {
    const std::size_t tabs = level > 0 ? static_cast<std::size_t>(level) : 0;
    const std::size_t lines = (text.size() + kChunk - 1) / kChunk;
    std::size_t high = 0;
    for (char c : text)
        high += static_cast<unsigned char>(c) >> 7;
    const std::string length = std::to_string(text.size());
    const std::size_t size = lineEnd.size() + tabs + 11 + length.size() + 1 +
                             lines * (lineEnd.size() + tabs + 1) + 2 * text.size() + 3 * high +
                             lineEnd.size() + tabs + 13;
    // Growing geometrically: a reserve of the exact size for every block
    // would copy the whole text again for each of them.
    const std::size_t start = out.size();
    if (out.capacity() < start + size)
        out.reserve(std::max(start + size, 2 * out.capacity()));
    out.resize(start + size);
    char* p = out.data() + start;
    auto put = [&p](std::string_view s) {
        std::memcpy(p, s.data(), s.size());
        p += s.size();
    };
    auto putTabs = [&p](std::size_t n) {
        std::memset(p, '\t', n);
        p += n;
    };
    put(lineEnd);
    putTabs(tabs);
    put("CompactStr(");
    put(length);
    *p++ = ')';
    for (std::size_t at = 0; at < text.size(); at += kChunk) {
        put(lineEnd);
        putTabs(tabs + 1);
        const std::size_t end = at + kChunk < text.size() ? at + kChunk : text.size();
        for (std::size_t i = at; i < end; ++i) {
            const unsigned char b = static_cast<unsigned char>(text[i]);
            if (b >= 128) {
                // The byte as a signed character widened to 16 bits.
                *p++ = '*';
                *p++ = 'f';
                *p++ = 'f';
            }
            *p++ = kDigits[b >> 4];
            *p++ = kDigits[b & 15];
        }
    }
    put(lineEnd);
    putTabs(tabs);
    put("EndCompactStr");
}

std::string writeCompactText(std::string_view text, int level) {
    std::string out;
    appendCompactText(out, text, level, "\n");
    return out;
}

bool isCompactHeaderLine(std::string_view line) {
    return headerMatches(line, 'C', '(', "CompactStr", false);
}

bool isCompactEndLine(std::string_view line) {
    return headerMatches(line, 'E', 'r', "EndCompactStr", true);
}

void CompactDecoder::begin(std::string_view headerLine) {
    length_ = 0;
    first_ = true;
    failed_ = false;
    text_.clear();
    std::size_t open = headerLine.find('(');
    if (open == std::string_view::npos)
        return;
    std::size_t close = headerLine.find(')', open + 1);
    if (close == std::string_view::npos)
        return;
    // The leading decimal digits, as the C library's conversion reads them;
    // a length too large for any file stays too large.
    std::size_t i = open + 1;
    while (i < close && (headerLine[i] == ' ' || headerLine[i] == '\t'))
        ++i;
    if (i < close && headerLine[i] == '+')
        ++i;
    std::uint64_t n = 0;
    for (; i < close && headerLine[i] >= '0' && headerLine[i] <= '9'; ++i) {
        if (n < (std::uint64_t(1) << 60))
            n = n * 10 + static_cast<unsigned>(headerLine[i] - '0');
    }
    length_ = n;
    // Room for what a few lines give; the rest grows with the bytes read.
    text_.reserve(static_cast<std::size_t>(n < 65536 ? n : 65536));
}

void CompactDecoder::addLine(std::string_view line) {
    if (!wantsMore())
        return;
    std::size_t i = 0;
    if (first_) {
        // Decoding starts two characters after the header's line feed: the
        // first character of this line is passed over.
        first_ = false;
        i = 1;
    }
    while (i < line.size() && line[i] == '\t')
        ++i;
    char decoded[256];
    std::size_t n = 0;
    while (i < line.size()) {
        if (n == sizeof decoded) {
            text_.append(decoded, n);
            n = 0;
        }
        if (line[i] == '*') {
            if (line.size() - i - 1 < 4) {
                failed_ = true;
                text_.clear();
                return;
            }
            decoded[n++] = pairValue(line[i + 3], line[i + 4]);
            i += 5;
        } else {
            // A lone last character pairs with the line end: a space.
            decoded[n++] = i + 1 < line.size() ? pairValue(line[i], line[i + 1]) : ' ';
            i += 2;
        }
    }
    text_.append(decoded, n);
}

std::string CompactDecoder::finish() {
    if (failed_ || text_.size() < length_) {
        text_.clear();
        return std::string();
    }
    return std::move(text_);
}

std::string decodeCompactText(std::string_view block) {
    CompactDecoder decoder;
    std::size_t lineEnd = block.find('\n');
    std::string_view header = block.substr(0, lineEnd);
    std::size_t open = header.find('(');
    if (open == std::string_view::npos || header.find(')', open + 1) == std::string_view::npos) {
        // No length: the empty text.
        return std::string();
    }
    decoder.begin(header);
    std::size_t at = lineEnd == std::string_view::npos ? block.size() : lineEnd + 1;
    while (decoder.wantsMore() && at < block.size()) {
        std::size_t end = block.find('\n', at);
        if (end == std::string_view::npos)
            end = block.size();
        std::string_view line = block.substr(at, end - at);
        if (isCompactEndLine(line))
            break;
        decoder.addLine(line);
        at = end + 1;
    }
    return decoder.finish();
}

}  // namespace orven::model::persistence
