#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "macroscript/MacroScript.h"

using namespace orven::macroscript;

namespace {

std::string errorLine(const std::string& message) {
    return "\n**** PARSING ERROR **** : " + message;
}
const std::string kFailed = errorLine("failed to susbstitute everything in zone");

struct Rep {
    std::string zone, area, macro;
    unsigned index;
    std::string value;
};

struct Case {
    const char* name;
    std::string body;  // body of zone Z
    std::vector<std::pair<std::string, std::string>> macros;
    std::vector<Rep> reps;
    std::string expected;
    bool ok = true;
    std::string library = "";  // further zones of the script
    std::string zone = "Z";    // the zone expanded
};

std::string zoneText(const std::string& name, const std::string& body) {
    return "#TPX-ZONE(" + name + ")#" + body + "#TPX-ENDZONE(" + name + ")#";
}

void runCase(const Case& c) {
    MacroScript script("header text\n" + zoneText("Z", c.body) + "\n" + c.library);
    for (const auto& m : c.macros)
        ASSERT_TRUE(script.RegisterMacro(m.first, m.second));
    for (const Rep& r : c.reps) {
        ASSERT_TRUE(script.RegisterRepetitionMacro(r.zone, r.area, r.macro, r.index, r.value));
    }
    std::string text;
    EXPECT_EQ(script.ApplyZone(c.zone, text, 0, ' '), c.ok) << c.name;
    EXPECT_EQ(text, c.expected) << c.name;
}

}  // namespace

TEST(Expansion, SimpleDirectives) {
    const Case cases[] = {
        {"macro registered", "a#TPX-MACRO(name,d)#b", {{"name", "x"}}, {}, "axb"},
        {"macro unregistered", "a#TPX-MACRO(name,d)#b", {}, {}, "adb"},
        {"macro registered empty", "a#TPX-MACRO(name,d)#b", {{"name", ""}}, {}, "ab"},
        {"value pasted literally",
         "#TPX-MACRO(v,d)#",
         {{"v", "#TPX-MACRO(q,r)#"}},
         {},
         "#TPX-MACRO(q,r)#"},
        {"quoted default", "#TPX-MACRO(x,'a,b')#|#TPX-MACRO(x, b )#", {}, {}, "a,b| b "},
        {"names compared exactly", "#TPX-MACRO(Name,d)#", {{"name", "x"}}, {}, "d"},
        {"literal", "#TPX-LIT#raw #TPX-MACRO(x)# #TPX-ENDLIT#!", {}, {}, "raw #TPX-MACRO(x)# !"},
        {"repindex outside its area", "[#TPX-REPINDEX(L)#]", {}, {}, "[]"},
        {"repmacro outside its area", "#TPX-REPMACRO(L,m,-)#", {}, {{"Z", "L", "m", 0, "a"}}, "-"},
        {"empty zone", "", {}, {}, ""},
        {"no directives", "plain\ntext\n", {}, {}, "plain\ntext\n"},
        {"a lone hash is text", "a#b)#c", {}, {}, "a#b)#c"},
    };
    for (const Case& c : cases)
        runCase(c);
}

