#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include "TestSupport.h"
#include "model/ModuleExternals.h"
#include "platform/Platform.h"

using orven::model::ExternalEntry;
using orven::model::ExternalList;
using orven::model::ModuleExternals;
using orven::model::TemporaryExternals;
using orven::test::fileExists;
using orven::test::readFile;
using orven::test::writeFile;

namespace {

void setTime(const std::string& path, long seconds) {
    struct utimbuf t {};
    t.actime = seconds;
    t.modtime = seconds;
    ::utime(path.c_str(), &t);
}

class Lists : public ::testing::Test {
  protected:
    void SetUp() override {
        TemporaryExternals::resetCounterForTests();
        writeFile(work.file("a.h"), "A");
        writeFile(work.file("b.h"), "B");
        writeFile(work.file("c.h"), "C");
        setTime(work.file("a.h"), 1199145600);
    }
    std::string stored(const ModuleExternals& m, const std::string& name) {
        int at = m.store()->indexOf(name);
        if (at < 0)
            return "<none>";
        return readFile(orven::platform::nativePath(m.store()->records()[at].temporaryPath));
    }
    orven::test::EngineWorkDir work;
    ModuleExternals m{"externals", "xtrnl"};
};

}  // namespace

TEST_F(Lists, StoreExistsOnlyWithDirectoryAndGroup) {
    EXPECT_TRUE(m.hasStore());
    EXPECT_FALSE(ModuleExternals("", "xtrnl").hasStore());
    EXPECT_FALSE(ModuleExternals("externals", "").hasStore());
    EXPECT_FALSE(ModuleExternals().hasStore());
}

TEST_F(Lists, AppendTakesDateAndStoresTheFile) {
    ASSERT_TRUE(m.changeEntry(0, 0, ".", "a.h"));
    ASSERT_EQ(m.list(0).size(), 1u);
    EXPECT_EQ(m.list(0)[0].path(), ".");
    EXPECT_EQ(m.list(0)[0].date(), 1199145600u);
    EXPECT_EQ(m.store()->records()[0].temporaryPath, "externals\\xtrnl_0.tmp");
    EXPECT_EQ(readFile(work.file("externals/xtrnl_0.tmp")), "A");
    // The same name again in the same list: refused; in another list: its
    // own copy.
    EXPECT_FALSE(m.changeEntry(0, 5, ".", "a.h"));
    EXPECT_TRUE(m.changeEntry(3, 0, ".", "a.h"));
    EXPECT_EQ(m.store()->size(), 2u);
    EXPECT_EQ(m.list(3).size(), 1u);
    // Other kinds are refused.
    EXPECT_FALSE(m.changeEntry(2, 0, ".", "b.h"));
    EXPECT_FALSE(m.changeEntry(4, 0, ".", "b.h"));
    EXPECT_FALSE(m.changeEntry(-1, 0, ".", "b.h"));
}

TEST_F(Lists, AppendRefusals) {
    ::chmod(work.file("c.h").c_str(), 0444);
    EXPECT_FALSE(m.changeEntry(1, 0, ".", "c.h"));     // read-only
    EXPECT_FALSE(m.changeEntry(1, 0, ".", "none.h"));  // missing
    writeFile(work.file("x]y.h"), "z");
    EXPECT_FALSE(m.changeEntry(1, 0, ".", "x]y.h"));  // would break the file
    EXPECT_TRUE(m.list(1).empty());
    EXPECT_EQ(m.store()->size(), 0u);
}

TEST_F(Lists, ReplaceStoresCurrentContentAgain) {
    ASSERT_TRUE(m.changeEntry(0, 0, ".", "a.h"));
    writeFile(work.file("a.h"), "A2");
    setTime(work.file("a.h"), 1199145700);
    EXPECT_EQ(m.checkModification(0, 0), 0);
    ASSERT_TRUE(m.changeEntry(0, 0, ".", "a.h"));
    EXPECT_EQ(m.checkModification(0, 0), 1);
    EXPECT_EQ(m.store()->size(), 1u);
    EXPECT_EQ(stored(m, "a.h"), "A2");
    EXPECT_EQ(m.list(0)[0].date(), 1199145700u);
    // Replacing by another file.
    ASSERT_TRUE(m.changeEntry(0, 0, ".", "b.h"));
    ASSERT_EQ(m.list(0).size(), 1u);
    EXPECT_EQ(m.list(0)[0].name(), "b.h");
    EXPECT_EQ(m.store()->size(), 1u);
    EXPECT_EQ(stored(m, "b.h"), "B");
    EXPECT_EQ(stored(m, "a.h"), "<none>");
}

