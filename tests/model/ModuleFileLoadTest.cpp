// Every message of the module-file loader, each from a small damaged file,
// and the current module left as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TestSupport.h"
#include "model/TemporaryExternals.h"
#include "orven.h"

using orven::test::readFile;
using orven::test::writeFile;

namespace {

class ModuleFileLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        orven::model::TemporaryExternals::resetCounterForTests();
        FinalizeOrvenInterface();
        ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, nullptr, 0), 1);
        // The base file: a module with one group and one service.
        ASSERT_EQ(CreateNewOXAModule("Base", "A base module"), 1);
        ASSERT_EQ(AddNewGroupOfServices("G", "group"), 1);
        ASSERT_EQ(CreateOXAService("G", "s", "service"), 1);
        ASSERT_EQ(SaveOXAModule("base.oxa"), 1);
        base = readFile(work.file("base.oxa"));
        // With one entry in each external list.
        writeFile(work.file("a.h"), "AA");
        writeFile(work.file("b.h"), "BB");
        writeFile(work.file("c.h"), "CC");
        ASSERT_EQ(ChangeExternalDataEntry(0, 0, ".", "a.h"), 1);
        ASSERT_EQ(ChangeExternalDataEntry(1, 0, ".", "b.h"), 1);
        ASSERT_EQ(ChangeExternalDataEntry(3, 0, ".", "c.h"), 1);
        ASSERT_EQ(SaveOXAModule("ext.oxa"), 1);
        withExternals = readFile(work.file("ext.oxa"));
        // The current module that a failed load must leave alone.
        ASSERT_EQ(CreateNewOXAModule("Current", "The current module"), 1);
        ASSERT_EQ(AddNewGroupOfServices("Kept", "group"), 1);
    }
    void TearDown() override { FinalizeOrvenInterface(); }

    static std::string replaced(std::string text, const std::string& from, const std::string& to) {
        std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
        return text;
    }
    static std::string cutAt(const std::string& text, const std::string& marker) {
        std::size_t at = text.find(marker);
        EXPECT_NE(at, std::string::npos) << marker;
        return text.substr(0, at);
    }

    void expectCurrentModuleKept() {
        char name[64];
        NameOXAModule(name, sizeof name);
        EXPECT_STREQ(name, "Current");
        EXPECT_EQ(ExistGroupOfServices("Kept"), 1);
    }

    std::string base;
    std::string withExternals;
    orven::test::EngineWorkDir work;
};

}  // namespace

TEST_F(ModuleFileLoad, BaseFilesLoad) {
    char error[128];
    ASSERT_EQ(LoadOXAModule("base.oxa", sizeof error, error), 1) << error;
    EXPECT_EQ(ExistOXAService("G", "s"), 1);
    ASSERT_EQ(LoadOXAModule("ext.oxa", sizeof error, error), 1) << error;
    EXPECT_EQ(NumberOfExternalDataEntries(3), 1);
    // Lines before the format line are skipped two at a time.
    writeFile(work.file("skip.oxa"), "old header\r\nsecond line\r\n" + base);
    EXPECT_EQ(LoadOXAModule("skip.oxa", sizeof error, error), 1) << error;
    // Line feeds alone are accepted.
    std::string lf;
    for (char c : base)
        if (c != '\r')
            lf.push_back(c);
    writeFile(work.file("lf.oxa"), lf);
    EXPECT_EQ(LoadOXAModule("lf.oxa", sizeof error, error), 1) << error;
}