TEST(Expansion, Repetitions) {
    const std::string repBody = "#TPX-REPAREA(L)##TPX-REPMACRO(L,m,-)#;#TPX-ENDREPAREA(L)#";
    const std::vector<Rep> ab = {{"Z", "L", "m", 0, "a"}, {"Z", "L", "m", 1, "b"}};
    const Case cases[] = {
        {"count", "#TPX-REPAREA(L,2)#[#TPX-REPINDEX(L)#]#TPX-ENDREPAREA(L)#", {}, {}, "[0][1]"},
        {"count 0", "#TPX-REPAREA(L,0)#[#TPX-REPINDEX(L)#]#TPX-ENDREPAREA(L)#", {}, {}, ""},
        {"no count", "#TPX-REPAREA(L)#x#TPX-ENDREPAREA(L)#", {}, {}, ""},
        {"count from registered index",
         "#TPX-REPAREA(L,0)##TPX-REPINDEX(L)##TPX-ENDREPAREA(L)#",
         {},
         {{"Q", "L", "k", 4, "v"}},
         "01234"},
        {"count text 3.9", "#TPX-REPAREA(L,3.9)#x#TPX-ENDREPAREA(L)#", {}, {}, "xxx"},
        {"count text 3x", "#TPX-REPAREA(L,3x)#x#TPX-ENDREPAREA(L)#", {}, {}, "xxx"},
        {"count text not a number", "#TPX-REPAREA(L,abc)#x#TPX-ENDREPAREA(L)#", {}, {}, ""},
        {"negative count", "#TPX-REPAREA(L,-4)#x#TPX-ENDREPAREA(L)#", {}, {}, ""},
        {"lookup in the zone", repBody, {}, ab, "a;b;"},
        {"count looks at all zones, lookup at one",
         repBody,
         {},
         {{"Y", "L", "m", 0, "a"}, {"Y", "L", "m", 1, "b"}},
         "-;-;"},
        {"first registration wins",
         repBody,
         {},
         {{"Z", "L", "m", 0, "first"}, {"Z", "L", "m", 0, "second"}},
         "first;"},
        {"nested areas",
         "#TPX-REPAREA(L,2)##TPX-REPAREA(M,2)##TPX-REPINDEX(L)#.#TPX-REPINDEX(M)# "
         "#TPX-ENDREPAREA(M)##TPX-ENDREPAREA(L)#",
         {},
         {},
         "0.0 0.1 1.0 1.1 "},
        {"index gone after the area",
         "#TPX-REPAREA(L,1)#a#TPX-ENDREPAREA(L)#[#TPX-REPINDEX(L)#]",
         {},
         {},
         "a[]"},
        {"repmacro sees the index",
         "#TPX-REPAREA(L)##TPX-REPINDEX(L)#=#TPX-REPMACRO(L,m,-)# #TPX-ENDREPAREA(L)#",
         {},
         {{"Z", "L", "m", 2, "c"}},
         "0=- 1=- 2=c "},
    };
    for (const Case& c : cases)
        runCase(c);
}

TEST(Expansion, Conditionals) {
    const std::string ifText = "#TPX-IF(c)#then#TPX-ELSE(c)#else#TPX-ENDIF(c)#";
    const std::string ifEq = "#TPX-IFEQ(c,abc)#then#TPX-ELSE(c)#else#TPX-ENDIF(c)#";
    const std::string inL = "#TPX-REPAREA(L)#[X]#TPX-ENDREPAREA(L)#";
    auto inArea = [&](const std::string& inner) {
        return "#TPX-REPAREA(L)#" + inner + ";#TPX-ENDREPAREA(L)#";
    };
    const std::string ifRep = inArea("#TPX-IFREP(L,m,x)#T#TPX-ELSE(m)#F#TPX-ENDIF(m)#");
    const std::string ifRepEq = inArea("#TPX-IFREPEQ(L,m,v)#=#TPX-ELSE(m)#!#TPX-ENDIF(m)#");
    const Case cases[] = {
        {"if true", ifText, {{"c", "true"}}, {}, "then"},
        {"if True", ifText, {{"c", "True"}}, {}, "then"},
        {"if TRUE", ifText, {{"c", "TRUE"}}, {}, "then"},
        {"if leading blank", ifText, {{"c", " true"}}, {}, "else"},
        {"if 1", ifText, {{"c", "1"}}, {}, "else"},
        {"if unregistered", ifText, {}, {}, "else"},
        {"if default", "#TPX-IF(c,tRuE)#then#TPX-ENDIF(c)#", {}, {}, "then"},
        {"registered wins over default",
         "#TPX-IF(c,true)#then#TPX-ENDIF(c)#",
         {{"c", "no"}},
         {},
         ""},
        {"if without else, false", "a#TPX-IF(c)#then#TPX-ENDIF(c)#b", {}, {}, "ab"},
        {"chosen part is expanded",
         "#TPX-IF(c)##TPX-MACRO(v,d)##TPX-ENDIF(c)#",
         {{"c", "true"}, {"v", "V"}},
         {},
         "V"},
        {"ifeq equal", ifEq, {{"c", "abc"}}, {}, "then"},
        {"ifeq is case-sensitive", ifEq, {{"c", "ABC"}}, {}, "else"},
        {"ifeq unregistered is empty", "#TPX-IFEQ(c,)#empty#TPX-ENDIF(c)#", {}, {}, "empty"},
        {"ifrep",
         ifRep,
         {},
         {{"Z", "L", "m", 0, "true"}, {"Z", "L", "m", 1, "no"}, {"Z", "L", "k", 2, ""}},
         "T;F;F;"},
        {"ifrep without value takes else even with TRUE",
         inArea("#TPX-IFREP(L,m,TRUE)#T#TPX-ELSE(m)#F#TPX-ENDIF(m)#"),
         {},
         {{"Z", "L", "k", 0, ""}},
         "F;"},
        {"ifrepeq", ifRepEq, {}, {{"Z", "L", "m", 0, "v"}, {"Z", "L", "m", 1, "V"}}, "=;!;"},
        {"ifrepeq with empty value",
         inArea("#TPX-IFREPEQ(L,m,)#e#TPX-ENDIF(m)#"),
         {},
         {{"Z", "L", "k", 0, ""}},
         "e;"},
        {"unused", inL, {}, {}, ""},
    };
    for (const Case& c : cases)
        runCase(c);
}

