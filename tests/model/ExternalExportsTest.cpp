// The external-entry exports on the current module and the read-externals
// list.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstring>
#include <filesystem>

#include "TestSupport.h"
#include "model/TemporaryExternals.h"
#include "orven.h"
#include "platform/Platform.h"

using orven::test::fileExists;
using orven::test::readFile;
using orven::test::writeFile;

namespace {

void setTime(const std::string& path, long seconds) {
    struct utimbuf t {};
    t.actime = t.modtime = seconds;
    ::utime(path.c_str(), &t);
}

class ExternalExports : public ::testing::Test {
  protected:
    void SetUp() override {
        orven::model::TemporaryExternals::resetCounterForTests();
        FinalizeOrvenInterface();
        ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, nullptr, 0), 1);
        ASSERT_EQ(CreateNewOXAModule("M", "d"), 1);
        writeFile(work.file("a.h"), "AAA");
        writeFile(work.file("b.h"), "BBB");
        setTime(work.file("a.h"), 1199145600);
    }
    void TearDown() override { FinalizeOrvenInterface(); }
    std::string dateOf(int kind, int position) {
        char path[256], name[128], date[128];
        if (RetrieveExternalDataEntry(kind, position, path, name, date, 256, 128, 128) != 1)
            return "<none>";
        return date;
    }
    orven::test::EngineWorkDir work;
};

}  // namespace

TEST_F(ExternalExports, AppendStoresCopyAndDate) {
    ASSERT_EQ(ChangeExternalDataEntry(0, NumberOfExternalDataEntries(0), ".", "a.h"), 1);
    EXPECT_EQ(NumberOfExternalDataEntries(0), 1);
    EXPECT_EQ(readFile(work.file("externals/xtrnl_0.tmp")), "AAA");
    char path[256] = "x", name[128] = "x", date[128] = "x";
    ASSERT_EQ(RetrieveExternalDataEntry(0, 0, path, name, date, 256, 128, 128), 1);
    EXPECT_STREQ(path, ".");
    EXPECT_STREQ(name, "a.h");
    EXPECT_EQ(std::string(date), orven::platform::ctimeText(1199145600));
    EXPECT_EQ(std::strlen(date), 24u);
    // Out of range: nothing written.
    char untouched[8] = "keep";
    EXPECT_EQ(RetrieveExternalDataEntry(0, 1, untouched, untouched, untouched, 8, 8, 8), 0);
    EXPECT_EQ(RetrieveExternalDataEntry(5, 0, untouched, untouched, untouched, 8, 8, 8), 0);
    EXPECT_STREQ(untouched, "keep");
    // Same name in the same list: 0; in another list: its own copy.
    EXPECT_EQ(ChangeExternalDataEntry(0, 1, ".", "a.h"), 0);
    EXPECT_EQ(ChangeExternalDataEntry(3, 0, ".", "a.h"), 1);
    EXPECT_TRUE(fileExists(work.file("externals/xtrnl_1.tmp")));
}

TEST_F(ExternalExports, RefusedEntries) {
    writeFile(work.file("ro.h"), "r");
    ::chmod(work.file("ro.h").c_str(), 0444);
    for (int kind : {0, 1, 3}) {
        EXPECT_EQ(ChangeExternalDataEntry(kind, 0, ".", "ro.h"), 0) << kind;
        EXPECT_EQ(ChangeExternalDataEntry(kind, 0, ".", "missing.h"), 0) << kind;
    }
    EXPECT_EQ(ChangeExternalDataEntry(4, 0, ".", "a.h"), 0);
    EXPECT_EQ(ChangeExternalDataEntry(0, -1, ".", "a.h"), 0);
    // Texts the entry syntax of the module file cannot hold.
    std::filesystem::create_directory(work.file("we]ird"));
    writeFile(work.file("we]ird/x.h"), "x");
    writeFile(work.file("li\nne.h"), "x");
    EXPECT_EQ(ChangeExternalDataEntry(0, 0, "we]ird", "x.h"), 0);
    EXPECT_EQ(ChangeExternalDataEntry(0, 0, ".", "li\nne.h"), 0);
    EXPECT_EQ(ChangeExternalDataEntry(2, 0, ".", "a]b.cpp"), 0);
    for (int kind : {0, 1, 2, 3})
        EXPECT_EQ(NumberOfExternalDataEntries(kind), 0);
}

