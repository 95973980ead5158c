// Captured build output of any shape: the parser must never crash, every
// reported line yields one record, and every record's fields come from its
// line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "api/EngineState.h"
#include "api/orven.h"
#include "codegen/BuildOutput.h"

using namespace orven;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view output(reinterpret_cast<const char*>(data), size);

    std::size_t reported = 0;
    for (std::string_view line : codegen::splitBuildLines(output)) {
        require(!line.empty());
        require(line.find_first_of("\r\n") == std::string_view::npos);
        codegen::BuildMessage m = codegen::parseBuildLine(line);
        require(m.kind >= codegen::kCompilationError && m.kind <= codegen::kUnknownMessage);
        require(m.file.size() <= line.size() && m.text.size() <= line.size());
        require(m.file.empty() || line.find(m.file) != std::string_view::npos);
        require(m.text.empty() || line.find(m.text) != std::string_view::npos);
        if (m.kind == codegen::kUnknownMessage) {
            require(m == codegen::BuildMessage{});
        }
        if (codegen::isReportedLine(line))
            ++reported;
    }

    std::vector<codegen::BuildMessage> records = codegen::parseBuildOutput(output);
    require(records.size() == std::min(reported, codegen::kMaxBuildMessages));

    // Through the exports: the records read back with the copy rule.
    engine().buildErrors = std::move(records);
    require(NumberOfErrors() == static_cast<int>(engine().buildErrors.size()));
    char buffer[64];
    for (int i = 0; i < NumberOfErrors() && i < 16; ++i) {
        require(ReadError(i, buffer, sizeof buffer) == 1);
        std::string full = codegen::buildMessageText(engine().buildErrors[i]);
        std::string_view copied(buffer);
        require(copied.size() < sizeof buffer);
        require(std::string_view(full).substr(0, copied.size()) == copied);
    }
    require(ReadError(NumberOfErrors(), buffer, sizeof buffer) == 0);
    require(ReadError(-1, buffer, sizeof buffer) == 0);
    return 0;
}
