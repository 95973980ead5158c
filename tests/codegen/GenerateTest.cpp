#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>

#include "GeneratorFixture.h"
#include "api/EngineState.h"
#include "codegen/GenerationOptions.h"
#include "model/OxaModule.h"
#include "orven.h"
#include "platform/Platform.h"

using namespace orven::test;
using orven::engine;
using orven::codegen::GenerationFlag;
using orven::codegen::GenerationOptions;
namespace model = orven::model;
namespace catalogues = orven::catalogues;

namespace {
const std::string kAtoms = "#TPX-ZONE(LOG,text)#log(\"#TPX-MACRO(text,?)#\");#TPX-ENDZONE(LOG)#\n";
const std::string kDefaults = "******* * *";

// The engine with a C++ module "Arm" (a callable service "ping" and a
// monitor) in a work dir with fixture resources and a fake tao_idl.
struct GenerateTest : ::testing::Test {
    std::unique_ptr<GeneratorWorkDir> work;
    GeneratorWorkDir* d = nullptr;
    void SetUp() override {
        work.reset();
        work = std::make_unique<GeneratorWorkDir>();
        d = work.get();
        GeneratorWorkDir& dir = *d;
        engine().module.reset();
        engine().catalogue.clear();
        ::unsetenv("FAKE_IDL_EXIT");
        ::unsetenv("FAKE_IDL_HEADER");
        dir.addResource("scripts.tpx", fixtureScripts());
        dir.addResource("quenoratoms.tpx", kAtoms);
        dir.addResource("otherfileslist.txt", "extra.txt\n");
        dir.addResource("extra.txt", "extra\n");
        dir.addSupportTrees();
        dir.addFakeIdlCompiler();
        writeFile(dir.file("skeleton.h"), "  virtual void ping ( ::CORBA::Long x ) = 0;\n");
        auto m = cppModule("Arm");
        addService(*m, "G", "ping", 0);
        addService(*m, "G", "watch", 0, model::kMonitor);
        engine().module = std::move(m);
    }
    void TearDown() override {
        work.reset();
        engine().module.reset();
        ::unsetenv("FAKE_IDL_EXIT");
        ::unsetenv("FAKE_IDL_HEADER");
    }
    int generate(const std::string& options, std::string& error, int size = 159,
                 int generator = 0) {
        char buffer[400];
        std::memset(buffer, '#', sizeof buffer);
        buffer[0] = '\0';
        int result = Generate(generator, d->output().c_str(), size, buffer, options.c_str());
        error = buffer;
        return result;
    }
    std::string value(const std::string& file, const std::string& key) {
        std::string text = readFile(d->out(file));
        std::size_t at = text.find(key + "=[");
        if (at == std::string::npos)
            return "<none>";
        at += key.size() + 2;
        return text.substr(at, text.find(']', at) - at);
    }
};

std::string optionsWith(std::initializer_list<GenerationFlag> flags) {
    GenerationOptions o;
    for (GenerationFlag f : flags)
        o.set(f);
    return orven::codegen::encodeOptionString(0, o);
}
}  // namespace

