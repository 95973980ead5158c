// Speed of the verification checks and of the build output parser on large
// inputs.
#include <benchmark/benchmark.h>

#include <string>

#include "codegen/BuildOutput.h"
#include "codegen/Verification.h"

using namespace orven::codegen;

namespace {

std::string codeWithFindings(std::size_t lines) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) {
        text += (i % 3 == 0) ? "x = CORBA::string_dup(s);\n" : "y = f(y) + 1; // plain code\n";
        if (i % 5 == 0)
            text += "return (x);\nreturn x;\n";
    }
    return text;
}

void BM_VerifySectionWithFix(benchmark::State& state) {
    const std::string code = codeWithFindings(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        Verifier verifier(true);
        std::string text = code;
        verifier.checkSection(Verifier::serviceHeading("S", "G"), kKindServerCode, text);
        benchmark::DoNotOptimize(verifier.report().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * code.size()));
}
BENCHMARK(BM_VerifySectionWithFix)->Arg(1000)->Arg(100000);

void BM_ParseBuildOutput(benchmark::State& state) {
    std::string output;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        output += "Compiling...\r\n";
        output += "C:\\gen\\OXA_Arm_i.cpp(12) : error C2065: 'x' : undeclared identifier\r\n";
        output += "util.obj : error LNK2001: unresolved external symbol _f\r\n";
    }
    for (auto _ : state) {
        std::vector<BuildMessage> records = parseBuildOutput(output);
        benchmark::DoNotOptimize(records.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * output.size()));
}
BENCHMARK(BM_ParseBuildOutput)->Arg(1000)->Arg(50000);

}  // namespace

BENCHMARK_MAIN();
