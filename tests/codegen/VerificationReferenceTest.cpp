// The linear-time checks against a literal rendering of the check rules on
// random texts made of the pieces the rules look for.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "codegen/Verification.h"

using namespace orven::codegen;

namespace {

const std::string kMarker = " /*- *** WHAT FOLLOWS IS INCORRECT IN QUENOR *** -*/ ";
const std::string kRules = std::string("Quenor spe") + "cification";

int refCorba(std::string& t, bool fix, std::string& out) {
    int r = 1;
    std::size_t start = 0;
    for (std::size_t p; (p = t.find("CORBA::", start)) != std::string::npos; start = p + 1) {
        out += "\t-Found the construction 'CORBA::' inside codification (at position " +
               std::to_string(p) + "), which is non-portable ";
        if (fix) {
            t.replace(p, 7, "ORVEN::");
            out += "(fixed).";
            r = combineResults(r, 2);
        } else {
            out += "(NOT FIXED).";
            r = combineResults(r, 0);
        }
        out += "\n";
    }
    return r;
}

std::size_t earliest(const std::string& t, const std::vector<std::string>& needles,
                     std::size_t start) {
    std::size_t best = std::string::npos;
    for (const std::string& n : needles)
        best = std::min(best, t.find(n, start));
    return best;
}

int refStrings(std::string& t, bool fix, std::string& out) {
    int r = 1;
    std::size_t start = 0;
    for (;;) {
        std::size_t p = earliest(t, {"string_dup(", "string_alloc(", "string_free("}, start);
        if (p == std::string::npos)
            break;
        if (p >= 7 && t.compare(p - 2, 2, "::") == 0) {
            start = p + 1;
            continue;
        }
        std::size_t pos = p;
        if (fix) {
            t.insert(p, "ORVEN::");
            pos = p + 7;
        }
        out += "\t-Found a ODL string manipulation function without the qualifier (at position " +
               std::to_string(pos) + "), which is non-portable " +
               (fix ? "(fixed)." : "(NOT FIXED).") + "\n";
        r = combineResults(r, fix ? 2 : 0);
        start = pos + 1;
    }
    return r;
}

int refTerms(std::string& t, int kind, bool fix, std::string& out) {
    std::vector<std::string> terms;
    if (kind & 30)
        terms = {"#include", "return(", "return "};
    if (terms.empty())
        return 1;
    int r = 1;
    std::size_t start = 0;
    for (;;) {
        std::size_t p = earliest(t, terms, start);
        if (p == std::string::npos)
            break;
        std::string status = "NOT FIXED";
        std::size_t pos = p;
        bool marked = p >= 6 && t.compare(p - 5, 5, " -*/ ") == 0;
        if (!marked && fix) {
            t.insert(p, kMarker);
            pos = p + 53;
            status = "INDICATED";
        }
        out += "\t-Found an incorrect or undesirable term (at position " + std::to_string(pos) +
               ") which compromises " + kRules + " (" + status + ").\n";
        r = combineResults(r, 0);
        start = pos + 1;
    }
    return r;
}

}  // namespace

TEST(VerificationReference, RandomTextsGiveTheSameFindingsAndRepairs) {
    const std::vector<std::string> pieces = {
        "CORBA::", "CORBA:",  "ORBA::",  "string_dup(", "string_alloc(", "string_free(", "::",
        ":",       "return ", "return(", "return",      "#include",      " -*/ ",        "-*/",
        " ",       "x",       "\n",      kMarker,
    };
    std::mt19937 random(20240611);
    const int kinds[] = {kKindGlobalCode, kKindStartup, kKindEnding, kKindGlobalData,
                         kKindServerCode};
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        int n = static_cast<int>(random() % 12);
        for (int i = 0; i < n; ++i)
            text += pieces[random() % pieces.size()];
        int kind = kinds[random() % 5];
        for (bool fix : {false, true}) {
            std::string mine = text, ref = text, myFindings, refFindings;
            int a1 = checkCorbaConstruction(mine, fix, myFindings);
            int a2 = checkStringFunctions(mine, fix, myFindings);
            int a3 = checkUndesirableTerms(mine, kind, fix, myFindings);
            int b1 = refCorba(ref, fix, refFindings);
            int b2 = refStrings(ref, fix, refFindings);
            int b3 = refTerms(ref, kind, fix, refFindings);
            ASSERT_EQ(mine, ref) << text;
            ASSERT_EQ(myFindings, refFindings) << text;
            ASSERT_EQ(a1, b1) << text;
            ASSERT_EQ(a2, b2) << text;
            ASSERT_EQ(a3, b3) << text;
        }
    }
}
