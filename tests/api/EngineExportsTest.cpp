// Start and end of the engine and the general utilities.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstring>
#include <string>

#include "TestSupport.h"
#include "api/EngineState.h"
#include "orven.h"
#include "platform/Platform.h"

using orven::test::EngineWorkDir;
using orven::test::TempDir;
using orven::test::writeFile;

namespace {

class EngineStart : public ::testing::Test {
  protected:
    void SetUp() override { FinalizeOrvenInterface(); }
    void TearDown() override { FinalizeOrvenInterface(); }
    EngineWorkDir work;
};

TEST_F(EngineStart, InitializeLoadsTheCatalogueAndLeavesNoModule) {
    ASSERT_EQ(CreateNewOXAModule("Old", ""), 1);
    char error[128] = "untouched";
    ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, error, sizeof error), 1);
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
    EXPECT_TRUE(orven::engine().ready);
    EXPECT_FALSE(orven::engine().deportabilizationBackupTaken);
    EXPECT_GT(orven::engine().catalogue.size(), 0);
    EXPECT_EQ(orven::engine().externalsDirectory, "externals");
}

TEST_F(EngineStart, InitializeDropsTheAssistantScript) {
    writeFile("atoms.tpx", "#TPX-ZONE(A,x)#a#TPX-ENDZONE(A)#");
    ASSERT_EQ(LoadMacroScript("atoms.tpx"), 1);
    ASSERT_EQ(NumberOfMacrosFromMacroScript("A"), 1);
    char error[128];
    ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, error, sizeof error), 1);
    EXPECT_EQ(NumberOfMacrosFromMacroScript("A"), -1);
}

TEST_F(EngineStart, DefaultExternalsDirectory) {
    for (const char* dir : {static_cast<const char*>(nullptr), ""}) {
        orven::engine().externalsDirectory = "other";
        ASSERT_EQ(InitializeOrvenInterface(dir, "reserved", nullptr, 0), 1);
        EXPECT_EQ(orven::engine().externalsDirectory, "externals");
    }
    ASSERT_EQ(InitializeOrvenInterface("tmp\\ext", nullptr, nullptr, 0), 1);
    EXPECT_EQ(orven::engine().externalsDirectory, "tmp\\ext");
}

TEST_F(EngineStart, ExternalsDirectoryMustStayUnder160Bytes) {
    char error[128] = "";
    const std::string longest(159, 'd');
    EXPECT_EQ(InitializeOrvenInterface(longest.c_str(), nullptr, error, sizeof error), 1);
    const std::string tooLong(160, 'd');
    EXPECT_EQ(InitializeOrvenInterface(tooLong.c_str(), nullptr, error, sizeof error), 0);
    EXPECT_STREQ(error, "Externals directory name too long");
    EXPECT_FALSE(orven::engine().ready);
    EXPECT_EQ(orven::engine().externalsDirectory, longest);
}

TEST_F(EngineStart, MissingComponentsFileFails) {
    ASSERT_TRUE(orven::platform::deleteFile("nonportable.cps"));
    char error[128] = "";
    EXPECT_EQ(InitializeOrvenInterface("externals", nullptr, error, sizeof error), 0);
    EXPECT_STREQ(error, "Could not initiate non-portable component definitions");
    EXPECT_FALSE(orven::engine().ready);
    // The copy rule applies to the message; a null buffer is left alone.
    EXPECT_EQ(InitializeOrvenInterface("externals", nullptr, error, 6), 0);
    EXPECT_STREQ(error, "Could");
    EXPECT_EQ(InitializeOrvenInterface("externals", nullptr, nullptr, 10), 0);
}

TEST_F(EngineStart, FinalizeDeletesTheModule) {
    ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, nullptr, 0), 1);
    ASSERT_EQ(CreateNewOXAModule("M", ""), 1);
    EXPECT_EQ(FinalizeOrvenInterface(), 1);
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
    EXPECT_EQ(FinalizeOrvenInterface(), 1);
}

