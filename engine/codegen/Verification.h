// Automatic verification of a module's code: the check of the public
// definitions for "union", and the three code checks (the "CORBA::"
// construction, unqualified string functions, undesirable terms) that run
// over the code sections before generation. With fixing, the checks repair
// or mark the text they were given; the caller writes it back.
#pragma once

#include <string>
#include <string_view>

namespace orven::model {
class OxaModule;
}

namespace orven::codegen {

// Verification results, for one check, one section and a whole run.
enum VerificationResult : int {
    kVerifyError = -1,    // the verification could not be completed
    kVerifyNotFixed = 0,  // at least one finding was left in place
    kVerifyClean = 1,     // nothing was found
    kVerifyFixed = 2,     // everything found was repaired
};

// Accumulates results: once 0 (or -1) is reached it stays; 2 survives only
// while every later result is 1 or 2.
int combineResults(int accumulated, int next);

// Section kinds: bit values that select the undesirable terms of a section.
enum SectionKind : int {
    kKindGlobalCode = 1,
    kKindStartup = 2,
    kKindEnding = 4,
    kKindGlobalData = 8,
    kKindServerCode = 16,
};

// The comment put in front of an undesirable term when fixing (53 bytes);
// its last five bytes identify a term that is already marked.
extern const std::string_view kWarningMarker;

// The public definitions check: when the text contains "union" anywhere
// (case-sensitive, also inside a word or comment) the report becomes the
// deprecation message and the result is 0; otherwise the result is 1 and the
// report is left alone.
int checkPublicDefinitions(std::string_view publicDefinitions, std::string& report);

// The three code checks. Each scans `text` from its start, appends one line
// per finding to `findings`, changes `text` in place when `fix` is set and
// a finding can be repaired or marked, and returns the check's result.
// Positions in the findings are 0-based offsets in the text as it stands at
// the moment of the finding. Every check runs in time linear in the text.
int checkCorbaConstruction(std::string& text, bool fix, std::string& findings);
int checkStringFunctions(std::string& text, bool fix, std::string& findings);
int checkUndesirableTerms(std::string& text, int sectionKind, bool fix, std::string& findings);

// Verification of a sequence of code sections, in the order they are given.
// The caller walks the module's sections and hands each one in; the
// verifier runs the three checks on it, builds the report with the
// section's heading and accumulates the overall result.
class Verifier {
  public:
    explicit Verifier(bool fix) : fix_(fix) {}

    // Checks one section. `heading` is the whole heading text put in front of
    // the section's findings when there are any (see the heading helpers
    // below). Returns true when `text` was changed (repaired or marked); the
    // caller then writes it back into the module.
    bool checkSection(std::string_view heading, int sectionKind, std::string& text);

    // A walk that cannot be completed: appends "-ERROR in checking!" and
    // makes the result -1 for good.
    void fail();

    int result() const { return result_; }
    const std::string& report() const { return report_; }
    std::string takeReport() { return std::move(report_); }

    // Headings of the module sections (the first, the auxiliary logic, has
    // no leading line feeds; the others begin with two).
    static std::string moduleSectionHeading(std::string_view word, bool first);
    static std::string serviceHeading(std::string_view service, std::string_view group);

  private:
    bool fix_;
    bool failed_ = false;
    int result_ = kVerifyClean;
    std::string report_;
};

// ---- verification of a module

// The check of a module's public definitions that comes before the code
// checks. No module: the report is "Error retrieving public definitions!"
// and the result -1. A module whose public definitions contain "union": the
// deprecation message and 0. Otherwise 1 and the report is left alone; only
// then do the code checks run.
int checkModuleDefinitions(const model::OxaModule* module, std::string& report);

// The code checks of the C++ generator over the module's code sections, in
// this order: global code ("Auxiliary Logic", kind 1), global data
// ("Internal Status", 8), startup code ("Startup Logic", 2), pre-ending code
// ("Pre-ending Logic", 4), post-ending code ("Post-ending Logic", 4), then the
// server code of every service (groups in name order, services in name order
// within a group; kind 16). The report is emptied first. With fix, repaired
// and marked texts are written back into the module's sections (the time
// restrictions are kept). Returns the combined result of all checks; -1 with
// "-ERROR in checking!" appended when a group or service cannot be reached
// while the lists are walked.
int validateModule(model::OxaModule& module, bool fix, std::string& report);

// The outcome of verifying the current module for a generator.
struct ValidationOutcome {
    int result = kVerifyError;
    // False when the caller's report buffer must be left as it is.
    bool hasReport = false;
    std::string report;
};

// The whole verification for generator n on the engine's current module:
// checkModuleDefinitions first (its report is always given), then the
// generator's checks. Generator 0, the C++ generator, is the only one: any
// other index gives -1 and no report.
ValidationOutcome generatorValidate(int generator, bool fix);

}  // namespace orven::codegen
