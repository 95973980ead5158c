// The build tool's captured output turned into error records: the output is
// cut into lines, the lines that look like complaints of the compiler, the
// linker or the IDL compiler are kept, and each kept line becomes one record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orven::codegen {

enum BuildMessageKind : std::int32_t {
    kCompilationError = 0,
    kCompilationWarning = 1,
    kLinkError = 2,
    kLinkWarning = 3,
    kUnknownMessage = 4,
};

// One record of the error list.
struct BuildMessage {
    std::int32_t kind = kUnknownMessage;
    std::string file;
    std::string text;
    std::uint32_t line = 0;

    bool operator==(const BuildMessage&) const = default;
};

// Most records the error list keeps from one build; the lines after them are
// not parsed (an output that large is no build log a person reads).
inline constexpr std::size_t kMaxBuildMessages = 100000;

// The lines of an output: cut at carriage returns and line feeds, runs of
// them counting as one separator, so no line is empty.
std::vector<std::string_view> splitBuildLines(std::string_view output);

// True when the line is one of the complaints that become records.
bool isReportedLine(std::string_view line);

// The record of one reported line; a line that fits no known shape gives the
// unknown record {4, "", "", 0}.
BuildMessage parseBuildLine(std::string_view line);

// Every reported line of the output, in order, as records (at most
// kMaxBuildMessages).
std::vector<BuildMessage> parseBuildOutput(std::string_view output);

// The display text of a record:
// kind name + " [" + line + "] : {" + file + "} (" + text + ")".
std::string buildMessageText(const BuildMessage& message);

}  // namespace orven::codegen
