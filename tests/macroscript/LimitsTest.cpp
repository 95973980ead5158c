// Scripts that would recurse without end, repeat without end or grow without
// bound fail with a message that names the bound.
#include <gtest/gtest.h>

#include <string>

#include "macroscript/MacroScript.h"

using namespace orven::macroscript;

namespace {

const std::string kFailed = "\n**** PARSING ERROR **** : failed to susbstitute everything in zone";

std::string lastErrorLines(const std::string& text) {
    std::size_t p = text.rfind("\n**** PARSING ERROR **** : ", text.size() - kFailed.size() - 1);
    return p == std::string::npos ? text : text.substr(p);
}

}  // namespace

TEST(Limits, ZoneIncludingItselfFails) {
    struct Case {
        const char* script;
        const char* zone;
    };
    const Case cases[] = {
        {"#TPX-ZONE(S)#x#TPX-INCLUDE(S)##TPX-ENDZONE(S)#", "S"},
        {"#TPX-ZONE(A)##TPX-INCLUDE(B)##TPX-ENDZONE(A)##TPX-ZONE(B)##TPX-INCLUDE(A)##TPX-ENDZONE(B)"
         "#",
         "A"},
        {"#TPX-ZONE(S,p)##TPX-REPAREA(L,1)##TPX-IF(p,true)##TPX-INCLUDE(S,true)#"
         "#TPX-ENDIF(p)##TPX-ENDREPAREA(L)##TPX-ENDZONE(S)#",
         "S"},
    };
    for (const Case& c : cases) {
        MacroScript script{std::string(c.script)};
        std::string text;
        EXPECT_FALSE(script.ApplyZone(c.zone, text)) << c.script;
        EXPECT_EQ(lastErrorLines(text),
                  "\n**** PARSING ERROR **** : Limit exceeded: inclusions, conditions and "
                  "repetitions nested deeper than 100 levels" +
                      kFailed)
            << c.script;
        EXPECT_EQ(script.Environment().macroCount(), 0u);
    }
}

TEST(Limits, DeepNestingOfBlocksFails) {
    std::string body;
    const int levels = 5000;
    for (int i = 0; i < levels; ++i)
        body += "#TPX-IF(c" + std::to_string(i) + ",true)#";
    body += "x";
    for (int i = levels - 1; i >= 0; --i)
        body += "#TPX-ENDIF(c" + std::to_string(i) + ")#";
    MacroScript script("#TPX-ZONE(Z)#" + body + "#TPX-ENDZONE(Z)#");
    std::string text;
    EXPECT_FALSE(script.ApplyZone("Z", text));
    EXPECT_NE(text.find("nested deeper than 100 levels"), std::string::npos);

    ExpansionLimits limits;
    limits.maxDepth = 6000;
    MacroScript shallow("#TPX-ZONE(Z)#" + body.substr(0, 0) +
                        "#TPX-IF(a,true)##TPX-IF(b,true)#x#TPX-ENDIF(b)##TPX-ENDIF(a)#" +
                        "#TPX-ENDZONE(Z)#");
    shallow.SetLimits(limits);
    ASSERT_TRUE(shallow.ApplyZone("Z", text));
    EXPECT_EQ(text, "x");
}

TEST(Limits, HugeRepetitionsFail) {
    {
        MacroScript script(
            std::string("#TPX-ZONE(Z)##TPX-REPAREA(L,1e12)#x#TPX-ENDREPAREA(L)##TPX-ENDZONE(Z)#"));
        std::string text;
        EXPECT_FALSE(script.ApplyZone("Z", text));
        EXPECT_EQ(
            lastErrorLines(text),
            "\n**** PARSING ERROR **** : Limit exceeded: a repetition of more than 16777216 times" +
                kFailed);
    }
    {
        // The largest index asks for 2^32 repetitions.
        MacroScript script(
            std::string("#TPX-ZONE(Z)##TPX-REPAREA(L)##TPX-ENDREPAREA(L)##TPX-ENDZONE(Z)#"));
        script.RegisterRepetitionMacro("Z", "L", "m", 4294967295u, "v");
        std::string text;
        EXPECT_FALSE(script.ApplyZone("Z", text));
        EXPECT_NE(text.find("a repetition of more than"), std::string::npos);
    }
    {
        // Nested repetitions with empty bodies are bounded by the steps.
        MacroScript script(std::string(
            "#TPX-ZONE(Z)##TPX-REPAREA(L,10000)##TPX-REPAREA(M,10000)##TPX-ENDREPAREA(M)#"
            "#TPX-ENDREPAREA(L)##TPX-ENDZONE(Z)#"));
        ExpansionLimits limits;
        limits.maxSteps = 100000;
        script.SetLimits(limits);
        std::string text;
        EXPECT_FALSE(script.ApplyZone("Z", text));
        EXPECT_NE(text.find("Limit exceeded: an expansion of more than 100000 steps"),
                  std::string::npos);
    }
}

TEST(Limits, OutputSizeIsBounded) {
    MacroScript script(std::string(
        "#TPX-ZONE(Z)##TPX-REPAREA(L,1000)##TPX-REPAREA(M,1000)#0123456789#TPX-ENDREPAREA(M)#"
        "#TPX-ENDREPAREA(L)##TPX-ENDZONE(Z)#"));
    ExpansionLimits limits;
    limits.maxOutputBytes = 1 << 20;
    script.SetLimits(limits);
    std::string text;
    EXPECT_FALSE(script.ApplyZone("Z", text));
    EXPECT_NE(text.find("Limit exceeded: an expansion larger than 1048576 bytes"),
              std::string::npos);
    EXPECT_LT(text.size(), 2u << 20);

    // Indentation counts against the bound as well.
    MacroScript lines(std::string("#TPX-ZONE(Z)#a\nb\nc\n#TPX-ENDZONE(Z)#"));
    limits.maxOutputBytes = 100;
    lines.SetLimits(limits);
    EXPECT_FALSE(lines.ApplyZone("Z", text, 40, ' '));
    EXPECT_TRUE(lines.ApplyZone("Z", text, 4, ' '));
    EXPECT_EQ(text, "    a\n    b\n    c\n");
}
