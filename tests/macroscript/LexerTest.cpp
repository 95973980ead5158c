#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "macroscript/Lexer.h"

using namespace orven::macroscript;

namespace {

using Args = std::vector<std::string>;

}  // namespace

TEST(Lexer, ClassifiesKeywordsInTheirOrder) {
    struct Case {
        const char* text;
        DirectiveKind kind;
    };
    const Case cases[] = {
        {"#TPX-MACRO(a,b)#", DirectiveKind::Macro},
        {"#TPX-ZONE(a)#", DirectiveKind::Zone},
        {"#TPX-REPAREA(a)#", DirectiveKind::RepArea},
        {"#TPX-REPMACRO(a,b,c)#", DirectiveKind::RepMacro},
        {"#TPX-IFREPEQ(a,b,c)#", DirectiveKind::IfRepEq},
        {"#TPX-IFREP(a,b,c)#", DirectiveKind::IfRep},
        {"#TPX-IFEQ(a,b)#", DirectiveKind::IfEq},
        {"#TPX-IF(a)#", DirectiveKind::If},
        {"#TPX-IFX(a)#", DirectiveKind::If},  // what follows the keyword is not examined
        {"#TPX-IFREPX", DirectiveKind::IfRep},
        {"#TPX-INCLUDE(a)#", DirectiveKind::Include},
        {"#TPX-REPINDEX(a)#", DirectiveKind::RepIndex},
        {"#TPX-LIT#", DirectiveKind::Lit},
        {"#TPX-MACROS", DirectiveKind::Macro},
        {"#TPX-ENDIF(A)#", DirectiveKind::Unrecognised},
        {"#TPX-ELSE(A)#", DirectiveKind::Unrecognised},
        {"#TPX-ENDLIT#", DirectiveKind::Unrecognised},
        {"#TPX-ENDZONE(A)#", DirectiveKind::Unrecognised},
        {"#TPX-macro(a,b)#", DirectiveKind::Unrecognised},  // case-sensitive
        {"#TPX-", DirectiveKind::Unrecognised},
        {"#TPX-MACR", DirectiveKind::Unrecognised},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyDirective(c.text, 0), c.kind) << c.text;
    }
    EXPECT_EQ(ClassifyDirective("ab#TPX-LIT#", 2), DirectiveKind::Lit);
    EXPECT_EQ(ClassifyDirective("ab", 7), DirectiveKind::Unrecognised);
    // The kinds keep their numbers.
    EXPECT_EQ(static_cast<int>(DirectiveKind::Macro), 0);
    EXPECT_EQ(static_cast<int>(DirectiveKind::IfRepEq), 7);
    EXPECT_EQ(static_cast<int>(DirectiveKind::Lit), 10);
    EXPECT_EQ(static_cast<int>(DirectiveKind::Unrecognised), 11);
}

TEST(Lexer, ParsesArguments) {
    struct Case {
        const char* text;
        std::optional<Args> arguments;  // nullopt: malformed
    };
    const Case cases[] = {
        {"#TPX-MACRO(x,'a,b')#", Args{"x", "a,b"}},
        {"#TPX-MACRO(x, b )#", Args{"x", " b "}},  // blanks are kept
        {"#TPX-MACRO(\"x'y\",z)#", Args{"x'y", "z"}},
        {"#TPX-MACRO('a\"b')#", Args{"a\"b"}},
        {"#TPX-MACRO('a')#", Args{"a"}},
        {"#TPX-MACRO('')#", Args{""}},
        {"#TPX-MACRO()#", Args{""}},
        {"#TPX-MACRO(a,)#", Args{"a", ""}},
        {"#TPX-MACRO(,)#", Args{"", ""}},
        {"#TPX-MACRO(x)#", Args{"x"}},
        {"#TPX-MACRO(a,b,c)#", Args{"a", "b"}},  // at most two are read
        {"#TPX-REPMACRO(a,b,c,d)#", Args{"a", "b", "c"}},
        {"#TPX-INCLUDE(a,b,c,d,e)#", Args{"a", "b", "c", "d", "e"}},
        {"#TPX-REPINDEX(a,b)#", Args{"a", "b"}},
        {"#TPX-MACRO(x,'ab'c)#", Args{"x"}},      // reading stops after x
        {"#TPX-MACRO(x,'open)#", Args{"x"}},      // quote not closed: stops after x
        {"#TPX-MACRO('ab'c,x)#", std::nullopt},   // text after the closing quote
        {"#TPX-MACRO('open,x)#", std::nullopt},   // quote never closed
        {"#TPX-MACRO('a)#b',c)#", std::nullopt},  // a quote must close before the list end
        {"#TPX-MACRO#", std::nullopt},            // no parentheses
        {"#TPX-MACRO(a,b)x#", std::nullopt},      // no list end
        {"#TPX-MACRO(a,b)", std::nullopt},        // no closing "#"
        {"#TPX-REPMACRO(a)#", std::nullopt},      // too few arguments
        {"#TPX-IFEQ(x)#a#TPX-ENDIF(x)#", std::nullopt},
        {"#TPX-IFREPEQ(a,b)#t#TPX-ENDIF(b)#", std::nullopt},
        {"#TPX-ENDIF(A)#", std::nullopt},   // Unrecognised
        {"#TPX-IF(a)#then", std::nullopt},  // no end marker
        {"#TPX-LIT#abc", std::nullopt},
        // Arguments run to the list end even past the closing "#".
        {"#TPX-MACRO(a#b)#", Args{"a#b"}},
        {"#TPX-MACRO#(p,q)#", Args{"p", "q"}},
    };
    for (const Case& c : cases) {
        std::optional<DirectiveRecord> r = ParseDirective(c.text, 0, true);
        if (!c.arguments) {
            EXPECT_FALSE(r.has_value()) << c.text;
            continue;
        }
        ASSERT_TRUE(r.has_value()) << c.text;
        EXPECT_EQ(r->arguments, *c.arguments) << c.text;
    }
}

