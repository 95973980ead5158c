// Generates modules with the real resources and the IDL compiler stand-in,
// then checks the result with the real tools: omniidl on the IDL files and
// g++ -fsyntax-only on the generated sources against omniORB and the
// support trees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "EndToEndModules.h"
#include "TestSupport.h"
#include "api/EngineState.h"
#include "codegen/ModuleNames.h"
#include "model/OxaModule.h"
#include "orven.h"

namespace fs = std::filesystem;
namespace model = orven::model;
using orven::engine;
using orven::test::armModule;
using orven::test::cameraModule;
using orven::test::EngineWorkDir;
using orven::test::readFile;
using orven::test::runIn;

namespace {
const char* kDefaults = "******* * *";

struct Generated {
    std::string name;  // module name
    std::string base;  // moduleBaseName
};
}  // namespace

TEST(EndToEnd, GeneratedModulesPassTheIdlCompilerAndTheCppCompiler) {
    const std::string toolDir = orven::test::binaryDir() + "/tools/bin";
    ASSERT_TRUE(fs::exists(toolDir + "/tao_idl")) << "build the tao_idl stand-in first";
    EngineWorkDir work;
    char error[400] = "";
    ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, error, sizeof error), 1) << error;
    std::string path = toolDir + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "");
    ::setenv("PATH", path.c_str(), 1);
    const std::string out = work.file("out");
    fs::create_directories(out);
    fs::create_directories(work.file("src"));

    std::vector<Generated> generated;
    auto generateCurrent = [&](const std::string& what) {
        char message[400] = "";
        ASSERT_EQ(Generate(0, out.c_str(), sizeof message - 1, message, kDefaults), 1)
            << what << ": " << message;
        generated.push_back(
            {engine().module->name(), orven::codegen::moduleBaseName(engine().module->name())});
    };

    // The example modules, then two modules made here.
    std::vector<std::string> examples;
    const std::string exampleDir = orven::test::sourceDir() + "/examples";
    for (const auto& e : fs::directory_iterator(exampleDir)) {
        if (e.path().extension() == ".oxa")
            examples.push_back(e.path().string());
    }
    std::sort(examples.begin(), examples.end());
    for (const std::string& file : examples) {
        char message[400] = "";
        ASSERT_EQ(LoadOXAModule(file.c_str(), sizeof message, message), 1) << file << message;
        generateCurrent(file);
    }
    engine().module = cameraModule();
    generateCurrent("Camera");
    engine().module = armModule(work.file("src"));
    generateCurrent("Robot Arm");
    engine().module.reset();

    // No expansion failed anywhere.
    for (const auto& e : fs::recursive_directory_iterator(out)) {
        if (e.is_regular_file()) {
            EXPECT_EQ(readFile(e.path().string()).find("PARSING ERROR"), std::string::npos)
                << e.path();
        }
    }

    const std::string orb = "$(pkg-config --cflags omniORB4 omnithread4)";
    for (const Generated& g : generated) {
        for (const std::string& f :
             {g.base + ".idl", g.base + "_i.h", g.base + "_i.cpp", g.base + "_main.cpp",
              g.base + "_workspace.dsw", g.base + "_project.dsp", g.base + "C.h", g.base + "S.h"}) {
            EXPECT_TRUE(fs::exists(out + "/" + f)) << f;
        }
        const std::string log = work.file(g.base + ".log");
        EXPECT_EQ(runIn(out, "omniidl -I. " + g.base + ".idl", log), 0) << g.name << ":\n"
                                                                        << readFile(log);
        for (const std::string& source : {g.base + "_i.cpp", g.base + "_main.cpp"}) {
            EXPECT_EQ(
                runIn(out, "g++ -fsyntax-only -Wall " + orb + " -I. -Ivoxl -IACE51TAO11 " + source,
                      log),
                0)
                << source << ":\n"
                << readFile(log);
        }
    }
    EXPECT_EQ(runIn(out, "omniidl -I. orven.idl", work.file("orven.log")), 0)
        << readFile(work.file("orven.log"));
    EXPECT_EQ(readFile(out + "/pulse.h"), "#define PULSE 1\n");
}