TEST_F(GenerateTest, WhatTheGeneratorsSay) {
    EXPECT_EQ(NumberOfExistingGenerators(), 1);
    char buffer[64];
    ASSERT_EQ(NameOfNthExistingGenerator(0, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "Vantorel");
    EXPECT_EQ(NameOfNthExistingGenerator(1, buffer, sizeof buffer), 0);
    EXPECT_EQ(NameOfNthExistingGenerator(-1, buffer, sizeof buffer), 0);
    ASSERT_EQ(CompilerSupportedByNthGenerator(0, buffer, 7), 1);
    EXPECT_STREQ(buffer, "Visual");
    EXPECT_EQ(CompilerSupportedByNthGenerator(1, buffer, sizeof buffer), 0);
    EXPECT_EQ(CodificationLanguageSupportedByNthGenerator(0), 0);
    EXPECT_EQ(CodificationLanguageSupportedByNthGenerator(1), -1);
    // None of these needs a module.
    engine().module.reset();
    EXPECT_EQ(NameOfNthExistingGenerator(0, buffer, sizeof buffer), 1);
    EXPECT_EQ(CodificationLanguageSupportedByNthGenerator(0), 0);
}

TEST_F(GenerateTest, SupportedPlatformsComeFromTheCatalogue) {
    // Without C0006 and E0000 in the catalogue nothing is supported.
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(NumberOfPlatformsSupportedByNthGenerator(0, p), 0) << p;
    ASSERT_TRUE(
        engine().catalogue.add({"Win32 threads", catalogues::PlatformCategory(2), "E0001"}));
    ASSERT_TRUE(engine().catalogue.add({"ACE+TAO", catalogues::PlatformCategory(5), "C0006"}));
    ASSERT_TRUE(engine().catalogue.add({"Windows NT", catalogues::PlatformCategory(2), "E0000"}));
    const int expected[] = {0, 1, 0, 0, 1};
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(NumberOfPlatformsSupportedByNthGenerator(0, p), expected[p]) << p;
    EXPECT_EQ(NumberOfPlatformsSupportedByNthGenerator(0, 5), 0);
    EXPECT_EQ(NumberOfPlatformsSupportedByNthGenerator(0, -1), 0);
    EXPECT_EQ(NumberOfPlatformsSupportedByNthGenerator(1, 1), 0);
    char buffer[64];
    ASSERT_EQ(NameOfMthPlatformSupportedByNthGenerator(0, 1, 0, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "Windows NT");
    ASSERT_EQ(NameOfMthPlatformSupportedByNthGenerator(0, 4, 0, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "ACE+TAO");
    EXPECT_EQ(NameOfMthPlatformSupportedByNthGenerator(0, 4, 1, buffer, sizeof buffer), 0);
    EXPECT_EQ(NameOfMthPlatformSupportedByNthGenerator(0, 4, -1, buffer, sizeof buffer), 0);
    EXPECT_EQ(NameOfMthPlatformSupportedByNthGenerator(0, 0, 0, buffer, sizeof buffer), 0);
    EXPECT_EQ(NameOfMthPlatformSupportedByNthGenerator(1, 1, 0, buffer, sizeof buffer), 0);
}

TEST_F(GenerateTest, OnlyCppModulesCanBeGenerated) {
    EXPECT_EQ(GeneratorCanGenerate(0), 1);
    EXPECT_EQ(GeneratorCanGenerate(1), 0);
    engine().module->setCodificationLanguage(
        catalogues::CodificationLanguage(catalogues::CodificationLanguage::kJava));
    EXPECT_EQ(GeneratorCanGenerate(0), 0);
    std::string error;
    EXPECT_EQ(generate(kDefaults, error), 0);
    EXPECT_EQ(error, "The generator says that cannot handle that module (maybe the language?)!");
    engine().module.reset();
    EXPECT_EQ(GeneratorCanGenerate(0), 0);
}

TEST_F(GenerateTest, RefusalsBeforeAnyStage) {
    struct Case {
        std::string name;
        int generator;
        bool module;
        std::string options;
        std::string error;
    };
    const std::string noModule =
        "Either the module is empty or the selected generator does not exist";
    const Case cases[] = {
        {"no module", 0, false, kDefaults, noModule},
        {"generator 1", 1, true, kDefaults, noModule},
        {"generator -1", -1, true, kDefaults, noModule},
        {"10 characters", 0, true, std::string(10, '*'), "Invalid code generation options"},
        {"12 characters", 0, true, std::string(12, '*'), "Invalid code generation options"},
        {"empty", 0, true, "", "Invalid code generation options"},
    };
    for (const Case& c : cases) {
        SetUp();
        GeneratorWorkDir& dir = *d;
        if (!c.module)
            engine().module.reset();
        std::string error;
        EXPECT_EQ(generate(c.options, error, 159, c.generator), 0) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_FALSE(fileExists(dir.out("README"))) << c.name;
    }
}

TEST_F(GenerateTest, AFullRunWritesEveryFileAndReturnsToTheEngineDirectory) {
    GeneratorWorkDir& dir = *d;
    const std::string engineDir = orven::platform::currentDirectory();
    ::setenv("FAKE_IDL_HEADER", dir.file("skeleton.h").c_str(), 1);
    std::string error;
    ASSERT_EQ(generate(kDefaults, error), 1) << error;
    EXPECT_EQ(orven::platform::currentDirectory(), engineDir);
    for (const char* f : {"README", "ace/OS.h", "orven.idl", "OXA_Arm.idl", "OXA_ArmS.h",
                          "OXA_Arm_i.h", "OXA_Arm_i.cpp", "OXA_Arm_main.cpp",
                          "OXA_Arm_workspace.dsw", "OXA_Arm_project.dsp", "extra.txt", "voxl.h"}) {
        EXPECT_TRUE(fileExists(dir.out(f))) << f;
    }
    EXPECT_EQ(dir.idlLog(), dir.output() + " OXA_Arm.idl\n");
    // The compiled IDL's skeleton gave the method's parameters.
    EXPECT_NE(readFile(dir.out("OXA_Arm_i.h")).find("serviceparms=[::CORBA::Long x]"),
              std::string::npos);
    EXPECT_EQ(value("OXA_Arm_i.cpp", "withVOXL"), "true");
    EXPECT_EQ(value("OXA_Arm_project.dsp", "WithMFC"), "false");
}

TEST_F(GenerateTest, OptionsSelectTheStages) {
    GeneratorWorkDir& dir = *d;
    std::string error;
    // Nothing but the ACE+TAO copy, which always runs.
    ASSERT_EQ(generate(std::string(11, ' '), error), 1) << error;
    EXPECT_TRUE(fileExists(dir.out("README")));
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.output()))
        files.push_back(e.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"README", "ace"}));
    EXPECT_EQ(dir.idlLog(), "");

    ASSERT_EQ(generate(optionsWith({GenerationFlag::MainFile, GenerationFlag::WithMfc,
                                    GenerationFlag::ProjectFiles}),
                       error),
              1)
        << error;
    EXPECT_TRUE(fileExists(dir.out("OXA_Arm_main.cpp")));
    EXPECT_EQ(value("OXA_Arm_project.dsp", "WithMFC"), "true");
    EXPECT_EQ(value("OXA_Arm_project.dsp", "withVOXL"), "false");
    EXPECT_FALSE(fileExists(dir.out("voxl.h")));
    EXPECT_FALSE(fileExists(dir.out("OXA_Arm.idl")));
}