TEST(Lexer, RecordsExtentAndBodies) {
    {
        std::string text = "ab#TPX-MACRO(x,y)#cd";
        auto r = ParseDirective(text, 2, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->kind, DirectiveKind::Macro);
        EXPECT_EQ(r->start, 2u);
        EXPECT_EQ(r->end, text.find("#cd"));
        EXPECT_EQ(r->thenPart, "");
    }
    {
        // The closing "#" is the first one after the start, even inside the list.
        auto r = ParseDirective("#TPX-MACRO(a#b)#", 0, false);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->end, 12u);
    }
    {
        std::string text = "#TPX-IF(A)#then#TPX-ELSE(A)#else#TPX-ENDIF(A)#tail";
        auto r = ParseDirective(text, 0, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->thenPart, "then");
        EXPECT_EQ(r->elsePart, "else");
        EXPECT_EQ(r->end, text.find("tail") - 1);
        auto bare = ParseDirective(text, 0, false);
        ASSERT_TRUE(bare);
        EXPECT_EQ(bare->end, r->end);
        EXPECT_EQ(bare->thenPart, "");
    }
    {
        // The label of IFREP and IFREPEQ is the macro, the second argument.
        auto r = ParseDirective("#TPX-IFREP(L,m,x)#t#TPX-ELSE(m)#e#TPX-ENDIF(m)#", 0, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->thenPart, "t");
        EXPECT_EQ(r->elsePart, "e");
        EXPECT_FALSE(ParseDirective("#TPX-IFREPEQ(L,m,x)#t#TPX-ENDIF(L)#", 0, true));
    }
    {
        // An else marker after the end marker does not split the block.
        auto r = ParseDirective("#TPX-IF(A)#t#TPX-ENDIF(A)#u#TPX-ELSE(A)#", 0, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->thenPart, "t");
        EXPECT_EQ(r->elsePart, "");
        EXPECT_EQ(r->end, 25u);
    }
    {
        // An else marker that runs into the end marker does not split the block.
        auto r = ParseDirective("#TPX-IF(A)#t#TPX-ELSE(A)#TPX-ENDIF(A)#", 0, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->thenPart, "t#TPX-ELSE(A)");
        EXPECT_EQ(r->elsePart, "");
    }
    {
        // No nesting count: the same label inside ends the outer block early.
        std::string text = "#TPX-IF(A)#x#TPX-IF(A)#y#TPX-ENDIF(A)#z#TPX-ENDIF(A)#";
        auto r = ParseDirective(text, 0, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->thenPart, "x#TPX-IF(A)#y");
        EXPECT_EQ(text.substr(r->end + 1), "z#TPX-ENDIF(A)#");
    }
    {
        // Markers are found by plain search, also inside a literal block.
        auto r =
            ParseDirective("#TPX-REPAREA(L,2)#a#TPX-LIT##TPX-ENDREPAREA(L)##TPX-ENDLIT#", 0, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->thenPart, "a#TPX-LIT#");
    }
    {
        auto r = ParseDirective("#TPX-LIT#a #TPX-MACRO(x)# b#TPX-ENDLIT#", 0, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->kind, DirectiveKind::Lit);
        EXPECT_TRUE(r->arguments.empty());
        EXPECT_EQ(r->thenPart, "a #TPX-MACRO(x)# b");
    }
    {
        // The end marker uses the label as written.
        auto r =
            ParseDirective("#TPX-REPAREA( L)#a#TPX-ENDREPAREA(L)#b#TPX-ENDREPAREA( L)#", 0, true);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->thenPart, "a#TPX-ENDREPAREA(L)#b");
    }
}