TEST(Expansion, Inclusion) {
    const std::string lib =
        "#TPX-ZONE(B,p,q)#<#TPX-MACRO(p,P)#,#TPX-MACRO(q,Q)#>#TPX-ENDZONE(B)#\n"
        "#TPX-ZONE(C,p)#(#TPX-INCLUDE(B,,inner)#|#TPX-MACRO(p,P)#)#TPX-ENDZONE(C)#\n"
        "#TPX-ZONE(R,x)#[#TPX-REPINDEX(L)#:#TPX-REPMACRO(L,m,-)#]#TPX-ENDZONE(R)#\n"
        "#TPX-ZONE(E,,q)#e#TPX-MACRO(q,Q)##TPX-ENDZONE(E)#\n";
    const Case cases[] = {
        {"values by position", "#TPX-INCLUDE(B,1,2)#", {}, {}, "<1,2>", true, lib},
        {"missing values keep the outer ones",
         "#TPX-INCLUDE(B,1)#",
         {{"q", "outer"}},
         {},
         "<1,outer>",
         true,
         lib},
        {"empty value keeps the outer one",
         "#TPX-INCLUDE(B,,2)#",
         {{"p", "op"}},
         {},
         "<op,2>",
         true,
         lib},
        {"restored after",
         "#TPX-INCLUDE(B,1)#[#TPX-MACRO(p,none)#]",
         {{"p", "before"}},
         {},
         "<1,Q>[before]",
         true,
         lib},
        {"unregistered again after",
         "#TPX-INCLUDE(B,1)#[#TPX-MACRO(p,none)#]",
         {},
         {},
         "<1,Q>[none]",
         true,
         lib},
        {"nested inclusions restore",
         "#TPX-INCLUDE(C,c)#[#TPX-MACRO(p,-)#,#TPX-MACRO(q,-)#]",
         {},
         {},
         "(<c,inner>|c)[-,-]",
         true,
         lib},
        {"extra values ignored", "#TPX-INCLUDE(B,1,2,3,4)#", {}, {}, "<1,2>", true, lib},
        {"lookups use the included zone and the outer areas",
         "#TPX-REPAREA(L,2)##TPX-INCLUDE(R)##TPX-ENDREPAREA(L)#",
         {},
         {{"R", "L", "m", 1, "r"}, {"Z", "L", "m", 0, "z"}},
         "[0:-][1:r]",
         true,
         lib},
        {"empty declared name without a value", "#TPX-INCLUDE(E,,2)#", {}, {}, "e2", true, lib},
        {"empty declared name with a value",
         "a#TPX-INCLUDE(E,1)#b",
         {},
         {},
         "a#TPX-INCLUDE(E,1)#b" + errorLine("Error dealing with include") + kFailed,
         false,
         lib},
        {"missing zone",
         "a#TPX-INCLUDE(Nowhere)#b",
         {},
         {},
         "a#TPX-INCLUDE(Nowhere)#b" + errorLine("Error dealing with include") + kFailed,
         false,
         lib},
        {"empty zone name",
         "#TPX-INCLUDE()#",
         {},
         {},
         "#TPX-INCLUDE()#" + errorLine("Error dealing with include") + kFailed,
         false,
         lib},
    };
    for (const Case& c : cases)
        runCase(c);
}