TEST_F(ModuleFileLoad, EveryMessage) {
    const std::string ext = withExternals;
    const std::size_t dollar = ext.rfind('$', ext.find(std::string("\0\0\0", 3)));
    struct Case {
        const char* message;
        std::string file;
    };
    auto renameRecord = [&](const std::string& from, const std::string& to) {
        std::string f = ext;
        std::size_t at = f.find(from + std::string(1, '\0'), dollar);
        EXPECT_NE(at, std::string::npos);
        f.replace(at, from.size(), to);
        return f;
    };
    const Case cases[] = {
        {"format information not found (maybe older, try Transformer)", "\r\n" + base},
        {"format information not found (maybe older, try Transformer)", ""},
        {"format information not found (maybe older, try Transformer)", "one\r\ntwo\r\n"},
        {"invalid format information", replaced(base, "[FF200704]", "FF200704")},
        {"invalid format: FF200703, expected FF200704", replaced(base, "FF200704", "FF200703")},
        {"invalid format: , expected FF200704", replaced(base, "FF200704", "")},
        {"No heading", replaced(base, "OXA Module: \r\n", "OXA Module:\r\n")},
        {"No heading", cutAt(base, "OXA Module")},
        {"No name/description/link", replaced(base, "[Base]", "Base")},
        {"No name/description/link", replaced(base, "Description:", "Descriptions:")},
        {"No name/description/link",
         replaced(base, "Linked to the object: []", "Linked to the object: [X]")},
        {"No name/description/link",
         replaced(base, "\tLinked to the object: [Base]", "\tLinked to the object: [Other]")},
        {"No name/description/link",
         replaced(base, "Includes (1) objects.", "Includes (2) objects.")},
        {"No name/description/link",
         replaced(base, "Included object #0 (SGr)", "Included object #1 (SGr)")},
        {"No name/description/link",
         replaced(base, "Included object #0 (SGr)", "Included object #0 (Srv)")},
        {"No name/description/link",
         replaced(base, "Included object #0 (SGr)", "Included object #0 (CU)")},
        {"No name/description/link",
         replaced(base, "\tGroup of Services: ", "\tGroup of Service ")},
        {"No name/description/link", replaced(base, "Type: 0", "Type: 3")},
        {"No name/description/link", replaced(base, "Type: 0", "Type:")},
        {"No name/description/link",
         replaced(base, "Event Handler Code: (0)", "Event Handler Code: 0")},
        {"No name/description/link",
         replaced(base, "Event Generator Module: ()", "Generator Module: ()")},
        {"No name/description/link",
         replaced(base, "\t\tRelative priority: (0)", "\t\tRelative priority: 0")},
        {"No name/description/link", replaced(base, "Server code:", "Server cod:")},
        {"No name/description/link", cutAt(base, "\t\tCharacteristics")},
        {"No name/description/link", replaced(base, "[s]", "[bad[name]")},
        {"No priority",
         replaced(base, "Relative priority: (0)\r\nExternal", "Relative priority: 0\r\nExternal")},
        {"No external data", replaced(base, "External data: (0)", "External data: 0")},
        {"No external data", replaced(base, "External data: (0)", "External data: (1)")},
        {"No external code", replaced(base, "External code: (0)", "External code: (1) [x]/[y]@5")},
        {"No external passive",
         replaced(base, "External passive: (0)", "External passive: (1) [x]")},
        {"No global data", replaced(base, "Global data:", "Global dat:")},
        {"No global code", replaced(base, "Global code:", "Global-code:")},
        {"No pre-definitions", replaced(base, "Pre-definitions:", "Predefinitions:")},
        {"No startup code", replaced(base, "Startup code:", "Start code:")},
        {"No pre-ending code", replaced(base, "Pre-ending code:", "Pre ending code:")},
        {"No post-ending code", replaced(base, "Post-ending code:", "Post-ending:")},
        {"No post-ending code",
         cutAt(base, "Post-ending code:") + "Post-ending code:[INF,INF]\r\nCompactStr(3)\r\n\t61"},
        {"No codification language", replaced(base, "Codification language:", "Codification:")},
        {"No codification language",
         cutAt(base, "Codification language:") + "Codification language:\r\n\t("},
        {"No deportabilization information",
         replaced(base, "Deportabilization:", "Deportability:")},
        {"No deportabilization information",
         cutAt(base, "Deportabilization:") + "Deportabilization:\r\n\t[{(H):0|}"},
        {"No dependencies list", replaced(base, "Dependencies:", "Dependency:")},
        {"No dependencies list", replaced(base, "{(0) }", "{(" + std::string(31, '0') + ") }")},
        {"No dependencies list", cutAt(base, "Dependencies:") + "Dependencies:\r\n\t{(2) [a]:[b]"},
        {"No list of defined signals", replaced(base, "Defined signals:", "Signals defined:")},
        {"No general information", replaced(base, "General information:", "Information:")},
        {"No general information",
         cutAt(base, "General information:") + "General information:\r\n\tCompactStr(0)\r\n"},
        {"", cutAt(base, "$")},
        {"Error extracting temporary external files", ext.substr(0, dollar + 1)},
        {"Error extracting temporary external files", ext.substr(0, ext.size() - 1)},
        {"An external data file could not be found", renameRecord("a.h", "x.h")},
        {"An external code file could not be found", renameRecord("b.h", "x.h")},
        {"An external passive file could not be found", renameRecord("c.h", "x.h")},
        {"External information incoherent", replaced(ext, "[c.h]", "[a.h]")},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = "case" + std::to_string(n++) + ".oxa";
        writeFile(work.file(path), c.file);
        char error[256] = "junk";
        EXPECT_EQ(LoadOXAModule(path.c_str(), sizeof error, error), 0) << c.message;
        EXPECT_STREQ(error, c.message) << path;
        expectCurrentModuleKept();
    }
    // No temporary file of a failed load stays behind.
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(work.file("externals")))
        left.push_back(e.path().filename().string());
    EXPECT_TRUE(left.empty()) << left.size();
}

