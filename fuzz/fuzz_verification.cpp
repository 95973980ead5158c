// The verification checks on any text: never crash, and agree with a
// literal rendering of the check rules (one text copy per finding).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "codegen/Verification.h"

using namespace orven::codegen;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

std::size_t earliest(const std::string& t, const std::vector<std::string>& needles,
                     std::size_t start) {
    std::size_t best = std::string::npos;
    for (const std::string& n : needles)
        best = std::min(best, t.find(n, start));
    return best;
}

// Results and edited texts of the three checks, the simple way.
struct Reference {
    std::string text;
    int corba = 1, strings = 1, terms = 1;
    std::size_t findings = 0;
};

Reference reference(std::string t, int kind, bool fix) {
    Reference r;
    for (std::size_t p, start = 0; (p = t.find("CORBA::", start)) != std::string::npos;
         start = p + 1) {
        if (fix)
            t.replace(p, 7, "ORVEN::");
        r.corba = combineResults(r.corba, fix ? 2 : 0);
        ++r.findings;
    }
    for (std::size_t start = 0;;) {
        std::size_t p = earliest(t, {"string_dup(", "string_alloc(", "string_free("}, start);
        if (p == std::string::npos)
            break;
        if (p >= 7 && t.compare(p - 2, 2, "::") == 0) {
            start = p + 1;
            continue;
        }
        if (fix)
            t.insert(p, "ORVEN::");
        r.strings = combineResults(r.strings, fix ? 2 : 0);
        ++r.findings;
        start = (fix ? p + 7 : p) + 1;
    }
    std::vector<std::string> terms;
    if (kind & 30)
        terms = {"#include", "return(", "return "};
    for (std::size_t start = 0; !terms.empty();) {
        std::size_t p = earliest(t, terms, start);
        if (p == std::string::npos)
            break;
        bool marked = p >= 6 && t.compare(p - 5, 5, " -*/ ") == 0;
        if (!marked && fix) {
            t.insert(p, std::string(kWarningMarker));
            p += kWarningMarker.size();
        }
        r.terms = combineResults(r.terms, 0);
        ++r.findings;
        start = p + 1;
    }
    r.text = std::move(t);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    const int kinds[] = {kKindGlobalCode, kKindStartup, kKindEnding, kKindGlobalData,
                         kKindServerCode};
    int kind = kinds[data[0] % 5];
    bool fix = (data[0] & 0x80) != 0;
    std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::string text = input, findings;
    int corba = checkCorbaConstruction(text, fix, findings);
    int strings = checkStringFunctions(text, fix, findings);
    int terms = checkUndesirableTerms(text, kind, fix, findings);
    Reference ref = reference(input, kind, fix);
    require(text == ref.text);
    require(corba == ref.corba && strings == ref.strings && terms == ref.terms);
    require(static_cast<std::size_t>(std::count(findings.begin(), findings.end(), '\t')) ==
            ref.findings);

    std::string report = "x";
    int definitions = checkPublicDefinitions(input, report);
    require(definitions == (input.find("union") != std::string::npos ? 0 : 1));
    return 0;
}