TEST(Lexer, FindsDirectivesByName) {
    const std::string text = "#TPX-MACRO(Zx)# #TPX-ZONE(Y,Z)# #TPX-ZONE(Z,a)# #TPX-MACRO(Z)#";
    auto any = FindNextDirective(text, 0);
    ASSERT_TRUE(any);
    EXPECT_EQ(any->position, 0u);
    EXPECT_EQ(any->kind, DirectiveKind::Macro);
    auto named = FindNextDirective(text, 0, "Z");
    ASSERT_TRUE(named);
    EXPECT_EQ(named->position, text.find("#TPX-ZONE(Z"));
    EXPECT_EQ(named->kind, DirectiveKind::Zone);
    auto later = FindNextDirective(text, named->position + 1, "Z");
    ASSERT_TRUE(later);
    EXPECT_EQ(later->position, text.rfind("#TPX-"));
    EXPECT_FALSE(FindNextDirective(text, later->position + 1, "Z"));
    EXPECT_FALSE(FindNextDirective("no directive", 0));
    // An occurrence with no "#" after it counts whatever the name.
    auto open = FindNextDirective("ab#TPX-ZONE(Q", 0, "Z");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->position, 2u);
    EXPECT_EQ(FindText("abc", "", 0), std::string_view::npos);
    EXPECT_EQ(FindText("abc", "c", 9), std::string_view::npos);
}

TEST(Lexer, FindsZones) {
    const std::string script =
        "#TPX-MACRO(Z,q)# comment\n"
        "#TPX-ZONE(ZZ)#no#TPX-ENDZONE(ZZ)#\n"
        "#TPX-ZONE(Z,p,q)#first#TPX-ENDZONE(Z)#\n"
        "#TPX-ZONE(Z)#second#TPX-ENDZONE(Z)#\n"
        "#TPX-ZONE(Broken)#never ends\n";
    auto z = FindZone(script, "Z", true);
    ASSERT_TRUE(z);
    EXPECT_EQ(z->kind, DirectiveKind::Zone);
    EXPECT_EQ(z->thenPart, "first");
    EXPECT_EQ(z->arguments, (Args{"Z", "p", "q"}));
    auto zz = FindZone(script, "ZZ", false);
    ASSERT_TRUE(zz);
    EXPECT_EQ(zz->arguments, Args{"ZZ"});
    EXPECT_EQ(zz->thenPart, "");
    EXPECT_FALSE(FindZone(script, "", true));
    EXPECT_FALSE(FindZone(script, "Missing", true));
    EXPECT_FALSE(FindZone(script, "Broken", true));
    EXPECT_FALSE(FindZone(script, "p", true));  // a declared name is not a zone name
}

TEST(Lexer, ApplicabilityString) {
    struct Case {
        Args names;
        std::optional<std::string> letters;
    };
    const Case cases[] = {
        {{"_S-----X", "count"}, "S-----X"},
        {{"count", "_SEORBN-"}, "SEORBN-"},
        {{"name", "_SEO"}, "SEORBNX"},  // four characters: no applicability name
        {{"x_S-----X"}, "SEORBNX"},
        {{"_A______", "_S-----X"}, "A______"},  // the first one counts
        {{}, std::nullopt},
        {{"", "_S-----X"}, std::nullopt},  // an empty name before it
        {{"_S-----X", ""}, "S-----X"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplicabilityString(c.names), c.letters);
    }
}

TEST(Lexer, WrapsTextIntoTheInterpretingZone) {
    EXPECT_EQ(WrapInInterpretingZone("x"),
              "#TPX-ZONE(__iNtErPrEtInGzOnE__)#x#TPX-ENDZONE(__iNtErPrEtInGzOnE__)#");
}