TEST_F(GenerateTest, TheIdlCompilationDecidesHowTheRunGoesOn) {
    using F = GenerationFlag;
    const std::string compileFailed =
        "Compilation of IDL file failed \\(tao_idl=1, errno=[0-9]+\\)";
    const std::string notCompiled =
        " /* IDL file not compiled. Consult the OXA_ArmS.h file for "
        "knowing the CORBA parameters of this method */ ";
    struct Case {
        std::string name;
        std::string options;
        bool compilerFails;
        bool headerWritten;  // the compiler writes the skeleton header
        bool preWrittenHeader;
        int result;
        std::string error;       // a regular expression
        std::string parameters;  // of the callable service, when the header is written
    };
    const Case cases[] = {
        {"compiled", optionsWith({F::ModuleIdl, F::CompileIdl, F::ImplementationClasses}), false,
         true, false, 1, "", "::CORBA::Long x"},
        {"not compiling, forced success reads the header",
         optionsWith({F::ImplementationClasses, F::ForceIdlSuccess}), false, false, true, 1, "",
         "::CORBA::Long x"},
        {"not compiling, forced success without header",
         optionsWith({F::ImplementationClasses, F::ForceIdlSuccess}), false, false, false, 0,
         "Thought that IDL was compiled, but files were not found", ""},
        {"not compiling, not forced", optionsWith({F::ImplementationClasses}), false, false, true,
         1, "", notCompiled},
        {"failure with nothing depending on it",
         optionsWith({F::ModuleIdl, F::CompileIdl, F::CopyOtherFiles}), true, false, false, 0,
         compileFailed, ""},
        {"failure and stop",
         optionsWith({F::ModuleIdl, F::CompileIdl, F::ImplementationClasses, F::StopOnIdlError}),
         true, false, false, 0, compileFailed, ""},
        {"failure forced to success",
         optionsWith({F::ModuleIdl, F::CompileIdl, F::ImplementationClasses, F::StopOnIdlError,
                      F::ForceIdlSuccess}),
         true, false, true, 1, "", "::CORBA::Long x"},
        {"failure, implementation not compiled",
         optionsWith({F::ModuleIdl, F::CompileIdl, F::ImplementationClasses}), true, false, true, 1,
         "", notCompiled},
        {"failure, main file goes on", optionsWith({F::ModuleIdl, F::CompileIdl, F::MainFile}),
         true, false, false, 1, "", ""},
        {"failure, global IDL goes on", optionsWith({F::ModuleIdl, F::CompileIdl, F::GlobalIdl}),
         true, false, false, 1, "", ""},
        {"compiling without IDL file", optionsWith({F::CompileIdl, F::MainFile}), false, false,
         false, 1, "", ""},
    };
    for (const Case& c : cases) {
        SetUp();
        GeneratorWorkDir& dir = *d;
        if (c.compilerFails)
            ::setenv("FAKE_IDL_EXIT", "1", 1);
        if (c.headerWritten)
            ::setenv("FAKE_IDL_HEADER", dir.file("skeleton.h").c_str(), 1);
        if (c.preWrittenHeader)
            writeFile(dir.out("OXA_ArmS.h"), readFile(dir.file("skeleton.h")));
        std::string error;
        EXPECT_EQ(generate(c.options, error), c.result) << c.name << ": " << error;
        if (c.result == 0) {
            EXPECT_TRUE(std::regex_match(error, std::regex(c.error))) << c.name << ": " << error;
        }
        if (!c.parameters.empty()) {
            EXPECT_EQ(value("OXA_Arm_i.h", "serviceparms"), c.parameters) << c.name;
        }
        TearDown();
    }
}

