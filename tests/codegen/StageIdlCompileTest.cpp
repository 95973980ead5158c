#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "GeneratorFixture.h"
#include "codegen/GenerationContext.h"
#include "codegen/IdlCompileStage.h"
#include "platform/Platform.h"

using namespace orven::codegen;
using orven::test::GeneratorWorkDir;
using orven::test::makeDirectories;
using orven::test::readFile;
using orven::test::writeFile;

namespace {
GenerationContext engineContext(const std::string& output) {
    GenerationContext c;
    c.engineDirectory = orven::platform::currentDirectory();
    c.outputDirectory = output;
    return c;
}
}  // namespace

TEST(StageIdlCompile, RunsTheCompilerOnTheFileNameInsideTheIdlDirectory) {
    GeneratorWorkDir dir;
    dir.addFakeIdlCompiler();
    ::unsetenv("FAKE_IDL_EXIT");
    writeFile(dir.out("OXA_Arm.idl"), "module X {};\n");
    GenerationContext c = engineContext(dir.output());
    std::string error;
    ASSERT_TRUE(IdlCompileStage(c, "tao_idl", dir.out("OXA_Arm.idl")).run(error)) << error;
    EXPECT_EQ(dir.idlLog(), dir.output() + " OXA_Arm.idl\n");
    EXPECT_EQ(orven::platform::currentDirectory(), c.engineDirectory);
}

TEST(StageIdlCompile, AFailingCompilerGivesItsExitCodeAndErrno) {
    GeneratorWorkDir dir;
    dir.addFakeIdlCompiler();
    writeFile(dir.out("OXA_Arm.idl"), "module X {};\n");
    GenerationContext c = engineContext(dir.output());
    for (int code : {1, 7}) {
        ::setenv("FAKE_IDL_EXIT", std::to_string(code).c_str(), 1);
        std::string error;
        EXPECT_FALSE(IdlCompileStage(c, "tao_idl", dir.out("OXA_Arm.idl")).run(error));
        EXPECT_TRUE(std::regex_match(
            error, std::regex("Compilation of IDL file failed \\(tao_idl=" + std::to_string(code) +
                              ", errno=[0-9]+\\)")))
            << error;
        EXPECT_EQ(orven::platform::currentDirectory(), c.engineDirectory);
    }
    ::unsetenv("FAKE_IDL_EXIT");
}

TEST(StageIdlCompile, AMissingIdlFileIsReportedBeforeAnythingRuns) {
    GeneratorWorkDir dir;
    dir.addFakeIdlCompiler();
    GenerationContext c = engineContext(dir.output());
    std::string error;
    EXPECT_FALSE(IdlCompileStage(c, "tao_idl", dir.out("OXA_None.idl")).run(error));
    EXPECT_EQ(error, "IDL file not found");
    makeDirectories(dir.out("OXA_Dir.idl"));
    EXPECT_FALSE(IdlCompileStage(c, "tao_idl", dir.out("OXA_Dir.idl")).run(error));
    EXPECT_EQ(error, "IDL file not found");
    EXPECT_EQ(dir.idlLog(), "");
}

TEST(StageIdlCompile, PathsSplitAtTheLastSeparator) {
    struct Case {
        std::string path, directory, file;
    };
    const Case cases[] = {
        {"/a/b/OXA_X.idl", "/a/b", "OXA_X.idl"},
        {"out\\OXA_X.idl", "out", "OXA_X.idl"},
        {"OXA_X.idl", ".", "OXA_X.idl"},
        {"/OXA_X.idl", "/", "OXA_X.idl"},
    };
    for (const Case& c : cases) {
        std::string d, f;
        splitPath(c.path, d, f);
        EXPECT_EQ(d, c.directory) << c.path;
        EXPECT_EQ(f, c.file) << c.path;
    }
}
