// The msdev stand-in of tools/msdev on a small hand-written project file,
// driven by the engine's build driver and read back through its parser.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "codegen/BuildOutput.h"
#include "codegen/MsdevBuild.h"

using namespace orven;
using orven::test::TempDir;
using orven::test::writeFile;

namespace {

const char* const kProject =
    R"DSP(# Microsoft Developer Studio Project File - Name="OXA_T_project" - Package Owner=<4>
# Microsoft Developer Studio Generated Build File, Format Version 6.00
# ** DO NOT EDIT **

CFG=OXA_T_project - Win32 Debug

!IF  "$(CFG)" == "OXA_T_project - Win32 Release"

# ADD CPP /nologo /MD /W3 /GX /O2 /I "inc" /D "WIN32" /D "NDEBUG" /D "ANSWER=42" /YX /FD /c
# ADD LINK32 kernel32.lib helper.lib /nologo /subsystem:console /machine:I386

!ELSEIF  "$(CFG)" == "OXA_T_project - Win32 Debug"

# ADD CPP /nologo /D "DEBUG_ONLY" /c

!ENDIF 

# Begin Target
# Begin Group "Source Files"
# Begin Source File

SOURCE=.\OXA_T_main.cpp
# End Source File
# Begin Source File

SOURCE=".\src\util.c"
# End Source File
# Begin Source File

SOURCE=.\broken.cpp

!IF  "$(CFG)" == "OXA_T_project - Win32 Release"

# PROP Exclude_From_Build 1

!ENDIF 

# End Source File
# Begin Source File

SOURCE=.\OXA_T.idl
# End Source File
# End Group
# End Target
# End Project
)DSP";

// A good program that uses the ORB, the include directory, the definitions
// of the release configuration and a C file.
const char* const kGoodMain = R"(#include <omniORB4/CORBA.h>
#include "answer.h"
#if defined(WIN32) || defined(DEBUG_ONLY)
#error wrong configuration
#endif
extern "C" int util(void);
int main() {
    CORBA::String_var s = CORBA::string_dup("x");
    return util() + ANSWER - EXPECTED;
}
)";

// Puts the stand-ins of the build tree first on the search path.
class ToolsOnPath {
  public:
    ToolsOnPath() {
        const char* path = std::getenv("PATH");
        saved_ = path ? path : "";
        ::setenv("PATH", (test::binaryDir() + "/tools/bin:" + saved_).c_str(), 1);
    }
    ~ToolsOnPath() { ::setenv("PATH", saved_.c_str(), 1); }

  private:
    std::string saved_;
};

class MsdevStandIn : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::fileExists(test::binaryDir() + "/tools/bin/msdev")) {
            GTEST_SKIP() << "the msdev stand-in is not built";
        }
        std::filesystem::create_directories(dir_.file("inc"));
        std::filesystem::create_directories(dir_.file("src"));
        writeFile(dir_.file("OXA_T_project.dsp"), kProject);
        writeFile(dir_.file("inc/answer.h"), "#define ANSWER 42\n#define EXPECTED 42\n");
        writeFile(dir_.file("src/util.c"), "int util(void) { return 0; }\n");
        writeFile(dir_.file("broken.cpp"), "this is no C++\n");
    }

    std::vector<codegen::BuildMessage> build(std::string& output) {
        codegen::MsdevBuild build(dir_.path(), "OXA_T_project");
        EXPECT_TRUE(build.Build(output));
        return codegen::parseBuildOutput(output);
    }

    TempDir dir_;
    ToolsOnPath path_;
};

}  // namespace

TEST_F(MsdevStandIn, BuildsAGoodProject) {
    writeFile(dir_.file("OXA_T_main.cpp"), kGoodMain);
    std::string output;
    std::vector<codegen::BuildMessage> records = build(output);
    EXPECT_TRUE(records.empty()) << output;
    EXPECT_NE(output.find("Compiling...\nOXA_T_main.cpp\nutil.c\nLinking...\n"), std::string::npos)
        << output;
    EXPECT_NE(output.find("OXA_T_project.exe - 0 error(s), 0 warning(s)"), std::string::npos)
        << output;
    EXPECT_TRUE(test::fileExists(dir_.file("OXA_T_project")));
    EXPECT_EQ(std::system(("'" + dir_.file("OXA_T_project") + "'").c_str()), 0);
}

