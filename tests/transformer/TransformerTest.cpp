// The format transformer library: its format enumeration, reading a file's
// format and converting files, with the results and logs it reports.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ORVEN_transformer.h"

namespace fs = std::filesystem;

namespace {

class TransformerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/orven_transformer_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        ASSERT_NE(InitializeOrvenTransformerInterface(), 0);
    }
    void TearDown() override {
        FinalizeOrvenTransformerInterface();
        fs::remove_all(dir_);
    }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir_;
};

// A small module file with an appendix that holds a NUL byte and a "$".
std::string moduleFile(const std::string& tag) {
    return "Format info: [" + tag +
           "]\r\nOXA Module: \r\n[Counter]\r\nDescription:\r\n\tCompactStr(0)\r\n"
           "\tEndCompactStr\r\n$" +
           std::string("\x01\x00\x00\x00$x", 6);
}

std::string formatOf(const std::string& path, int* result = nullptr) {
    char buffer[64];
    int r = ReadFileFormat(path.c_str(), buffer, sizeof buffer);
    if (result != nullptr) {
        *result = r;
    }
    return buffer;
}

TEST_F(TransformerTest, EnumeratesFormatsFromOldestToNewest) {
    ASSERT_EQ(NumberOfFormats(), 2);
    int id = 0;
    ASSERT_NE(IDOfFirstFormat(&id), 0);
    char name[10];
    ASSERT_NE(NameOfFormatID(id, name, sizeof name), 0);
    EXPECT_STREQ(name, "FF200703");
    int next = 0;
    ASSERT_NE(IDOfNextFormatID(id, &next), 0);
    ASSERT_NE(NameOfFormatID(next, name, sizeof name), 0);
    EXPECT_STREQ(name, "FF200704");
    int after = 0;
    EXPECT_EQ(IDOfNextFormatID(next, &after), 0) << "nothing after the newest";
    EXPECT_EQ(NameOfFormatID(12345, name, sizeof name), 0);
    EXPECT_EQ(IDOfFirstFormat(nullptr), 0);
}

TEST_F(TransformerTest, NamesAreCutToTheBuffer) {
    int id = 0;
    ASSERT_NE(IDOfFirstFormat(&id), 0);
    char name[5] = "xxxx";
    ASSERT_NE(NameOfFormatID(id, name, sizeof name), 0);
    EXPECT_STREQ(name, "FF20");
    EXPECT_EQ(NameOfFormatID(id, nullptr, 10), 0);
}

TEST(TransformerLifecycle, CallsBeforeInitialisationFail) {
    FinalizeOrvenTransformerInterface();
    EXPECT_EQ(FinalizeOrvenTransformerInterface(), 0);
    EXPECT_EQ(NumberOfFormats(), 0);
    int id = 0;
    EXPECT_EQ(IDOfFirstFormat(&id), 0);
    char log[256];
    EXPECT_EQ(TransformFile("/nonexistent", "/nonexistent", 1, log, sizeof log), 0);
    EXPECT_NE(std::string(log).find("not been initialised"), std::string::npos);
    EXPECT_NE(InitializeOrvenTransformerInterface(), 0);
    EXPECT_EQ(NumberOfFormats(), 2);
    EXPECT_NE(FinalizeOrvenTransformerInterface(), 0);
}

struct FormatCase {
    const char* what;
    std::string content;
    int result;
    const char* name;
};

TEST_F(TransformerTest, ReadsTheFormatOfAFile) {
    const FormatCase cases[] = {
        {"current", moduleFile("FF200704"), 1, "FF200704"},
        {"older", moduleFile("FF200703"), 1, "FF200703"},
        {"unknown tag", moduleFile("FF199912"), 0, ""},
        {"no format line", "\r\nOXA Module: \r\n", 0, ""},
        {"format after two skipped lines", "junk\r\nmore\r\n  Format info: [FF200704]\r\n", 1,
         "FF200704"},
        {"no brackets", "Format info: FF200704\r\n", 0, ""},
        {"empty file", "", 0, ""},
    };
    int n = 0;
    for (const FormatCase& c : cases) {
        std::string path = write("f" + std::to_string(n++) + ".oxa", c.content);
        int r = -1;
        EXPECT_EQ(formatOf(path, &r), c.name) << c.what;
        EXPECT_EQ(r != 0, c.result != 0) << c.what;
    }
    int r = -1;
    EXPECT_EQ(formatOf(file("missing.oxa"), &r), "");
    EXPECT_EQ(r, 0);
}

