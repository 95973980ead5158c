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

#include "TestSupport.h"
#include "api/EngineState.h"
#include "codegen/ModuleNames.h"
#include "model/OxaModule.h"
#include "orven.h"

namespace fs = std::filesystem;
namespace model = orven::model;
using orven::engine;
using orven::test::EngineWorkDir;
using orven::test::readFile;
using orven::test::writeFile;

namespace {
const char* kDefaults = "******* * *";

// Runs a command line in a directory; its exit code, the output in log.
int runIn(const std::string& directory, const std::string& command, const std::string& log) {
    std::string line = "cd '" + directory + "' && " + command + " > '" + log + "' 2>&1";
    int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void setCpp(model::OxaModule& m) {
    m.setCodificationLanguage(
        orven::catalogues::CodificationLanguage(orven::catalogues::CodificationLanguage::kCpp));
}

model::Service& service(model::OxaModule& m, const std::string& group, const std::string& name,
                        int type, std::uint32_t flags) {
    model::GroupOfServices* g = m.findGroup(group);
    if (g == nullptr)
        g = m.addGroup(group, "The group " + group + " of services of this module");
    model::Service* s = g->addService(name, "The service " + name + " of this module");
    EXPECT_NE(s, nullptr);
    EXPECT_TRUE(s->setType(type));
    EXPECT_TRUE(s->setCharacteristics(flags));
    return *s;
}

// A module that produces a beta event and a notification and offers two
// services.
std::unique_ptr<model::OxaModule> cameraModule() {
    auto m = std::make_unique<model::OxaModule>("Camera", "The camera module", "externals");
    setCpp(*m);
    EXPECT_TRUE(m->addSignal("SEEN", model::kBetaEvent, "1"));
    EXPECT_TRUE(m->addSignal("DARK", model::kNotification, "2"));
    service(*m, "Images", "grab", 0, 0)
        .setInputData(model::CodeSection("long width\nlong height\n"));
    m->findService("Images", "grab")->setOutputData(model::CodeSection("long size"));
    m->findService("Images", "grab")
        ->setServerCode(model::CodeSection("size = width * height;\n"
                                           "#TPX-INCLUDE(output-text,Camera,'\"grabbed\"')#\n"));
    service(*m, "Images", "on dark", 2, 0).setEventHandlerCode("DARK");
    return m;
}

// A module with every kind of service, dependencies on Camera, code using
// atoms, public definitions and an external include file.
std::unique_ptr<model::OxaModule> armModule(const std::string& sources) {
    auto m = std::make_unique<model::OxaModule>("Robot Arm", "The robot arm module", "externals");
    setCpp(*m);
    EXPECT_TRUE(m->addSignal("MOVED", model::kBetaEvent, "7"));
    EXPECT_TRUE(m->addSignal("HALT", model::kNotification, "8"));
    m->setSection(model::ModuleSection::PreDefinitions,
                  model::CodeSection("typedef long Position;\nconst long MAX_SPEED = 10;\n"));
    m->setSection(model::ModuleSection::GlobalData, model::CodeSection("long position;\n"));
    m->setSection(
        model::ModuleSection::GlobalCode,
        model::CodeSection("static long clampSpeed(long s) { return s > 10 ? 10 : s; }\n"));
    m->setSection(
        model::ModuleSection::StartupCode,
        model::CodeSection("position = PULSE;\n#TPX-INCLUDE(user-log,'\"starting\"')#\n"));
    m->setSection(model::ModuleSection::PreEndingCode,
                  model::CodeSection("#TPX-INCLUDE(user-log,'\"stopping\"')#\n"));
    m->setSection(model::ModuleSection::PostEndingCode, model::CodeSection("position = 0;\n"));
    service(*m, "Motion", "move to", 0, model::kModifier)
        .setInputData(model::CodeSection("long target\nlong speed\n"));
    m->findService("Motion", "move to")->setOutputData(model::CodeSection("long reached\n"));
    m->findService("Motion", "move to")
        ->setServerCode(model::CodeSection("position = target + clampSpeed(speed) * 0;\n"
                                           "reached = position;\n"));
    service(*m, "Motion", "where", 0, model::kReentrant)
        .setOutputData(model::CodeSection("long at"));
    m->findService("Motion", "where")->setServerCode(model::CodeSection("at = position;\n"));
    service(*m, "Motion", "stop", 0, 0);
    service(*m, "Watch", "guard", 0, model::kMonitor | model::kPermanent | model::kPrioritized)
        .setServerCode(model::CodeSection("#TPX-INCLUDE(user-log,'\"guarding\"')#\n"));
    model::Service& seen = service(*m, "Watch", "on seen", 1, 0);
    EXPECT_TRUE(seen.setEventHandlerCode("SEEN"));
    EXPECT_TRUE(seen.setEventGeneratorModule("Camera"));
    service(*m, "Watch", "on halt", 2, 0).setEventHandlerCode("HALT");
    EXPECT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "grab")));
    EXPECT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "")));
    writeFile(sources + "/pulse.h", "#define PULSE 1\n");
    EXPECT_TRUE(m->externals().setExternalList(model::kExternalData,
                                               {model::ExternalEntry(sources, "pulse.h")}));
    return m;
}

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