TEST(EngineUtilities, Version) {
    char buf[16];
    std::memset(buf, 'X', sizeof buf);
    EXPECT_EQ(ORVENVersion(buf), 7);
    EXPECT_EQ(std::memcmp(buf, "03.800\0", 7), 0);
    EXPECT_EQ(buf[7], 'X');
    EXPECT_EQ(ORVENVersion(nullptr), 0);
}

TEST(EngineUtilities, ValidateDescription) {
    struct Case {
        std::string text;
        int valid;
    };
    const Case cases[] = {
        {std::string(26, 'a') + std::string(5, ' '), 0},
        {std::string(32, 'a'), 0},
        {std::string(67, 'a') + std::string(33, ' '), 1},
        {std::string(66, 'a') + std::string(34, ' '), 0},
        {std::string(39, 'a') + " ", 1},
        // 31 bytes plus "\r\n": 32 after the carriage return is dropped.
        {std::string(26, 'a') + std::string(5, ' ') + "\r\n", 1},
        {std::string(25, 'a') + std::string(5, ' ') + "\r\r\n", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValidateDescription(c.text.c_str()), c.valid) << '"' << c.text << '"';
    }
    EXPECT_EQ(ValidateDescription(nullptr), 0);
}

TEST(EngineUtilities, TimeIncluded) {
    struct Case {
        float outer[2], inner[2];
        int included;
    };
    const Case cases[] = {
        {{-1, -1}, {-1, -1}, 1}, {{-1, -1}, {0.5f, 1}, 0}, {{1, -1}, {2, 3}, 1},
        {{1, 5}, {2, -1}, 0},    {{1, 5}, {2, 5}, 1},      {{1, 5}, {0.5f, 4}, 0},
        {{-3, 7}, {-1, -1}, 1},  {{1, 5}, {4, 2}, 0},  // a refused inner pair is unset
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimeIncluded(c.outer, c.inner), c.included)
            << c.outer[0] << "," << c.outer[1] << " / " << c.inner[0] << "," << c.inner[1];
    }
    float pair[2] = {-1, -1};
    EXPECT_EQ(TimeIncluded(nullptr, pair), 0);
    EXPECT_EQ(TimeIncluded(pair, nullptr), 0);
}

TEST(EngineUtilities, DateOfFile) {
    TempDir dir;
    const std::string path = dir.file("pulse.h");
    writeFile(path, "int pulse;\n");
    struct utimbuf times {};
    times.actime = times.modtime = 1199145600;
    ASSERT_EQ(::utime(path.c_str(), &times), 0);

    char buf[64];
    ASSERT_EQ(GetDateOfFile(path.c_str(), buf, sizeof buf), 1);
    const std::string expected = orven::platform::ctimeText(1199145600);
    EXPECT_EQ(expected.size(), 24u);
    EXPECT_EQ(buf, expected);
    ASSERT_EQ(GetDateOfFile(path.c_str(), buf, 4), 1);
    EXPECT_EQ(std::string(buf), expected.substr(0, 3));

    // Engine paths with "\" separators name the same file.
    std::string enginePath = orven::platform::enginePath(path);
    EXPECT_EQ(GetDateOfFile(enginePath.c_str(), buf, sizeof buf), 1);

    std::strcpy(buf, "untouched");
    EXPECT_EQ(GetDateOfFile(dir.file("missing").c_str(), buf, sizeof buf), 0);
    EXPECT_EQ(GetDateOfFile(dir.path().c_str(), buf, sizeof buf), 0);
    EXPECT_EQ(GetDateOfFile(nullptr, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "untouched");
    EXPECT_EQ(GetDateOfFile(path.c_str(), nullptr, 10), 1);

    // A file that cannot be opened for writing counts as unopenable.
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(GetDateOfFile(path.c_str(), buf, sizeof buf), 0);
}

}  // namespace
