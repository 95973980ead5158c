// Parsing of captured build output into error records.
#include <gtest/gtest.h>

#include <string>

#include "codegen/BuildOutput.h"

using namespace orven::codegen;

TEST(BuildOutput, LinesAreCutAtCarriageReturnsAndLineFeeds) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(splitBuildLines("a\r\n\r\nb\rc\n"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(splitBuildLines("\n\r\n"), Lines{});
    EXPECT_EQ(splitBuildLines(""), Lines{});
    EXPECT_EQ(splitBuildLines("one line"), Lines{"one line"});
    EXPECT_EQ(splitBuildLines(std::string_view("x\0y\nz", 5)),
              (Lines{std::string_view("x\0y", 3), "z"}));
}

TEST(BuildOutput, FilterKeepsOnlyComplaints) {
    const char* reported[] = {
        "a.cpp(1) : error C2065: x",
        "fatal error C1083: Cannot open include file",
        "Build : warning : failed to (re)build browse info",
        "a.cpp(2) : warning C4101: y",
        "LINK : fatal error LNK1104: cannot open file 'x.lib'",
        "tao_idl: \"a.idl\", line 3: syntax error",
        "test.cpp : error C1083: Cannot open compiler generated file",
    };
    for (const char* line : reported)
        EXPECT_TRUE(isReportedLine(line)) << line;
    const char* ignored[] = {
        "cl : Command line warning D4002 : ignoring unknown option",
        "--------------------Configuration: OXA_Arm_project - Win32 Release--------------------",
        "Compiling...",
        "OXA_Arm_i.cpp",
        "OXA_Arm_project.exe - 1 error(s), 0 warning(s)",
        "tao_idl: \"a.idl\" is fine",  // tao_idl: without ", line"
        "processing a.idl, line 3",    // ", line" without tao_idl:
        "a.cpp(1) : Error C2065: x",   // the searches are case-sensitive
        "fatal error c1083: lower case",
    };
    for (const char* line : ignored)
        EXPECT_FALSE(isReportedLine(line)) << line;
}

TEST(BuildOutput, ParsingRules) {
    struct Case {
        std::string line;
        BuildMessage expected;
    };
    const Case cases[] = {
        // The IDL compiler.
        {"tao_idl: \"OXA_Arm.idl\", line 12: syntax error", {0, "OXA_Arm.idl", "syntax error", 12}},
        {"tao_idl: \"a.idl\", line 7: error: x : y", {0, "a.idl", "error: x : y", 7}},
        // Link errors.
        {"util.obj : error LNK2001: unresolved external symbol _f",
         {2, "util.obj", "unresolved external symbol _f", 0}},
        {"LINK : fatal error LNK1104: cannot open file 'x.lib'",
         {2, "LINK", "cannot open file 'x.lib'", 0}},
        {"Release/OXA_Arm_project.exe : fatal error LNK1120: 1 unresolved externals",
         {2, "Release/OXA_Arm_project.exe", "1 unresolved externals", 0}},
        // Link and build warnings.
        {"LINK : warning LNK4089: all references to \"X.dll\" discarded by /OPT:REF",
         {3, "", "all references to \"X.dll\" discarded by /OPT:REF", 0}},
        {"Build : warning : failed to (re)build browse info file",
         {3, "", "failed to (re)build browse info file", 0}},
        // A compiler error without a file.
        {"fatal error C1083: Cannot open include file: 'x.h': No such file or directory",
         {0, "", "Cannot open include file: 'x.h': No such file or directory", 0}},
        // Compiler errors and warnings with file and line.
        {"C:\\gen\\OXA_Arm_i.cpp(12) : error C2065: 'x' : undeclared identifier",
         {0, "C:\\gen\\OXA_Arm_i.cpp", "'x' : undeclared identifier", 12}},
        {"a.cpp(7) : warning C4101: 'y' : unreferenced local variable",
         {1, "a.cpp", "'y' : unreferenced local variable", 7}},
        {"a.cpp(3) : fatal error C1083: Cannot open include file: 'a.h'",
         {0, "a.cpp", "Cannot open include file: 'a.h'", 3}},
        {"a.cpp(3) : warning C4000: first : error C2000: second",
         {0, "a.cpp", "second", 3}},  // an error outranks a warning
        // Line numbers: decimal, leading blanks, stop at the first stranger.
        {"a.cpp(  12.9) : error C1: t", {0, "a.cpp", "t", 12}},
        {"a.cpp(4,17) : error C1: t", {0, "a.cpp", "t", 4}},
        {"a.cpp(1e3) : error C1: t", {0, "a.cpp", "t", 1000}},
        {"a.cpp(abc) : error C1: t", {0, "a.cpp", "t", 0}},
        {"a.cpp(0x1A) : error C1: t", {0, "a.cpp", "t", 0}},
        {"a.cpp(-4) : error C1: t", {0, "a.cpp", "t", 0}},
        {"a.cpp(99999999999999) : error C1: t", {0, "a.cpp", "t", 4294967295u}},
        {"a.cpp(1e999999999) : error C1: t", {0, "a.cpp", "t", 4294967295u}},
        {"a.cpp(0e999999999) : error C1: t", {0, "a.cpp", "t", 0}},
        // A line that ends at the colon or one byte after it has no text.
        {"a.cpp(1) : error C1:", {0, "a.cpp", "", 1}},
        {"a.cpp(1) : error C1: ", {0, "a.cpp", "", 1}},
        // Shapes that fit no rule, among them lines cut in the middle.
        {"test.cpp : error C1083: Cannot open compiler generated file", {}},
        {"a.cpp(12 : error C1: t", {}},
        {"a.cpp(12) : error", {}},
        {"tao_idl: \"a.idl", {}},
        {"tao_idl: \"a.idl\", line", {}},
        {"tao_idl: \"a.idl\", lin", {}},
        {"tao_idl: \"a.idl\", line 3", {}},
        {"util.obj : error LNK2001", {}},
        {"util.obj: error LNK2001: no blank before the colon", {}},
        {"LINK : warning LNK4089", {}},
        {"fatal error C1083", {}},
    };
    for (const Case& c : cases) {
        BuildMessage m = parseBuildLine(c.line);
        EXPECT_EQ(m.kind, c.expected.kind) << c.line;
        EXPECT_EQ(m.file, c.expected.file) << c.line;
        EXPECT_EQ(m.text, c.expected.text) << c.line;
        EXPECT_EQ(m.line, c.expected.line) << c.line;
    }
}

TEST(BuildOutput, RecordTexts) {
    struct Case {
        BuildMessage message;
        const char* text;
    };
    const Case cases[] = {
        {{0, "C:\\gen\\OXA_Arm_i.cpp", "'x' : undeclared identifier", 12},
         "Compilation Error [12] : {C:\\gen\\OXA_Arm_i.cpp} ('x' : undeclared identifier)"},
        {{1, "a.cpp", "w", 4294967295u}, "Compilation Warning [4294967295] : {a.cpp} (w)"},
        {{2, "LINK", "cannot open file 'x.lib'", 0},
         "Link Error [0] : {LINK} (cannot open file 'x.lib')"},
        {{3, "", "t", 0}, "Link Warning [0] : {} (t)"},
        {{}, "Unknown Error [0] : {} ()"},
        {{-3, "f", "t", 1}, "Unknown Error [1] : {f} (t)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(buildMessageText(c.message), c.text);
}

TEST(BuildOutput, WholeOutputInOrder) {
    std::string output =
        "--------------------Configuration: OXA_Arm_project - Win32 Release--------------------\r\n"
        "Compiling...\r\n"
        "cl : Command line warning D4002 : ignoring unknown option '/Zz'\r\n"
        "OXA_Arm_i.cpp\r\n"
        "C:\\gen\\OXA_Arm_i.cpp(12) : error C2065: 'x' : undeclared identifier\r\n"
        "test.cpp : error C1083: Cannot open compiler generated file\r\n"
        "Linking...\r\n"
        "util.obj : error LNK2001: unresolved external symbol _f\r\n"
        "\r\n"
        "OXA_Arm_project.exe - 3 error(s), 0 warning(s)\r\n";
    std::vector<BuildMessage> records = parseBuildOutput(output);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0],
              (BuildMessage{0, "C:\\gen\\OXA_Arm_i.cpp", "'x' : undeclared identifier", 12}));
    EXPECT_EQ(records[1], BuildMessage{});
    EXPECT_EQ(records[2], (BuildMessage{2, "util.obj", "unresolved external symbol _f", 0}));
    EXPECT_TRUE(parseBuildOutput("Compiling...\nLinking...\n").empty());
}

TEST(BuildOutput, BadOutputStaysBounded) {
    // A very long line, binary bytes and more complaint lines than the list keeps.
    std::string longLine(1 << 20, 'x');
    longLine += "(5) : error C1: ";
    longLine += std::string(1 << 20, '\xff');
    std::string binary("\0\x01\x80: error\0(\xfe)", 14);
    std::vector<BuildMessage> records = parseBuildOutput(longLine + "\n" + binary);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].line, 5u);
    EXPECT_EQ(records[0].text.size(), 1u << 20);

    std::string many;
    for (std::size_t i = 0; i < kMaxBuildMessages + 10; ++i)
        many += "a : error\n";
    EXPECT_EQ(parseBuildOutput(many).size(), kMaxBuildMessages);
}