TEST_F(ExternalExports, ReplaceReloadsTheFile) {
    ASSERT_EQ(ChangeExternalDataEntry(1, 0, ".", "a.h"), 1);
    EXPECT_EQ(CheckModificationsDataEntry(1, 0), 1);
    writeFile(work.file("a.h"), "NEW");
    setTime(work.file("a.h"), 1199145700);
    EXPECT_EQ(CheckModificationsDataEntry(1, 0), 0);
    ASSERT_EQ(ChangeExternalDataEntry(1, 0, ".", "a.h"), 1);
    EXPECT_EQ(CheckModificationsDataEntry(1, 0), 1);
    EXPECT_EQ(NumberOfExternalDataEntries(1), 1);
    std::filesystem::create_directory(work.file("out"));
    ASSERT_EQ(CopyExternalsIntoFiles(1, "out"), 1);
    EXPECT_EQ(readFile(work.file("out/a.h")), "NEW");
}

TEST_F(ExternalExports, DeleteAndDeleteAll) {
    EXPECT_EQ(DeleteExternalDataEntry(3, 0), 1);  // empty list
    ASSERT_EQ(ChangeExternalDataEntry(3, 0, ".", "a.h"), 1);
    ASSERT_EQ(ChangeExternalDataEntry(3, 1, ".", "b.h"), 1);
    ASSERT_EQ(DeleteExternalDataEntry(3, NumberOfExternalDataEntries(3)), 1);
    EXPECT_EQ(NumberOfExternalDataEntries(3), 0);
    std::vector<std::string> names;
    orven::platform::listDirectory(work.file("externals"), names);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(DeleteExternalDataEntry(4, 0), 0);
}

TEST_F(ExternalExports, ModificationCheckResults) {
    ASSERT_EQ(ChangeExternalDataEntry(0, 0, ".", "a.h"), 1);
    EXPECT_EQ(CheckModificationsDataEntry(0, 0), 1);
    EXPECT_EQ(CheckModificationsDataEntry(0, 1), 2);
    EXPECT_EQ(CheckModificationsDataEntry(7, 0), 2);
    ::chmod(work.file("a.h").c_str(), 0444);
    EXPECT_EQ(CheckModificationsDataEntry(0, 0), 2);
    ::chmod(work.file("a.h").c_str(), 0644);
    std::filesystem::remove(work.file("a.h"));
    EXPECT_EQ(CheckModificationsDataEntry(0, 0), 2);
}

TEST_F(ExternalExports, EpochDate) {
    ReadExternalCodeFromDSP(nullptr);
    writeFile(work.file("p.dsp"), "SOURCE=.\\main.cpp\n");
    ASSERT_EQ(ReadExternalCodeFromDSP("p.dsp"), 1);
    EXPECT_EQ(dateOf(2, 0), orven::platform::ctimeText(0));
}

TEST_F(ExternalExports, WithoutModule) {
    DeleteCurrentOXAModule();
    EXPECT_EQ(NumberOfExternalDataEntries(0), 0);
    EXPECT_EQ(NumberOfExternalDataEntries(2), 0);
    EXPECT_EQ(ChangeExternalDataEntry(0, 0, ".", "a.h"), 0);
    EXPECT_EQ(ChangeExternalDataEntry(2, 0, ".", "a.cpp"), 0);
    EXPECT_EQ(DeleteExternalDataEntry(0, 0), 0);
    EXPECT_EQ(CheckModificationsDataEntry(0, 0), 2);
    EXPECT_EQ(CopyExternalsIntoFiles(0, "."), 0);
    EXPECT_EQ(SetExternalCodeFromReadExternals(1), 0);
    // Reading a project file needs no module.
    writeFile(work.file("p.dsp"), "SOURCE=.\\main.cpp\n");
    EXPECT_EQ(ReadExternalCodeFromDSP("p.dsp"), 1);
}

