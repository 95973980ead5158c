#include "codegen/BuildOutput.h"

#include <cmath>
#include <limits>

namespace orven::codegen {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool contains(std::string_view line, std::string_view what) {
    return line.find(what) != npos;
}

// Everything after position `colon` and one more byte; empty when the line
// ends before.
std::string after(std::string_view line, std::size_t colon) {
    return colon + 2 <= line.size() ? std::string(line.substr(colon + 2)) : std::string();
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number at the start of the text, as the C library's reading of
// a floating-point value does it for decimal notation: leading blanks, an
// optional sign, digits with an optional fraction and exponent; reading
// stops at the first byte that cannot continue the number. The value is
// truncated towards zero and held within the range of a line number.
std::uint32_t readLineNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\v' || text[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    bool digits = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            value += (text[i] - '0') * scale;
            scale /= 10;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            int exponent = 0;
            for (; j < text.size() && isDigit(text[j]); ++j) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (text[j] - '0');
            }
            value *= std::pow(10.0, negativeExponent ? -exponent : exponent);
        }
    }
    if (negative || !(value >= 1))
        return 0;
    constexpr double kMax = std::numeric_limits<std::uint32_t>::max();
    if (value >= kMax)
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(value);
}

// "tao_idl: "file", line N: text".
bool parseIdlLine(std::string_view line, BuildMessage& m) {
    std::size_t q1 = line.find('"');
    if (q1 == npos)
        return false;
    std::size_t q2 = line.find('"', q1 + 1);
    if (q2 == npos)
        return false;
    std::size_t word = line.find("line", q2);
    if (word == npos)
        return false;
    std::size_t number = word + 5;
    if (number > line.size())
        return false;
    std::size_t colon = line.find(':', number);
    if (colon == npos)
        return false;
    m.kind = kCompilationError;
    m.file = std::string(line.substr(q1 + 1, q2 - q1 - 1));
    m.line = readLineNumber(line.substr(number, colon - number));
    m.text = after(line, colon);
    return true;
}

// "file : error LNKnnnn: text" and "file : fatal error LNKnnnn: text".
bool parseLinkErrorLine(std::string_view line, BuildMessage& m) {
    std::size_t blankColon = line.find(" :");
    if (blankColon == npos)
        return false;
    std::size_t colon = line.find(':', blankColon + 2);
    if (colon == npos)
        return false;
    m.kind = kLinkError;
    m.file = std::string(line.substr(0, blankColon));
    m.text = after(line, colon);
    return true;
}

// "LINK : warning LNKnnnn: text" and "... Build : warning : text".
bool parseLinkWarningLine(std::string_view line, BuildMessage& m) {
    std::size_t first = line.find(':');
    if (first == npos)
        return false;
    std::size_t second = line.find(':', first + 1);
    if (second == npos)
        return false;
    m.kind = kLinkWarning;
    m.text = after(line, second);
    return true;
}

// "fatal error Cnnnn: text" at the start of a line.
bool parseFatalCompilerLine(std::string_view line, BuildMessage& m) {
    std::size_t colon = line.find(':');
    if (colon == npos)
        return false;
    m.kind = kCompilationError;
    m.text = after(line, colon);
    return true;
}

// "file(line) : error Cnnnn: text", with "fatal error" or "warning".
bool parseCompilerLine(std::string_view line, BuildMessage& m) {
    std::size_t open = line.find('(');
    if (open == npos)
        return false;
    std::size_t close = line.find(')', open + 1);
    if (close == npos)
        return false;
    std::size_t message = line.find(": fatal error C");
    std::int32_t kind = kCompilationError;
    if (message == npos)
        message = line.find(": error");
    if (message == npos) {
        message = line.find(": warning");
        kind = kCompilationWarning;
    }
    if (message == npos)
        return false;
    std::size_t colon = line.find(':', message + 1);
    if (colon == npos)
        return false;
    m.kind = kind;
    m.file = std::string(line.substr(0, open));
    m.line = readLineNumber(line.substr(open + 1, close - open - 1));
    m.text = after(line, colon);
    return true;
}

}  // namespace

namespace {

// Calls f on every line of the output, in order, until f returns false.
template <class F>
void forEachLine(std::string_view output, F&& f) {
    std::size_t i = 0;
    while (i < output.size()) {
        while (i < output.size() && (output[i] == '\r' || output[i] == '\n'))
            ++i;
        std::size_t end = output.find_first_of("\r\n", i);
        if (end == npos)
            end = output.size();
        if (end > i && !f(output.substr(i, end - i)))
            return;
        i = end;
    }
}

}  // namespace

std::vector<std::string_view> splitBuildLines(std::string_view output) {
    std::vector<std::string_view> lines;
    forEachLine(output, [&](std::string_view line) {
        lines.push_back(line);
        return true;
    });
    return lines;
}

bool isReportedLine(std::string_view line) {
    return contains(line, ": error") || contains(line, "fatal error C") ||
           contains(line, "Build : warning") || contains(line, ": warning") ||
           contains(line, ": fatal error LNK") ||
           (contains(line, "tao_idl:") && contains(line, ", line"));
}

BuildMessage parseBuildLine(std::string_view line) {
    BuildMessage m;
    bool parsed = false;
    if (contains(line, "tao_idl:")) {
        parsed = parseIdlLine(line, m);
    } else if (contains(line, ": error LNK") || contains(line, ": fatal error LNK")) {
        parsed = parseLinkErrorLine(line, m);
    } else if (contains(line, ": warning LNK") || contains(line, "Build : warning")) {
        parsed = parseLinkWarningLine(line, m);
    } else if (line.substr(0, 13) == "fatal error C") {
        parsed = parseFatalCompilerLine(line, m);
    } else {
        parsed = parseCompilerLine(line, m);
    }
    return parsed ? m : BuildMessage{};
}

std::vector<BuildMessage> parseBuildOutput(std::string_view output) {
    std::vector<BuildMessage> messages;
    forEachLine(output, [&](std::string_view line) {
        if (isReportedLine(line))
            messages.push_back(parseBuildLine(line));
        return messages.size() < kMaxBuildMessages;
    });
    return messages;
}

std::string buildMessageText(const BuildMessage& message) {
    const char* kind = "Unknown Error";
    switch (message.kind) {
        case kCompilationError:
            kind = "Compilation Error";
            break;
        case kCompilationWarning:
            kind = "Compilation Warning";
            break;
        case kLinkError:
            kind = "Link Error";
            break;
        case kLinkWarning:
            kind = "Link Warning";
            break;
        default:
            break;
    }
    std::string text = kind;
    text += " [";
    text += std::to_string(message.line);
    text += "] : {";
    text += message.file;
    text += "} (";
    text += message.text;
    text += ")";
    return text;
}

}  // namespace orven::codegen
