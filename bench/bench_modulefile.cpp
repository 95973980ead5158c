// Speed of the module file: saving plus loading a module of many services
// with 10 KB of server code each. The rate counts the bytes of the module
// file's text part; the two sizes show how the cost grows with the module.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <string>

#include "catalogues/ComponentCatalogue.h"
#include "model/OxaModule.h"
#include "model/persistence/ModuleFileReader.h"
#include "model/persistence/ModuleFileWriter.h"
#include "platform/Platform.h"

using namespace orven;

namespace {

std::string temporaryDirectory() {
    char pattern[] = "/tmp/orven-bench-modulefile-XXXXXX";
    if (::mkdtemp(pattern) == nullptr)
        return ".";
    std::string dir = pattern;
    platform::makeDirectory(dir + "/externals");
    return dir;
}

// A plausible piece of C++ of about the given size.
std::string serverCode(std::mt19937& rng, std::size_t size) {
    static const char* const kLines[] = {
        "    double error = target - position;\n",
        "    command = kp * error + kd * (error - lastError) / dt;\n",
        "    if (command > limit) command = limit;\n",
        "    lastError = error;\n",
        "    for (int i = 0; i < axes; ++i) sum += samples[i];\n",
        "    status = (status & ~0x0fu) | (mode & 0x0fu);\n",
    };
    std::string code;
    while (code.size() < size)
        code += kLines[rng() % 6];
    code.resize(size);
    return code;
}

std::unique_ptr<model::OxaModule> makeModule(std::size_t services, const std::string& externals) {
    std::mt19937 rng(42);
    auto module = std::make_unique<model::OxaModule>("Bench", "A module for the benchmark",
                                                     externals, model::kTemporaryGroupName);
    const std::size_t perGroup = 100;
    for (std::size_t g = 0; g * perGroup < services; ++g) {
        model::GroupOfServices* group =
            module->addGroup("Group" + std::to_string(g), "Services of one kind");
        for (std::size_t s = 0; s < perGroup && g * perGroup + s < services; ++s) {
            model::Service* svc =
                group->addService("service" + std::to_string(s), "Moves one axis of the arm");
            svc->setServerCode(model::CodeSection(serverCode(rng, 10 * 1024)));
            svc->setInputData(model::CodeSection("double target;"));
            svc->setOutputData(model::CodeSection("double position;"));
        }
    }
    return module;
}

void BM_SaveAndLoad(benchmark::State& state) {
    const std::string dir = temporaryDirectory();
    const std::string externals = dir + "/externals";
    const std::string path = dir + "/bench.oxa";
    catalogues::ComponentCatalogue catalogue;
    std::unique_ptr<model::OxaModule> module =
        makeModule(static_cast<std::size_t>(state.range(0)), externals);
    const std::size_t textBytes = model::persistence::moduleFileText(*module, catalogue).size();
    for (auto _ : state) {
        if (!model::persistence::saveModuleFile(*module, path, catalogue)) {
            state.SkipWithError("save failed");
            break;
        }
        std::unique_ptr<model::OxaModule> loaded;
        std::string message;
        if (!model::persistence::loadModuleFile(path, externals, model::kTemporaryGroupName,
                                                catalogue, loaded, message)) {
            state.SkipWithError(message.c_str());
            break;
        }
        benchmark::DoNotOptimize(loaded.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * textBytes));
    state.counters["text_MiB"] = static_cast<double>(textBytes) / (1024.0 * 1024.0);
    platform::deleteFile(path);
}

// The two halves on their own.
void BM_Save(benchmark::State& state) {
    const std::string dir = temporaryDirectory();
    const std::string path = dir + "/bench.oxa";
    catalogues::ComponentCatalogue catalogue;
    auto module = makeModule(static_cast<std::size_t>(state.range(0)), dir + "/externals");
    const std::size_t textBytes = model::persistence::moduleFileText(*module, catalogue).size();
    for (auto _ : state) {
        if (!model::persistence::saveModuleFile(*module, path, catalogue)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * textBytes));
    platform::deleteFile(path);
}

void BM_Load(benchmark::State& state) {
    const std::string dir = temporaryDirectory();
    const std::string externals = dir + "/externals";
    const std::string path = dir + "/bench.oxa";
    catalogues::ComponentCatalogue catalogue;
    std::size_t textBytes = 0;
    {
        auto module = makeModule(static_cast<std::size_t>(state.range(0)), externals);
        textBytes = model::persistence::moduleFileText(*module, catalogue).size();
        model::persistence::saveModuleFile(*module, path, catalogue);
    }
    for (auto _ : state) {
        std::unique_ptr<model::OxaModule> loaded;
        std::string message;
        if (!model::persistence::loadModuleFile(path, externals, model::kTemporaryGroupName,
                                                catalogue, loaded, message)) {
            state.SkipWithError(message.c_str());
            break;
        }
        benchmark::DoNotOptimize(loaded.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * textBytes));
    platform::deleteFile(path);
}

}  // namespace

BENCHMARK(BM_Save)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_Load)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_SaveAndLoad)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