TEST(Expansion, FailuresShowTheOutermostMessage) {
    const std::string lib = "#TPX-ZONE(Bad)#x#TPX-MACRO(y)#z#TPX-ENDZONE(Bad)#\n";
    auto failed = [](const std::string& body, const std::string& message) {
        return body + errorLine(message) + kFailed;
    };
    const std::string nested = "#TPX-IF(A)#x#TPX-IF(A)#y#TPX-ENDIF(A)#z#TPX-ENDIF(A)#";
    const std::string litInIf = "#TPX-IF(a)#t#TPX-LIT##TPX-ENDIF(a)##TPX-ENDLIT##TPX-ENDIF(a)#";
    const Case cases[] = {
        {"macro needs two arguments",
         "a#TPX-MACRO(name)#b",
         {},
         {},
         failed("a#TPX-MACRO(name)#b", "Error reading arguments from a macro"),
         false},
        {"expansions so far stay",
         "#TPX-MACRO(v,1)#-#TPX-MACRO(x,'ab'c)#-#TPX-MACRO(v,2)#",
         {},
         {},
         "1-" + failed("#TPX-MACRO(x,'ab'c)#-#TPX-MACRO(v,2)#",
                       "Error reading arguments from a macro"),
         false},
        {"repmacro needs three",
         "#TPX-REPMACRO(L,m)#",
         {},
         {},
         failed("#TPX-REPMACRO(L,m)#", "Error dealing with repmacro"),
         false},
        {"malformed",
         "a#TPX-IFEQ(x)#b#TPX-ENDIF(x)#",
         {},
         {},
         "a" + failed("#TPX-IFEQ(x)#b#TPX-ENDIF(x)#", "Error reading a previous located keyword"),
         false},
        {"unrecognised",
         "a#TPX-ENDIF(A)#",
         {},
         {},
         "a" + failed("#TPX-ENDIF(A)#", "Error reading a previous located keyword"),
         false},
        {"no closing hash",
         "a#TPX-MACRO(x,y",
         {},
         {},
         "a" + failed("#TPX-MACRO(x,y", "Error reading a previous located keyword"),
         false},
        {"zone inside",
         "a#TPX-ZONE(Q)#b#TPX-ENDZONE(Q)#",
         {},
         {},
         "a" + failed("#TPX-ZONE(Q)#b#TPX-ENDZONE(Q)#", "Unknown keyword case found"),
         false},
        {"same label nested, false",
         nested,
         {},
         {},
         "z" + failed("#TPX-ENDIF(A)#", "Error reading a previous located keyword"),
         false},
        {"same label nested, true",
         nested,
         {{"A", "true"}},
         {},
         failed(nested, "Error dealing with ifarea"),
         false},
        {"end marker inside a literal",
         litInIf,
         {{"a", "true"}},
         {},
         failed(litInIf, "Error dealing with ifarea"),
         false},
        {"if needs a name",
         "#TPX-IF()#a#TPX-ENDIF()#",
         {},
         {},
         failed("#TPX-IF()#a#TPX-ENDIF()#", "Error dealing with ifarea"),
         false},
        {"ifeq needs a name",
         "#TPX-IFEQ(,x)#a#TPX-ENDIF()#",
         {},
         {},
         failed("#TPX-IFEQ(,x)#a#TPX-ENDIF()#", "Error dealing with ifeqarea"),
         false},
        {"ifrep outside its area",
         "#TPX-IFREP(L,m,x)#a#TPX-ENDIF(m)#",
         {},
         {},
         failed("#TPX-IFREP(L,m,x)#a#TPX-ENDIF(m)#", "Error finding a repareaindex"),
         false},
        {"ifrep needs three",
         "#TPX-IFREP(L,m)#a#TPX-ENDIF(m)#",
         {},
         {},
         failed("#TPX-IFREP(L,m)#a#TPX-ENDIF(m)#", "Error copying arguments from an ifrep"),
         false},
        {"ifrepeq outside its area",
         "#TPX-IFREPEQ(L,m,x)#a#TPX-ENDIF(m)#",
         {},
         {},
         failed("#TPX-IFREPEQ(L,m,x)#a#TPX-ENDIF(m)#", "Error finding the index of a ifrepeq"),
         false},
        {"reparea needs a name",
         "#TPX-REPAREA(,2)#a#TPX-ENDREPAREA()#",
         {},
         {},
         failed("#TPX-REPAREA(,2)#a#TPX-ENDREPAREA()#", "Error dealing with a reparea"),
         false},
        {"failure inside a repetition",
         "<#TPX-REPAREA(L,2)##TPX-REPINDEX(L)##TPX-MACRO(x)##TPX-ENDREPAREA(L)#>",
         {},
         {},
         "<" + failed("#TPX-REPAREA(L,2)##TPX-REPINDEX(L)##TPX-MACRO(x)##TPX-ENDREPAREA(L)#>",
                      "Error dealing with a reparea"),
         false},
        {"malformed directive in a repeated body",
         "#TPX-REPAREA(L,3)#a#TPX-IFEQ(x)#b#TPX-ENDREPAREA(L)#",
         {},
         {},
         failed("#TPX-REPAREA(L,3)#a#TPX-IFEQ(x)#b#TPX-ENDREPAREA(L)#",
                "Error dealing with a reparea"),
         false},
        {"failure in a later repetition",
         "#TPX-REPAREA(L,3)##TPX-IFREPEQ(L,m,v)##TPX-MACRO(x)##TPX-ENDIF(m)#.#TPX-ENDREPAREA(L)#",
         {},
         {{"Z", "L", "m", 2, "v"}},
         failed("#TPX-REPAREA(L,3)##TPX-IFREPEQ(L,m,v)##TPX-MACRO(x)##TPX-ENDIF(m)#.#TPX-"
                "ENDREPAREA(L)#",
                "Error dealing with a reparea"),
         false},
        {"failure inside an included zone",
         "#TPX-MACRO(v,ok)##TPX-INCLUDE(Bad)#",
         {},
         {},
         "ok" + failed("#TPX-INCLUDE(Bad)#", "Error dealing with include"),
         false,
         lib},
        {"failure in a conditional inside a repetition",
         "#TPX-REPAREA(L,1)##TPX-IF(a,true)##TPX-IFREP(L,m)#x#TPX-ENDIF(m)##TPX-ENDIF(a)#"
         "#TPX-ENDREPAREA(L)#",
         {},
         {},
         failed("#TPX-REPAREA(L,1)##TPX-IF(a,true)##TPX-IFREP(L,m)#x#TPX-ENDIF(m)##TPX-ENDIF(a)#"
                "#TPX-ENDREPAREA(L)#",
                "Error dealing with a reparea"),
         false},
    };
    for (const Case& c : cases)
        runCase(c);
}