TEST_F(ModuleFileLoad, FilesThatCannotBeOpened) {
    char error[128];
    EXPECT_EQ(LoadOXAModule("missing.oxa", sizeof error, error), 0);
    EXPECT_STREQ(error, "Could not open module file");
    EXPECT_EQ(LoadOXAModule(nullptr, sizeof error, error), 0);
    EXPECT_STREQ(error, "Could not open module file");
    std::filesystem::create_directory(work.file("dir.oxa"));
    EXPECT_EQ(LoadOXAModule("dir.oxa", sizeof error, error), 0);
    EXPECT_STREQ(error, "Could not open module file");
    // A module file that cannot be opened for writing fails where the
    // appendix is sought.
    writeFile(work.file("ro.oxa"), base);
    ::chmod(work.file("ro.oxa").c_str(), 0444);
    EXPECT_EQ(LoadOXAModule("ro.oxa", sizeof error, error), 0);
    EXPECT_STREQ(error, "End-Of-File character not found");
    expectCurrentModuleKept();
    // The message follows the copy rule.
    char small[5];
    EXPECT_EQ(LoadOXAModule("missing.oxa", sizeof small, small), 0);
    EXPECT_STREQ(small, "Coul");
    EXPECT_EQ(LoadOXAModule("missing.oxa", 0, nullptr), 0);
}

TEST_F(ModuleFileLoad, ValuesTheSettersRefuseAreDropped) {
    std::string f = replaced(base, "Characteristics: <>", "Characteristics: <UZ>");
    f = replaced(f, "\t\tRelative priority: (0)", "\t\tRelative priority: (7.9)");
    f = replaced(f, "Event Handler Code: (0)", "Event Handler Code: (ev1)");
    f = replaced(f, "Server code:[INF,INF]", "Server code:[2.000000,1.000000]");
    f = replaced(f, "Startup code:[INF,INF]", "Startup code:[1.5,INF]");
    writeFile(work.file("dropped.oxa"), f);
    char error[128];
    ASSERT_EQ(LoadOXAModule("dropped.oxa", sizeof error, error), 1) << error;
    char chars[7] = {};
    ASSERT_EQ(OXAServiceCharacteristics("G", "s", chars), 1);
    EXPECT_STREQ(chars, "      ");
    EXPECT_EQ(OXAServiceRelPriority("G", "s"), 0);
    char code[16] = "x";
    EXPECT_EQ(OXAServiceEventHandlerCode("G", "s", code, sizeof code), 0);
    float pair[2];
    ASSERT_EQ(RetrieveTimeRestrictionService(0, "G", "s", pair), 1);
    EXPECT_EQ(pair[0], -1.0f);
    EXPECT_EQ(pair[1], -1.0f);
    ASSERT_EQ(RetrieveTimeRestriction(3, pair), 1);
    EXPECT_EQ(pair[0], 1.5f);
    EXPECT_EQ(pair[1], -1.0f);
    // A monitor with a relative priority keeps it, truncated.
    f = replaced(base, "Characteristics: <>", "Characteristics: <xMx>");
    f = replaced(f, "\t\tRelative priority: (0)", "\t\tRelative priority: (7.9)");
    writeFile(work.file("monitor.oxa"), f);
    ASSERT_EQ(LoadOXAModule("monitor.oxa", sizeof error, error), 1) << error;
    EXPECT_EQ(OXAServiceRelPriority("G", "s"), 7);
    EXPECT_EQ(OXAServicePriorityType("G", "s"), 4);
}
