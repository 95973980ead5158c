// The macro-script services of the code assistant, through the exports.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestSupport.h"
#include "api/EngineState.h"
#include "api/orven.h"
#include "platform/Platform.h"

namespace {

const char* kAtoms =
    "Atoms of the code assistant.\r\n"
    "#TPX-ZONE(A,_S-----X,count)#for (int i = 0; i < #TPX-MACRO(count,10)#; ++i) {\r\n"
    "}\r\n#TPX-ENDZONE(A)#\r\n"
    "#TPX-ZONE(B,count)#b#TPX-ENDZONE(B)#\r\n"
    "#TPX-ZONE(C)#c#TPX-ENDZONE(C)#\r\n"
    "#TPX-ZONE(D,,_S-----X)#d#TPX-ENDZONE(D)#\r\n"
    "#TPX-ZONE(Broken)##TPX-MACRO(x)##TPX-ENDZONE(Broken)#\r\n"
    "#TPX-ZONE(Text,v)##TPX-MACRO(v,)##TPX-ENDZONE(Text)#\r\n";

class MacroScriptExports : public testing::Test {
  protected:
    void SetUp() override {
        UnloadMacroScript();
        orven::test::writeFile(dir_.file("atoms.tpx"), kAtoms);
    }
    void TearDown() override { UnloadMacroScript(); }

    orven::test::TempDir dir_;
};

}  // namespace

TEST_F(MacroScriptExports, NothingWorksWithoutAScript) {
    char buffer[32] = "x";
    EXPECT_EQ(NumberOfMacrosFromMacroScript("A"), -1);
    EXPECT_EQ(GetMacroNameFromMacroScript(0, "A", buffer, sizeof buffer), 0);
    EXPECT_EQ(ApplicabilityOfMacroScriptZone("A", buffer), 0);
    EXPECT_EQ(RegisterMacroSubstitution("count", "3"), 0);
    EXPECT_EQ(MakeMacroSubstitutions("A", buffer, sizeof buffer, 0, " "), 0);
    EXPECT_STREQ(buffer, "x");
    CleanMacroSubstitutions();
    UnloadMacroScript();
    EXPECT_EQ(orven::engine().macroScript, nullptr);
}

TEST_F(MacroScriptExports, LoadsAndReplacesTheScript) {
    EXPECT_EQ(LoadMacroScript(dir_.file("missing.tpx").c_str()), 0);
    EXPECT_EQ(NumberOfMacrosFromMacroScript("A"), -1);
    ASSERT_EQ(LoadMacroScript(dir_.file("atoms.tpx").c_str()), 1);
    EXPECT_EQ(NumberOfMacrosFromMacroScript("A"), 2);
    // A missing file leaves the loaded script usable.
    EXPECT_EQ(LoadMacroScript(dir_.file("missing.tpx").c_str()), 0);
    EXPECT_EQ(LoadMacroScript(nullptr), 0);
    EXPECT_EQ(LoadMacroScript(dir_.path().c_str()), 0);  // a directory
    EXPECT_EQ(NumberOfMacrosFromMacroScript("A"), 2);
    // Engine paths with "\" separators, relative to the working directory.
    orven::test::ScopedCwd cwd(dir_.path());
    ASSERT_TRUE(orven::platform::makeDirectory("sub"));
    orven::test::writeFile(dir_.file("sub/other.tpx"), "#TPX-ZONE(O)#other#TPX-ENDZONE(O)#");
    ASSERT_EQ(LoadMacroScript("sub\\other.tpx"), 1);
    EXPECT_EQ(NumberOfMacrosFromMacroScript("A"), -1);
    EXPECT_EQ(NumberOfMacrosFromMacroScript("O"), 0);
    UnloadMacroScript();
    EXPECT_EQ(NumberOfMacrosFromMacroScript("O"), -1);
}

TEST_F(MacroScriptExports, ZoneQueries) {
    ASSERT_EQ(LoadMacroScript(dir_.file("atoms.tpx").c_str()), 1);
    EXPECT_EQ(NumberOfMacrosFromMacroScript("A"), 2);
    EXPECT_EQ(NumberOfMacrosFromMacroScript("C"), 0);
    EXPECT_EQ(NumberOfMacrosFromMacroScript("Missing"), -1);
    EXPECT_EQ(NumberOfMacrosFromMacroScript(nullptr), -1);

    char name[16];
    ASSERT_EQ(GetMacroNameFromMacroScript(0, "A", name, sizeof name), 1);
    EXPECT_STREQ(name, "_S-----X");
    ASSERT_EQ(GetMacroNameFromMacroScript(1, "A", name, sizeof name), 1);
    EXPECT_STREQ(name, "count");
    ASSERT_EQ(GetMacroNameFromMacroScript(1, "A", name, 4), 1);
    EXPECT_STREQ(name, "cou");
    EXPECT_EQ(GetMacroNameFromMacroScript(2, "A", name, sizeof name), 0);
    EXPECT_EQ(GetMacroNameFromMacroScript(-1, "A", name, sizeof name), 0);
    EXPECT_EQ(GetMacroNameFromMacroScript(0, "Missing", name, sizeof name), 0);
    EXPECT_EQ(GetMacroNameFromMacroScript(0, "A", nullptr, 16), 0);

    struct Case {
        const char* zone;
        int result;
        const char* letters;
    };
    const Case cases[] = {
        {"A", 1, "S-----X"}, {"B", 1, "SEORBNX"},
        {"C", 0, ""},        {"D", 0, ""},  // an empty declared name before the applicability name
        {"Missing", 0, ""},
    };
    for (const Case& c : cases) {
        char letters[8] = "";
        EXPECT_EQ(ApplicabilityOfMacroScriptZone(c.zone, letters), c.result) << c.zone;
        EXPECT_STREQ(letters, c.letters) << c.zone;
    }
    EXPECT_EQ(ApplicabilityOfMacroScriptZone(nullptr, name), 0);
    EXPECT_EQ(ApplicabilityOfMacroScriptZone("A", nullptr), 0);
}