TEST_F(Lists, FailedReplaceKeepsTheOldEntryAndCopy) {
    ASSERT_TRUE(m.changeEntry(0, 0, ".", "a.h"));
    ASSERT_TRUE(m.changeEntry(0, 1, ".", "b.h"));
    // Replacing a.h by the name of the other entry.
    EXPECT_FALSE(m.changeEntry(0, 0, ".", "b.h"));
    // Replacing a.h by a file that cannot be taken (read-only).
    orven::platform::makeDirectory(work.file("d"));
    writeFile(work.file("d/a.h"), "new");
    ::chmod(work.file("d/a.h").c_str(), 0444);
    EXPECT_FALSE(m.changeEntry(0, 0, "d", "a.h"));
    ASSERT_EQ(m.list(0).size(), 2u);
    EXPECT_EQ(m.list(0)[0].path(), ".");
    EXPECT_EQ(stored(m, "a.h"), "A");
    EXPECT_EQ(m.store()->size(), 2u);
}

TEST_F(Lists, SetExternalListKeepsStoreInStep) {
    ExternalList l{ExternalEntry(".", "a.h"), ExternalEntry(".", "b.h")};
    ASSERT_TRUE(m.setExternalList(1, l));
    EXPECT_EQ(m.store()->size(), 2u);
    // A kept name keeps its copy even with a new path.
    writeFile(work.file("a.h"), "changed");
    ExternalList l2{ExternalEntry("elsewhere", "a.h"), ExternalEntry(".", "c.h")};
    ASSERT_TRUE(m.setExternalList(1, l2));
    EXPECT_EQ(stored(m, "a.h"), "A");
    EXPECT_EQ(stored(m, "b.h"), "<none>");
    EXPECT_EQ(stored(m, "c.h"), "C");
    EXPECT_EQ(m.store()->size(), 2u);
    // Duplicates are refused.
    ExternalList dup{ExternalEntry(".", "a.h"), ExternalEntry("x", "a.h")};
    EXPECT_FALSE(m.setExternalList(1, dup));
    EXPECT_EQ(m.list(1), l2);
}

TEST_F(Lists, FailedCopyLeavesOldListAndCopies) {
    ASSERT_TRUE(m.setExternalList(0, {ExternalEntry(".", "a.h")}));
    ExternalList next{ExternalEntry(".", "b.h"), ExternalEntry(".", "missing.h")};
    EXPECT_FALSE(m.setExternalList(0, next));
    ASSERT_EQ(m.list(0).size(), 1u);
    EXPECT_EQ(stored(m, "a.h"), "A");
    EXPECT_EQ(m.store()->size(), 1u);
    std::vector<std::string> names;
    orven::platform::listDirectory(work.file("externals"), names);
    EXPECT_EQ(names.size(), 1u);
}

TEST_F(Lists, RemovedNameWithoutCopyIsRefused) {
    ASSERT_TRUE(m.assignList(0, {ExternalEntry(".", "a.h")}));  // no copy behind it
    EXPECT_FALSE(m.setExternalList(0, {}));
    EXPECT_EQ(m.list(0).size(), 1u);
}

TEST_F(Lists, UnknownPathEntries) {
    // As the module-file reader leaves them: the list and an extracted copy.
    ExternalEntry unknown("*", "u.h");
    unknown.setPathKnown(false);
    writeFile(work.file("u.h"), "U");
    ASSERT_TRUE(m.store()->addFile(".", "u.h"));
    ASSERT_TRUE(m.assignList(0, {unknown}));
    // Adding another entry neither copies nor removes the unknown one.
    ExternalList l = m.list(0);
    l.push_back(ExternalEntry(".", "a.h"));
    ASSERT_TRUE(m.setExternalList(0, l));
    EXPECT_EQ(m.store()->size(), 2u);
    EXPECT_EQ(m.checkModification(0, 0), 2);
    // Copying out skips it.
    orven::platform::makeDirectory(work.file("out"));
    EXPECT_TRUE(m.copyOut(0, "out"));
    EXPECT_FALSE(fileExists(work.file("out/u.h")));
    EXPECT_TRUE(fileExists(work.file("out/a.h")));
    // Once it leaves the list, its copy goes too (a saved file would
    // otherwise hold a file no entry names).
    ASSERT_TRUE(m.deleteEntry(0, 0));
    EXPECT_EQ(m.store()->size(), 1u);
    EXPECT_EQ(stored(m, "u.h"), "<none>");
}