TEST(Expansion, ZoneLookup) {
    MacroScript script(
        "#TPX-MACRO(x)# text outside zones #TPX-IFEQ(x)#\n"
        "#TPX-ZONE(Z,p,_S-----X)#in Z#TPX-ENDZONE(Z)# #TPX-MACRO(bad)#\n"
        "#TPX-ZONE(Z)#second Z#TPX-ENDZONE(Z)#\n"
        "#TPX-ZONE(C)#c#TPX-ENDZONE(C)#\n");
    std::string text = "keep";
    EXPECT_TRUE(script.ApplyZone("Z", text));
    EXPECT_EQ(text, "in Z");
    text = "keep";
    EXPECT_FALSE(script.ApplyZone("Missing", text));
    EXPECT_EQ(text, "keep" + errorLine("zone not found"));
    text.clear();
    EXPECT_FALSE(script.ApplyZone("", text));
    EXPECT_EQ(text, errorLine("zone not found"));

    EXPECT_EQ(script.NumberOfZoneMacros("Z"), 2);
    EXPECT_EQ(script.NumberOfZoneMacros("C"), 0);
    EXPECT_EQ(script.NumberOfZoneMacros("Missing"), -1);
    EXPECT_EQ(script.NumberOfZoneMacros(""), -1);
    std::string name = "unchanged";
    EXPECT_TRUE(script.GetZoneMacroName("Z", 1, name));
    EXPECT_EQ(name, "_S-----X");
    EXPECT_TRUE(script.GetZoneMacroName("Z", 0, name));
    EXPECT_EQ(name, "p");
    EXPECT_FALSE(script.GetZoneMacroName("Z", 2, name));
    EXPECT_FALSE(script.GetZoneMacroName("Z", -1, name));
    EXPECT_FALSE(script.GetZoneMacroName("C", 0, name));
    EXPECT_FALSE(script.GetZoneMacroName("Missing", 0, name));
    EXPECT_EQ(name, "p");
    std::string letters;
    EXPECT_TRUE(script.ZoneApplicability("Z", letters));
    EXPECT_EQ(letters, "S-----X");
    EXPECT_FALSE(script.ZoneApplicability("C", letters));
}