TEST_F(GenerateTest, CompilingAMissingIdlFileFailsUnlessAnotherStageDependsOnIt) {
    std::string error;
    EXPECT_EQ(generate(optionsWith({GenerationFlag::CompileIdl}), error), 0);
    EXPECT_EQ(error, "IDL file not found");
}

TEST_F(GenerateTest, MissingResourcesAndUnwritableOutput) {
    GeneratorWorkDir& dir = *d;
    std::string error;
    std::filesystem::remove_all(dir.resource("ACE51TAO11"));
    EXPECT_EQ(generate(kDefaults, error), 0);
    EXPECT_EQ(error,
              "1 Error copying ACE+TAO from [./codegeneration/WindowsACE51TAO11CPP/"
              "ACE51TAO11] to [" +
                  dir.output() + "]");

    std::filesystem::remove_all(dir.file("codegeneration"));
    EXPECT_EQ(generate(kDefaults, error), 0);
    EXPECT_EQ(error,
              "Directory with code generation resources not found! "
              "(codegeneration/WindowsACE51TAO11CPP/)");
}

TEST_F(GenerateTest, AnOutputDirectoryThatCannotBeEnteredGetsNothing) {
    GeneratorWorkDir& dir = *d;
    writeFile(dir.file("plain"), "x");
    char buffer[300];
    EXPECT_EQ(Generate(0, dir.file("plain/out").c_str(), 299, buffer, kDefaults.c_str()), 0);
    EXPECT_EQ(std::string(buffer).substr(0, 30), "1 Error copying ACE+TAO from [");
    // An empty output directory writes nothing anywhere.
    EXPECT_EQ(Generate(0, "", 299, buffer, kDefaults.c_str()), 0);
    EXPECT_EQ(std::string(buffer).substr(0, 30), "1 Error copying ACE+TAO from [");
    EXPECT_EQ(Generate(0, nullptr, 299, buffer, kDefaults.c_str()), 0);
    EXPECT_FALSE(fileExists("/README"));
}