TEST_F(MsdevStandIn, ReportsCompilerErrorsAndWarnings) {
    writeFile(dir_.file("OXA_T_main.cpp"),
              "int f() {\n  int unused;\n  return missing;\n}\nint main() { return f(); }\n");
    std::string output;
    std::vector<codegen::BuildMessage> records = build(output);
    ASSERT_EQ(records.size(), 2u) << output;
    EXPECT_EQ(records[0].kind, codegen::kCompilationError);
    EXPECT_EQ(records[0].file, "OXA_T_main.cpp");
    EXPECT_EQ(records[0].line, 3u);
    EXPECT_NE(records[0].text.find("'missing' was not declared"), std::string::npos);
    EXPECT_EQ(records[1].kind, codegen::kCompilationWarning);
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_NE(records[1].text.find("unused variable 'unused'"), std::string::npos);
    EXPECT_EQ(output.find("Linking..."), std::string::npos);
    EXPECT_NE(output.find("OXA_T_project.exe - 1 error(s), 1 warning(s)"), std::string::npos);
    EXPECT_FALSE(test::fileExists(dir_.file("OXA_T_project")));
}

TEST_F(MsdevStandIn, ReportsLinkErrors) {
    writeFile(dir_.file("OXA_T_main.cpp"), "int g();\nint main() { return g(); }\n");
    std::string output;
    std::vector<codegen::BuildMessage> records = build(output);
    ASSERT_EQ(records.size(), 2u) << output;
    EXPECT_EQ(records[0], (codegen::BuildMessage{codegen::kLinkError, "OXA_T_main.obj",
                                                 "unresolved external symbol g()", 0}));
    EXPECT_EQ(records[1], (codegen::BuildMessage{codegen::kLinkError, "OXA_T_project.exe",
                                                 "1 unresolved externals", 0}));
}

TEST_F(MsdevStandIn, LinksLibrariesNamedByTheProject) {
    // helper.lib of the link line exists: it is linked, once, although it is
    // a file of the project too; kernel32.lib is not a file.
    std::string project = kProject;
    project.insert(project.find("# End Group"),
                   "# Begin Source File\n\nSOURCE=.\\helper.lib\n# End Source File\n");
    writeFile(dir_.file("OXA_T_project.dsp"), project);
    writeFile(dir_.file("helper.cpp"), "int g() { return 0; }\n");
    ASSERT_EQ(std::system(("cd '" + dir_.path() + "' && g++ -c helper.cpp -o helper.lib").c_str()),
              0);
    writeFile(dir_.file("OXA_T_main.cpp"), "int g();\nint main() { return g(); }\n");
    std::string output;
    EXPECT_TRUE(build(output).empty()) << output;
    EXPECT_TRUE(test::fileExists(dir_.file("OXA_T_project")));
}

TEST_F(MsdevStandIn, AMissingLibraryOfTheProject) {
    std::string project = kProject;
    project.insert(project.find("# End Group"),
                   "# Begin Source File\n\nSOURCE=.\\missing.lib\n# End Source File\n");
    writeFile(dir_.file("OXA_T_project.dsp"), project);
    writeFile(dir_.file("OXA_T_main.cpp"), kGoodMain);
    std::string output;
    std::vector<codegen::BuildMessage> records = build(output);
    ASSERT_EQ(records.size(), 1u) << output;
    EXPECT_EQ(records[0], (codegen::BuildMessage{codegen::kLinkError, "LINK",
                                                 "cannot open file 'missing.lib'", 0}));
    EXPECT_FALSE(test::fileExists(dir_.file("OXA_T_project")));
}

TEST_F(MsdevStandIn, MissingSourceAndMissingInclude) {
    writeFile(dir_.file("OXA_T_main.cpp"), "#include \"nowhere.h\"\nint main() {}\n");
    std::filesystem::remove(dir_.file("src/util.c"));
    std::string output;
    std::vector<codegen::BuildMessage> records = build(output);
    ASSERT_EQ(records.size(), 2u) << output;
    EXPECT_EQ(records[0].kind, codegen::kCompilationError);
    EXPECT_EQ(records[0].file, "OXA_T_main.cpp");
    EXPECT_EQ(records[0].line, 1u);
    EXPECT_EQ(records[1].kind, codegen::kCompilationError);
    EXPECT_EQ(records[1].file, "");
    EXPECT_NE(records[1].text.find("src/util.c"), std::string::npos);
}
