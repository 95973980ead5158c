// The msdev build driver: the command line, the directory handling and the
// capture of the tool's standard output, with a scripted stand-in for the
// tool on the search path.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BuildFakeMsdev.h"
#include "TestSupport.h"
#include "codegen/MsdevBuild.h"

using namespace orven;
using orven::test::readFile;
using orven::test::TempDir;
using orven::test::writeFile;

using orven::test::FakeMsdev;

TEST(MsdevBuild, CommandLine) {
    codegen::MsdevBuild build("dir", "OXA_Arm_project");
    EXPECT_EQ(build.commandLine(),
              "msdev OXA_Arm_project.dsp /MAKE \"OXA_Arm_project - Win32 Release\" > "
              "tempfile.tmp");
    EXPECT_EQ(build.tool(), "msdev");
}

TEST(MsdevBuild, ProjectNameOfAModule) {
    EXPECT_EQ(codegen::projectNameForModule("Arm"), "OXA_Arm_project");
    EXPECT_EQ(codegen::projectNameForModule("  my module 2 "), "OXA_my_module_2_project");
    EXPECT_EQ(codegen::projectNameForModule("3D view"), "OXA_x_3D_view_project");
    EXPECT_EQ(codegen::projectNameForModule("a-b.c\xe9"), "OXA_a_b_c__project");
}

TEST(MsdevBuild, RunsTheToolInTheBuildDirectoryAndCapturesItsOutput) {
    // The stand-in records its arguments and its directory, and prints lines.
    FakeMsdev tool(
        "for a in \"$@\"; do echo \"[$a]\"; done > args.txt\n"
        "pwd > where.txt\n"
        "echo 'Compiling...'\n"
        "echo 'a.cpp(3) : error C2065: x'\n"
        "echo 'on stderr' >&2\n"
        "exit 3\n");
    TempDir dir;
    std::string before = std::filesystem::current_path().string();
    codegen::MsdevBuild build(dir.path(), "OXA_Arm_project");
    std::string output = "old";
    ASSERT_TRUE(build.Build(output));
    EXPECT_EQ(output, "Compiling...\na.cpp(3) : error C2065: x\n");
    EXPECT_EQ(std::filesystem::current_path().string(), before);
    EXPECT_EQ(readFile(dir.file("args.txt")),
              "[OXA_Arm_project.dsp]\n[/MAKE]\n[OXA_Arm_project - Win32 Release]\n");
    std::string where = readFile(dir.file("where.txt"));
    ASSERT_FALSE(where.empty());
    where.pop_back();  // the line feed
    EXPECT_EQ(std::filesystem::canonical(where), std::filesystem::canonical(dir.path()));
    EXPECT_EQ(readFile(dir.file("tempfile.tmp")), output);  // left in the build directory
}

TEST(MsdevBuild, AMissingToolStillGivesAnOutput) {
    FakeMsdev tool("exit 0\n");
    TempDir dir;
    codegen::MsdevBuild build(dir.path(), "P", "no-such-build-tool-here");
    std::string output = "old";
    EXPECT_TRUE(build.Build(output));
    EXPECT_EQ(output, "");
}

TEST(MsdevBuild, FailuresReturnToThePreviousDirectory) {
    FakeMsdev tool("echo ran > ran.txt\nrm -f tempfile.tmp\n");
    TempDir dir;
    std::string before = std::filesystem::current_path().string();
    struct Case {
        std::string directory;
        std::string project;
    };
    const Case cases[] = {
        {dir.path() + "/missing", "OXA_A_project"},  // directory cannot be entered
        {dir.path(), "OXA_A.dsp"},                   // a project name with .dsp
        {dir.path(), "a;touch x"},                   // bytes for the interpreter
        {dir.path(), "a b"},
        {dir.path(), ""},
    };
    for (const Case& c : cases) {
        codegen::MsdevBuild build(c.directory, c.project);
        std::string output = "old";
        EXPECT_FALSE(build.Build(output)) << c.project;
        EXPECT_EQ(output, "old");
        EXPECT_EQ(std::filesystem::current_path().string(), before);
    }
    EXPECT_FALSE(test::fileExists(dir.file("ran.txt")));
    EXPECT_FALSE(test::fileExists(dir.file("x")));

    // The tool ran but its output file is gone: the build fails.
    codegen::MsdevBuild build(dir.path(), "OXA_A_project");
    std::string output = "old";
    EXPECT_FALSE(build.Build(output));
    EXPECT_TRUE(test::fileExists(dir.file("ran.txt")));
    EXPECT_EQ(std::filesystem::current_path().string(), before);
}

TEST(MsdevBuild, EngineStyleDirectoryPath) {
    FakeMsdev tool("echo 'x : error'\n");
    TempDir dir;
    std::filesystem::create_directories(dir.file("out/gen"));
    test::ScopedCwd cwd(dir.path());
    codegen::MsdevBuild build("out\\gen", "OXA_A_project");
    std::string output;
    ASSERT_TRUE(build.Build(output));
    EXPECT_EQ(output, "x : error\n");
    EXPECT_TRUE(test::fileExists(dir.file("out/gen/tempfile.tmp")));
}

TEST(MsdevBuild, LongOutputIsCutAtALineEnd) {
    TempDir dir;
    std::string line(99, 'a');
    line += '\n';
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += line;
    writeFile(dir.file("out.txt"), text);
    std::string output;
    ASSERT_TRUE(codegen::readBuildOutput(dir.file("out.txt"), 1050, output));
    EXPECT_EQ(output, text.substr(0, 1000));
    ASSERT_TRUE(codegen::readBuildOutput(dir.file("out.txt"), 1 << 20, output));
    EXPECT_EQ(output, text);
    writeFile(dir.file("one.txt"), std::string(5000, 'b'));
    ASSERT_TRUE(codegen::readBuildOutput(dir.file("one.txt"), 1000, output));
    EXPECT_EQ(output, "");
    EXPECT_FALSE(codegen::readBuildOutput(dir.file("none.txt"), 1000, output));
    EXPECT_FALSE(codegen::readBuildOutput(dir.path(), 1000, output));
}