TEST_F(ExternalExports, ProjectFileEntriesTakenOver) {
    std::filesystem::create_directory(work.file("src"));
    writeFile(work.file("src/main.cpp"), "int main() { return 0; }\n");
    writeFile(work.file("util.c"), "int util;\n");
    writeFile(work.file("proj.dsp"),
              "SOURCE=.\\src\\main.cpp\r\nSOURCE=util.c\r\nSOURCE=.\\res\\app.rc\r\n"
              "SOURCE=\"quoted.cpp\"\r\n");
    ASSERT_EQ(ReadExternalCodeFromDSP("proj.dsp"), 1);
    ASSERT_EQ(NumberOfExternalDataEntries(2), 2);
    ASSERT_EQ(SetExternalCodeFromReadExternals(1), 1);
    ASSERT_EQ(NumberOfExternalDataEntries(1), 2);
    // Date 0: reported as modified as soon as the files exist.
    EXPECT_EQ(CheckModificationsDataEntry(1, 0), 0);
    EXPECT_EQ(CheckModificationsDataEntry(1, 1), 0);
    // Appending the same entries again is refused as a whole: the list stays.
    EXPECT_EQ(SetExternalCodeFromReadExternals(0), 1);
    EXPECT_EQ(NumberOfExternalDataEntries(1), 2);
    // A project file of another extension empties the read list.
    writeFile(work.file("proj.Dsp"), "SOURCE=a.cpp\n");
    EXPECT_EQ(ReadExternalCodeFromDSP("proj.Dsp"), 0);
    EXPECT_EQ(NumberOfExternalDataEntries(2), 0);
    // Changing the module does not touch the read list.
    ASSERT_EQ(ReadExternalCodeFromDSP("proj.dsp"), 1);
    ASSERT_EQ(CreateNewOXAModule("Other", "d"), 1);
    EXPECT_EQ(NumberOfExternalDataEntries(2), 2);
    // Entries whose files are missing: the setter refuses the list.
    writeFile(work.file("gone.dsp"), "SOURCE=.\\nothere.cpp\n");
    ASSERT_EQ(ReadExternalCodeFromDSP("gone.dsp"), 1);
    EXPECT_EQ(SetExternalCodeFromReadExternals(1), 1);
    EXPECT_EQ(NumberOfExternalDataEntries(1), 0);
}

TEST_F(ExternalExports, ReadListThroughKindTwo) {
    ASSERT_EQ(ChangeExternalDataEntry(2, 0, "x/y", "a.cpp"), 1);
    ASSERT_EQ(ChangeExternalDataEntry(2, 5, "x", "b.cpp"), 1);
    EXPECT_EQ(ChangeExternalDataEntry(2, 5, "x", "b.cpp"), 0);
    ASSERT_EQ(ChangeExternalDataEntry(2, 0, "z", "c.cpp"), 1);
    char path[256], name[128], date[128];
    ASSERT_EQ(RetrieveExternalDataEntry(2, 0, path, name, date, 256, 128, 128), 1);
    EXPECT_STREQ(path, "z");
    EXPECT_STREQ(name, "c.cpp");
    ASSERT_EQ(RetrieveExternalDataEntry(2, 1, path, name, date, 256, 128, 128), 1);
    EXPECT_STREQ(path, "x");
    EXPECT_EQ(CopyExternalsIntoFiles(2, "."), 0);
    EXPECT_EQ(DeleteExternalDataEntry(2, 0), 1);
    EXPECT_EQ(NumberOfExternalDataEntries(2), 1);
    EXPECT_EQ(DeleteExternalDataEntry(2, 9), 1);
    EXPECT_EQ(NumberOfExternalDataEntries(2), 0);
}

TEST_F(ExternalExports, CopyOutNeverLeavesTheDirectory) {
    std::filesystem::create_directory(work.file("src"));
    writeFile(work.file("src/util.cpp"), "u");
    writeFile(work.file("p.dsp"), "SOURCE=src/util.cpp\n");
    ASSERT_EQ(ReadExternalCodeFromDSP("p.dsp"), 1);
    ASSERT_EQ(SetExternalCodeFromReadExternals(1), 1);
    ASSERT_EQ(NumberOfExternalDataEntries(1), 1);  // name "src/util.cpp"
    std::filesystem::create_directories(work.file("out/src"));
    EXPECT_EQ(CopyExternalsIntoFiles(1, "out"), 0);
    EXPECT_FALSE(fileExists(work.file("out/src/util.cpp")));
}