TEST_F(MacroScriptExports, Substitutions) {
    ASSERT_EQ(LoadMacroScript(dir_.file("atoms.tpx").c_str()), 1);
    char buffer[128];
    ASSERT_EQ(MakeMacroSubstitutions("A", buffer, sizeof buffer, 0, " "), 1);
    EXPECT_STREQ(buffer, "for (int i = 0; i < 10; ++i) {\n}\n");

    EXPECT_EQ(RegisterMacroSubstitution("", "x"), 0);
    EXPECT_EQ(RegisterMacroSubstitution(nullptr, "x"), 0);
    ASSERT_EQ(RegisterMacroSubstitution("count", "n"), 1);
    ASSERT_EQ(MakeMacroSubstitutions("A", buffer, sizeof buffer, 2, " "), 1);
    EXPECT_STREQ(buffer, "  for (int i = 0; i < n; ++i) {\n  }\n");
    ASSERT_EQ(MakeMacroSubstitutions("A", buffer, sizeof buffer, 1, "\tand more"), 1);
    EXPECT_STREQ(buffer, "\tfor (int i = 0; i < n; ++i) {\n\t}\n");

    // A small buffer gets the beginning of the text.
    char small[5];
    ASSERT_EQ(MakeMacroSubstitutions("A", small, sizeof small, 0, " "), 1);
    EXPECT_STREQ(small, "for ");

    // Carriage returns of values are removed; an empty indent text indents nothing.
    ASSERT_EQ(RegisterMacroSubstitution("v", "line\r\nnext"), 1);
    ASSERT_EQ(MakeMacroSubstitutions("Text", buffer, sizeof buffer, 3, ""), 1);
    EXPECT_STREQ(buffer, "line\nnext");
    ASSERT_EQ(MakeMacroSubstitutions("Text", buffer, sizeof buffer, 3, nullptr), 1);
    EXPECT_STREQ(buffer, "line\nnext");

    // A failure leaves the buffer untouched.
    std::strcpy(buffer, "untouched");
    EXPECT_EQ(MakeMacroSubstitutions("Broken", buffer, sizeof buffer, 0, " "), 0);
    EXPECT_EQ(MakeMacroSubstitutions("Missing", buffer, sizeof buffer, 0, " "), 0);
    EXPECT_EQ(MakeMacroSubstitutions("A", buffer, sizeof buffer, 100000, " "), 0);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(MakeMacroSubstitutions("A", nullptr, 10, 0, " "), 0);

    CleanMacroSubstitutions();
    ASSERT_EQ(MakeMacroSubstitutions("A", buffer, 0, 0, " "), 1);  // size 0: no limit
    EXPECT_STREQ(buffer, "for (int i = 0; i < 10; ++i) {\n}\n");

    // The substitutions belong to the script.
    ASSERT_EQ(RegisterMacroSubstitution("count", "7"), 1);
    ASSERT_EQ(LoadMacroScript(dir_.file("atoms.tpx").c_str()), 1);
    ASSERT_EQ(MakeMacroSubstitutions("A", buffer, sizeof buffer, 0, " "), 1);
    EXPECT_STREQ(buffer, "for (int i = 0; i < 10; ++i) {\n}\n");
}

TEST(MacroScriptExportsIdentifier, ConvertToIdentifier) {
    struct Case {
        const char* text;
        int size;
        const char* expected;
    };
    const Case cases[] = {
        {"  my module 2 ", 32, "my_module_2"},
        {"3D view", 32, "x_3D_view"},
        {"a-b.c", 32, "a_b_c"},
        {"   ", 32, ""},
        {nullptr, 32, ""},
        {"ab\r\ncd", 32, "ab_cd"},  // the carriage return is gone before conversion
        {"long name", 5, "long"},
    };
    for (const Case& c : cases) {
        char buffer[32] = "garbage";
        ConvertToIdentifier(c.text, buffer, c.size);
        EXPECT_STREQ(buffer, c.expected) << (c.text ? c.text : "(null)");
    }
    ConvertToIdentifier("x", nullptr, 8);  // writes nothing, does not crash
}