TEST_F(TransformerTest, ConvertsInPlaceKeepingEveryOtherByte) {
    std::string path = write("old.oxa", moduleFile("FF200703"));
    char log[16384];
    EXPECT_EQ(TransformFile(path.c_str(), path.c_str(), 1, log, sizeof log), 2);
    EXPECT_EQ(read(path), moduleFile("FF200704"));
    EXPECT_NE(std::string(log).find("Result: converted."), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(path + ".transforming"));
}

TEST_F(TransformerTest, ConvertsIntoAnotherFileAndBack) {
    std::string source = write("new.oxa", moduleFile("FF200704"));
    std::string dest = file("down.oxa");
    char log[16384];
    EXPECT_EQ(TransformFile(source.c_str(), dest.c_str(), 0, log, sizeof log), 2);
    EXPECT_EQ(read(dest), moduleFile("FF200703"));
    EXPECT_EQ(read(source), moduleFile("FF200704")) << "the source is left alone";
    EXPECT_EQ(TransformFile(source.c_str(), dest.c_str(), 1, log, sizeof log), 2);
    EXPECT_EQ(read(dest), moduleFile("FF200704"));
    EXPECT_NE(std::string(log).find("already in the destination format"), std::string::npos);
}

TEST_F(TransformerTest, ReportsWhatItCannotConvert) {
    struct Case {
        const char* what;
        std::string content;
        int position;
        int result;
        const char* logText;
    };
    const Case cases[] = {
        {"unknown source format", moduleFile("FF199912"), 1, 1, "FF199912 is not known"},
        {"no format line", "\r\nOXA Module: \r\n", 1, 1, "no readable format line"},
        {"destination position too high", moduleFile("FF200703"), 2, 1, "#2 is not known"},
        {"negative destination position", moduleFile("FF200703"), -1, 1, "#-1 is not known"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string path = write("c" + std::to_string(n++) + ".oxa", c.content);
        char log[16384];
        EXPECT_EQ(TransformFile(path.c_str(), path.c_str(), c.position, log, sizeof log), c.result)
            << c.what;
        EXPECT_NE(std::string(log).find(c.logText), std::string::npos) << c.what << ": " << log;
        EXPECT_NE(std::string(log).find("Result: conversion not supported."), std::string::npos);
        EXPECT_EQ(read(path), c.content) << c.what << ": the file is left alone";
    }
}

TEST_F(TransformerTest, ReadAndWriteErrorsGiveZeroAndKeepTheDestination) {
    char log[16384];
    EXPECT_EQ(
        TransformFile(file("missing.oxa").c_str(), file("out.oxa").c_str(), 1, log, sizeof log), 0);
    EXPECT_NE(std::string(log).find("Error reading the source file"), std::string::npos);
    EXPECT_FALSE(fs::exists(file("out.oxa")));

    std::string source = write("old.oxa", moduleFile("FF200703"));
    std::string dest = file("nodir/out.oxa");
    EXPECT_EQ(TransformFile(source.c_str(), dest.c_str(), 1, log, sizeof log), 0);
    EXPECT_NE(std::string(log).find("Error writing the destination file"), std::string::npos);

    EXPECT_EQ(TransformFile(nullptr, source.c_str(), 1, log, sizeof log), 0);
    EXPECT_EQ(TransformFile(source.c_str(), "", 1, log, sizeof log), 0);
}

TEST_F(TransformerTest, TheLogIsCutToItsBuffer) {
    std::string path = write("old.oxa", moduleFile("FF200703"));
    char log[8] = "";
    EXPECT_EQ(TransformFile(path.c_str(), path.c_str(), 1, log, sizeof log), 2);
    EXPECT_EQ(std::string(log), "ORVEN m");
    EXPECT_EQ(TransformFile(path.c_str(), path.c_str(), 1, nullptr, 0), 2);
}

}  // namespace
