// CompileLinkAutomatically, NumberOfErrors and ReadError with a scripted
// msdev on the search path.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "BuildFakeMsdev.h"
#include "TestSupport.h"
#include "orven.h"

using orven::test::FakeMsdev;
using orven::test::TempDir;

namespace {

// A stand-in that prints a fixed text as its output.
class PrintingMsdev {
  public:
    explicit PrintingMsdev(const std::string& text)
        : tool_((orven::test::writeFile(out_.file("out.txt"), text),
                 "cat '" + out_.file("out.txt") + "'\n")) {}

  private:
    TempDir out_;
    FakeMsdev tool_;
};

std::vector<std::string> records() {
    std::vector<std::string> out;
    char buf[512];
    for (int i = 0; i < NumberOfErrors(); ++i) {
        EXPECT_EQ(ReadError(i, buf, sizeof buf), 1);
        out.push_back(buf);
    }
    return out;
}

class BuildExports : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteCurrentOXAModule();
        ASSERT_EQ(CreateNewOXAModule("Arm", "The arm of the robot, with its joints"), 1);
    }
    void TearDown() override { DeleteCurrentOXAModule(); }
    TempDir dir_;
};

}  // namespace

TEST_F(BuildExports, ParsesEveryComplaintOfTheOutput) {
    PrintingMsdev tool(
        "--------------------Configuration: OXA_Arm_project - Win32 Release--------------------\r\n"
        "Compiling...\r\n"
        "cl : Command line warning D4002 : ignoring unknown option\r\n"
        "OXA_Arm_i.cpp\r\n"
        "C:\\gen\\OXA_Arm_i.cpp(12) : error C2065: 'x' : undeclared identifier\r\n"
        "C:\\gen\\OXA_Arm_i.cpp(30) : warning C4101: 'y' : unreferenced local variable\r\n"
        "fatal error C1083: Cannot open include file: 'z.h': No such file or directory\r\n"
        "test.cpp : error C1083: Cannot open compiler generated file\r\n"
        "tao_idl: \"OXA_Arm.idl\", line 12: syntax error\r\n"
        "Linking...\r\n"
        "util.obj : error LNK2001: unresolved external symbol _f\r\n"
        "LINK : fatal error LNK1104: cannot open file 'x.lib'\r\n"
        "LINK : warning LNK4089: all references to \"A.dll\" discarded by /OPT:REF\r\n"
        "Build : warning : failed to (re)build browse info file\r\n"
        "\r\n"
        "OXA_Arm_project.exe - 6 error(s), 3 warning(s)\r\n");
    EXPECT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 1);
    const std::vector<std::string> expected = {
        "Compilation Error [12] : {C:\\gen\\OXA_Arm_i.cpp} ('x' : undeclared identifier)",
        "Compilation Warning [30] : {C:\\gen\\OXA_Arm_i.cpp} ('y' : unreferenced local variable)",
        "Compilation Error [0] : {} (Cannot open include file: 'z.h': No such file or directory)",
        "Unknown Error [0] : {} ()",
        "Compilation Error [12] : {OXA_Arm.idl} (syntax error)",
        "Link Error [0] : {util.obj} (unresolved external symbol _f)",
        "Link Error [0] : {LINK} (cannot open file 'x.lib')",
        "Link Warning [0] : {} (all references to \"A.dll\" discarded by /OPT:REF)",
        "Link Warning [0] : {} (failed to (re)build browse info file)",
    };
    EXPECT_EQ(records(), expected);
}

TEST_F(BuildExports, TheProjectIsNamedAfterTheModule) {
    FakeMsdev tool("for a in \"$@\"; do echo \"[$a]\"; done > args.txt\n");
    ASSERT_EQ(ChangeNameDescriptionOXAModule("  my arm 2", "The arm of the robot, with its joints"),
              1);
    EXPECT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 1);
    EXPECT_EQ(orven::test::readFile(dir_.file("args.txt")),
              "[OXA_my_arm_2_project.dsp]\n[/MAKE]\n[OXA_my_arm_2_project - Win32 Release]\n");
}

TEST_F(BuildExports, OutputWithoutComplaintsGivesAnEmptyList) {
    PrintingMsdev first("a.cpp(1) : error C1: t\n");
    ASSERT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 1);
    ASSERT_EQ(NumberOfErrors(), 1);
    PrintingMsdev second("Compiling...\nLinking...\nOXA_Arm_project.exe - 0 error(s)\n");
    EXPECT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 1);
    EXPECT_EQ(NumberOfErrors(), 0);
}

TEST_F(BuildExports, AMissingToolStillRunsTheBuild) {
    PrintingMsdev first("a.cpp(1) : error C1: t\n");
    ASSERT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 1);
    orven::test::ScopedPath nowhere(dir_.file("no-bin"));
    EXPECT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 1);
    EXPECT_EQ(NumberOfErrors(), 0);
}

TEST_F(BuildExports, FailedBuildsKeepThePreviousList) {
    PrintingMsdev tool("a.cpp(1) : error C1: t\nb.cpp(2) : warning C2: u\n");
    ASSERT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 1);
    ASSERT_EQ(NumberOfErrors(), 2);
    EXPECT_EQ(CompileLinkAutomatically(dir_.file("missing").c_str()), 0);
    EXPECT_EQ(CompileLinkAutomatically(nullptr), 0);
    DeleteCurrentOXAModule();
    EXPECT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 0);
    EXPECT_EQ(records(), (std::vector<std::string>{"Compilation Error [1] : {a.cpp} (t)",
                                                   "Compilation Warning [2] : {b.cpp} (u)"}));
}

TEST_F(BuildExports, ReadErrorOutOfRangeWritesNothing) {
    PrintingMsdev tool("a.cpp(1) : error C1: a long text\n");
    ASSERT_EQ(CompileLinkAutomatically(dir_.path().c_str()), 1);
    char buf[16];
    std::strcpy(buf, "untouched");
    EXPECT_EQ(ReadError(1, buf, sizeof buf), 0);
    EXPECT_EQ(ReadError(-1, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "untouched");
    EXPECT_EQ(ReadError(0, buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "Compilation Err");  // cut to the buffer
    EXPECT_EQ(ReadError(0, nullptr, 10), 1);
}
