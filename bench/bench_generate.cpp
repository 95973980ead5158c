// Generation of a module with many services: every stage of a run but the
// IDL compiler, with the real code-generation resources and a skeleton
// header as the IDL compiler would leave it.
//
//   build/bench/bench_generate
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "catalogues/ComponentCatalogue.h"
#include "codegen/CorbaCppGenerator.h"
#include "codegen/GenerationOptions.h"
#include "model/OxaModule.h"

namespace fs = std::filesystem;
namespace model = orven::model;
using orven::codegen::GenerationFlag;

namespace {

// A working directory with a copy of the engine's data, made current.
class WorkDir {
  public:
    WorkDir() {
        std::string pattern = (fs::temp_directory_path() / "orven-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern;
        fs::path data = fs::path(__FILE__).parent_path().parent_path() / "data";
        fs::copy(data, path_, fs::copy_options::recursive);
        fs::create_directories(path_ + "/out");
        fs::create_directories(path_ + "/externals");
        previous_ = fs::current_path();
        fs::current_path(path_);
    }
    ~WorkDir() {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(path_, ec);
    }
    std::string output() const { return path_ + "/out"; }

  private:
    std::string path_;
    fs::path previous_;
};

// n services in groups of 10: callable services with data and code that
// uses an atom, and in every group a monitor, a beta-event handler and a
// notification handler.
std::unique_ptr<model::OxaModule> moduleWith(int n, const std::string& output) {
    auto m = std::make_unique<model::OxaModule>("Bench Module", "A module with many services");
    m->setCodificationLanguage(
        orven::catalogues::CodificationLanguage(orven::catalogues::CodificationLanguage::kCpp));
    m->addSignal("TICK", model::kBetaEvent, "1");
    m->addSignal("DONE", model::kNotification, "2");
    m->dependencies().add(model::ModuleDependency("Other", "run"));
    m->setSection(model::ModuleSection::StartupCode,
                  model::CodeSection("#TPX-INCLUDE(user-log,'\"start\"')#\n"));
    std::string skeleton = "class POA_Bench {\n";
    for (int i = 0; i < n; ++i) {
        std::string group = "group" + std::to_string(i / 10);
        model::GroupOfServices* g = m->findGroup(group);
        if (g == nullptr)
            g = m->addGroup(group, "A group of services of the module");
        std::string name = "service " + std::to_string(i);
        model::Service* s = g->addService(name, "A service of the module");
        switch (i % 10) {
            case 7:
                s->setCharacteristics(model::kMonitor | model::kPermanent);
                break;
            case 8:
                s->setType(model::kBetaEventHandler);
                s->setEventHandlerCode("TICK");
                s->setEventGeneratorModule("Other");
                break;
            case 9:
                s->setType(model::kNotificationHandler);
                s->setEventHandlerCode("DONE");
                break;
            default:
                s->setInputData(model::CodeSection("long a\nlong b\n"));
                s->setOutputData(model::CodeSection("long sum\n"));
                skeleton += "  virtual void service_" + std::to_string(i) +
                            " ( ::CORBA::Long a, ::CORBA::Long b, ::CORBA::Long_out sum, const "
                            "::ORVEN::EnteringInfo& orveninfo ) = 0;\n";
                break;
        }
        s->setServerCode(
            model::CodeSection("sum = a + b;\n#TPX-INCLUDE(user-log,'\"served\"')#\n"));
    }
    skeleton += "};\n";
    std::ofstream(output + "/OXA_Bench_ModuleS.h") << skeleton;
    return m;
}

void BM_GenerateWithoutIdlCompiler(benchmark::State& state) {
    WorkDir work;
    auto module = moduleWith(static_cast<int>(state.range(0)), work.output());
    orven::catalogues::ComponentCatalogue catalogue;
    orven::codegen::CorbaCppGenerator generator(module.get(), catalogue);
    orven::codegen::GenerationOptions options;
    generator.GetDefaultOptions(&options);
    options.set(GenerationFlag::CompileIdl, false);  // the header above stands for it
    for (auto _ : state) {
        std::string error;
        if (!generator.GenerateCode(work.output(), 0, error, &options)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GenerateWithoutIdlCompiler)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