TEST_F(Lists, DeleteEntryAndDeleteAll) {
    EXPECT_TRUE(m.deleteEntry(3, 0));  // empty list
    ASSERT_TRUE(m.changeEntry(3, 0, ".", "a.h"));
    ASSERT_TRUE(m.changeEntry(3, 1, ".", "b.h"));
    ASSERT_TRUE(m.changeEntry(3, 2, ".", "c.h"));
    ASSERT_TRUE(m.deleteEntry(3, 1));
    ASSERT_EQ(m.list(3).size(), 2u);
    EXPECT_EQ(m.list(3)[1].name(), "c.h");
    EXPECT_EQ(stored(m, "b.h"), "<none>");
    ASSERT_TRUE(m.deleteEntry(3, 2));
    EXPECT_TRUE(m.list(3).empty());
    EXPECT_EQ(m.store()->size(), 0u);
    std::vector<std::string> names;
    orven::platform::listDirectory(work.file("externals"), names);
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(m.deleteEntry(2, 0));
}

TEST_F(Lists, ModificationCheck) {
    ASSERT_TRUE(m.changeEntry(0, 0, ".", "a.h"));
    EXPECT_EQ(m.checkModification(0, 0), 1);
    EXPECT_EQ(m.checkModification(0, 1), 2);
    EXPECT_EQ(m.checkModification(2, 0), 2);
    setTime(work.file("a.h"), 1199145599);  // older than the date: unchanged
    EXPECT_EQ(m.checkModification(0, 0), 1);
    setTime(work.file("a.h"), 1199145601);
    EXPECT_EQ(m.checkModification(0, 0), 0);
    ::chmod(work.file("a.h").c_str(), 0444);
    EXPECT_EQ(m.checkModification(0, 0), 2);
    orven::platform::deleteFile(work.file("a.h"));
    EXPECT_EQ(m.checkModification(0, 0), 2);
}

TEST_F(Lists, CopyOut) {
    ASSERT_TRUE(m.changeEntry(1, 0, ".", "a.h"));
    ASSERT_TRUE(m.changeEntry(1, 1, ".", "b.h"));
    orven::platform::makeDirectory(work.file("out"));
    EXPECT_TRUE(m.copyOut(1, "out"));
    EXPECT_EQ(readFile(work.file("out/a.h")), "A");
    EXPECT_EQ(readFile(work.file("out/b.h")), "B");
    EXPECT_FALSE(m.copyOut(2, "out"));
    EXPECT_FALSE(m.copyOut(4, "out"));
    EXPECT_TRUE(m.copyOut(0, "out"));  // an empty list
    EXPECT_FALSE(m.copyOut(1, "missing-dir"));
    EXPECT_TRUE(ModuleExternals().copyOut(1, "out"));  // no store: nothing to copy
}

TEST_F(Lists, CopyOutRefusesNamesLeavingTheDirectory) {
    orven::platform::makeDirectory(work.file("sub"));
    orven::platform::makeDirectory(work.file("out"));
    writeFile(work.file("sub/x.cpp"), "x");
    // An entry as a project file gives it: path ".", name "sub/x.cpp".
    ASSERT_TRUE(m.setExternalList(1, {ExternalEntry(".", "sub/x.cpp")}));
    orven::platform::makeDirectory(work.file("out/sub"));
    EXPECT_FALSE(m.copyOut(1, "out"));
    EXPECT_FALSE(fileExists(work.file("out/sub/x.cpp")));
    writeFile(work.file("up.h"), "u");
    orven::platform::makeDirectory(work.file("deep"));
    ASSERT_TRUE(m.setExternalList(0, {ExternalEntry("deep", "../up.h")}));
    orven::platform::makeDirectory(work.file("out2"));
    EXPECT_FALSE(m.copyOut(0, "out2/inner"));
    EXPECT_FALSE(m.copyOut(0, "out2"));
    EXPECT_EQ(readFile(work.file("up.h")), "u");
}

TEST_F(Lists, ListsWithoutStoreAreReplacedPlainly) {
    ModuleExternals plain;
    ExternalList dup{ExternalEntry("x", "a.h"), ExternalEntry("y", "a.h")};
    EXPECT_TRUE(plain.setExternalList(0, dup));
    EXPECT_EQ(plain.list(0).size(), 2u);
    EXPECT_FALSE(plain.setExternalList(0, {ExternalEntry("x", "a\nb")}));
}

TEST(PlainEntries, AppendAndReplace) {
    ExternalList l;
    EXPECT_TRUE(orven::model::changePlainEntry(l, 0, ExternalEntry(".", "a.cpp")));
    EXPECT_FALSE(orven::model::changePlainEntry(l, 9, ExternalEntry("x", "a.cpp")));
    EXPECT_TRUE(orven::model::changePlainEntry(l, 0, ExternalEntry("x", "b.cpp")));
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].name(), "b.cpp");
}