TEST_F(GenerateTest, MessagesAreCutToTheBuffer) {
    GeneratorWorkDir& dir = *d;
    std::filesystem::remove_all(dir.file("codegeneration"));
    std::string error;
    EXPECT_EQ(generate(kDefaults, error, 11), 0);
    EXPECT_EQ(error, "Directory ");
    EXPECT_EQ(generate("bad", error, 5), 0);
    EXPECT_EQ(error, "Inva");
    // A null buffer receives nothing.
    EXPECT_EQ(Generate(0, dir.output().c_str(), 159, nullptr, kDefaults.c_str()), 0);
}

TEST_F(GenerateTest, AFailingStageKeepsWhatEarlierStagesWrote) {
    GeneratorWorkDir& dir = *d;
    dir.addResource("scripts.tpx", fixtureScripts({"MAIN_FILE"}));
    const std::string engineDir = orven::platform::currentDirectory();
    std::string error;
    EXPECT_EQ(generate(optionsWith({GenerationFlag::GlobalIdl, GenerationFlag::ModuleIdl,
                                    GenerationFlag::CompileIdl, GenerationFlag::MainFile,
                                    GenerationFlag::ProjectFiles}),
                       error),
              0);
    EXPECT_EQ(error, "Error applying macros on main file macroscript");
    EXPECT_TRUE(fileExists(dir.out("orven.idl")));
    EXPECT_TRUE(fileExists(dir.out("OXA_Arm.idl")));
    EXPECT_FALSE(fileExists(dir.out("OXA_Arm_project.dsp")));
    EXPECT_EQ(orven::platform::currentDirectory(), engineDir);
}

TEST_F(GenerateTest, PredictChangeOptionsRewritesTheTextInPlace) {
    struct Case {
        int generator, kind;
        std::string before, after;
        int result;
    };
    const Case cases[] = {
        {0, 0, std::string(11, '*'), "  *    ****", 1},
        {0, 6, "x.x.x.x.x.x", "********   ", 1},
        {0, 3, std::string(11, ' '), "****   *   ", 1},
        {0, 7, std::string(11, '*'), std::string(11, '*'), 0},
        {0, -1, "x.x.x.x.x.x", "x.x.x.x.x.x", 0},
        {0, 1, std::string(10, ' '), std::string(10, ' '), 0},
        {0, 1, std::string(12, ' '), std::string(12, ' '), 0},
        {1, 1, std::string(11, ' '), std::string(11, ' '), 0},
    };
    for (const Case& c : cases) {
        char text[32];
        std::snprintf(text, sizeof text, "%s", c.before.c_str());
        EXPECT_EQ(PredictChangeOptions(c.generator, c.kind, text), c.result) << c.kind;
        EXPECT_EQ(std::string(text), c.after) << "kind " << c.kind << " [" << c.before << "]";
    }
    EXPECT_EQ(PredictChangeOptions(0, 1, nullptr), 0);

    char text[32] = "* * * * * *";
    engine().module->setCodificationLanguage(
        catalogues::CodificationLanguage(catalogues::CodificationLanguage::kC));
    EXPECT_EQ(PredictChangeOptions(0, 1, text), 0);
    engine().module.reset();
    EXPECT_EQ(PredictChangeOptions(0, 1, text), 0);
    EXPECT_STREQ(text, "* * * * * *");
}