TEST(Expansion, EnvironmentAndState) {
    MacroScript script(
        "#TPX-ZONE(Z)##TPX-MACRO(p,-)#/#TPX-REPAREA(L)##TPX-REPMACRO(L,m,-)##TPX-ENDREPAREA(L)#"
        "#TPX-ENDZONE(Z)#"
        "#TPX-ZONE(F,p)##TPX-REPAREA(L,1)##TPX-MACRO(p)##TPX-ENDREPAREA(L)##TPX-ENDZONE(F)#"
        "#TPX-ZONE(G)##TPX-INCLUDE(F,inside)##TPX-ENDZONE(G)#"
        "#TPX-ZONE(I)#[#TPX-REPINDEX(L)#]#TPX-ENDZONE(I)#");
    EXPECT_FALSE(script.RegisterMacro("", "x"));
    EXPECT_TRUE(script.RegisterMacro("p", "one"));
    EXPECT_TRUE(script.RegisterMacro("p", "two"));  // replaces
    EXPECT_TRUE(script.RegisterRepetitionMacro("Z", "L", "m", 1, "b"));
    EXPECT_TRUE(script.RegisterRepetitionMacro("Z", "L", "m", 0, "a"));
    std::string text;
    ASSERT_TRUE(script.ApplyZone("Z", text));
    EXPECT_EQ(text, "two/ab");

    // A failed expansion leaves the environment as it was, and no area stays
    // active for the next one.
    EXPECT_FALSE(script.ApplyZone("G", text));
    EXPECT_EQ(
        script.Environment().findMacro("p") != nullptr ? *script.Environment().findMacro("p") : "",
        "two");
    ASSERT_TRUE(script.ApplyZone("I", text));
    EXPECT_EQ(text, "[]");

    script.CleanMacros();
    ASSERT_TRUE(script.ApplyZone("Z", text));
    EXPECT_EQ(text, "-/");
    EXPECT_EQ(script.Environment().macroCount(), 0u);
    EXPECT_EQ(script.Environment().repetitionRegistrations(), 0u);
}

TEST(Expansion, ExpandTextInPlace) {
    MacroScript script(std::string("#TPX-ZONE(Z)##TPX-ENDZONE(Z)#"));
    script.RegisterRepetitionMacro("Y", "L", "m", 0, "y");
    std::string text = "pre#TPX-MACRO(a,b)#mid#TPX-MACRO(x)#post";
    EXPECT_FALSE(script.ExpandText(text, "Z"));
    EXPECT_EQ(text,
              "prebmid#TPX-MACRO(x)#post" + errorLine("Error reading arguments from a macro"));
    text = "#TPX-REPAREA(L)##TPX-REPMACRO(L,m,-)##TPX-ENDREPAREA(L)#";
    EXPECT_TRUE(script.ExpandText(text, "Y"));
    EXPECT_EQ(text, "y");
    text.clear();
    EXPECT_TRUE(script.ExpandText(text, "Y"));
    EXPECT_EQ(text, "");
}

TEST(Expansion, ZoneNamedByTheTextItself) {
    MacroScript script(std::string("#TPX-ZONE(Zone)#expanded #TPX-MACRO(v,d)##TPX-ENDZONE(Zone)#"));
    std::string text = "Zone";
    std::string_view name = text;
    ASSERT_TRUE(script.ApplyZone(name, text));
    EXPECT_EQ(text, "expanded d");
}

TEST(Expansion, IndentsTheResult) {
    MacroScript script(std::string("#TPX-ZONE(Z)#a\n#TPX-MACRO(v,b)#\n#TPX-ENDZONE(Z)#"));
    std::string text;
    ASSERT_TRUE(script.ApplyZone("Z", text, 2, '\t'));
    EXPECT_EQ(text, "\t\ta\n\t\tb\n");
}

TEST(Expansion, ScriptFromStreamAndInterpretingZone) {
    std::istringstream in("#TPX-ZONE(Z)#a\r\nb\rc#TPX-ENDZONE(Z)#\r\n");
    MacroScript script(in);
    EXPECT_EQ(script.Text(), "#TPX-ZONE(Z)#a\nb\rc#TPX-ENDZONE(Z)#\n");
    std::string text;
    ASSERT_TRUE(script.ApplyZone("Z", text));
    EXPECT_EQ(text, "a\nb\rc");

    const std::string library = "#TPX-ZONE(Atom,n)#call(#TPX-MACRO(n,0)#);#TPX-ENDZONE(Atom)#\n";
    MacroScript code(library + WrapInInterpretingZone("x = 1;\n#TPX-INCLUDE(Atom,5)#\n"));
    ASSERT_TRUE(code.ApplyZone(kInterpretingZone, text));
    EXPECT_EQ(text, "x = 1;\ncall(5);\n");
}
