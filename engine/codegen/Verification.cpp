#include "codegen/Verification.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "api/EngineState.h"
#include "codegen/GeneratorRegistry.h"
#include "model/OxaModule.h"

namespace orven::codegen {

const std::string_view kWarningMarker = " /*- *** WHAT FOLLOWS IS INCORRECT IN QUENOR *** -*/ ";

namespace {

constexpr std::size_t npos = std::string::npos;

constexpr std::string_view kMarkedTail = " -*/ ";
constexpr std::string_view kFixed = "(fixed).";
constexpr std::string_view kNotFixed = "(NOT FIXED).";
constexpr std::string_view kIndicated = "(INDICATED).";
// The name of the coding rules that the term check enforces; the two pieces
// form one word of the report text.
constexpr std::string_view kRulesName =
    "Quenor spe"
    "cification";

// A text under edit that is scanned once from its start. Everything up to
// the end of the last change lives in `done_`; the rest is still the
// original text from `rest_` on. Changes are made only at or after the end
// of `done_`, so each one costs only the bytes it moves and a whole scan
// with any number of changes stays linear in the text.
class ScanText {
  public:
    explicit ScanText(std::string& text) : text_(text) {}

    std::size_t size() const { return done_.size() + text_.size() - rest_; }

    char at(std::size_t pos) const {
        return pos < done_.size() ? done_[pos] : text_[rest_ + pos - done_.size()];
    }

    // The first occurrence of needle at or after from, in the current text.
    std::size_t find(std::string_view needle, std::size_t from) const {
        if (needle.empty() || from >= size())
            return npos;
        if (from < done_.size()) {
            // Occurrences that begin in the edited part may run on into the rest.
            std::string window = done_.substr(from);
            window.append(text_, rest_, needle.size() - 1);
            std::size_t i = window.find(needle);
            if (i != npos && from + i < done_.size())
                return from + i;
            from = done_.size();
        }
        std::size_t i = std::string_view(text_).find(needle, rest_ + from - done_.size());
        return i == npos ? npos : i - rest_ + done_.size();
    }

    // Replaces count bytes at pos (at or after the end of the last change).
    void replace(std::size_t pos, std::size_t count, std::string_view with) {
        std::size_t at = rest_ + (pos - done_.size());
        done_.append(text_, rest_, at - rest_);
        done_.append(with);
        rest_ = at + count;
        changed_ = true;
    }

    // Writes the edited text back; true when anything was changed.
    bool finish() {
        if (!changed_)
            return false;
        done_.append(text_, rest_, npos);
        text_ = std::move(done_);
        done_.clear();
        rest_ = 0;
        changed_ = false;
        return true;
    }

  private:
    std::string& text_;
    std::string done_;
    std::size_t rest_ = 0;
    bool changed_ = false;
};

// The earliest occurrence of any of a few needles at or after a moving start
// position. Each needle's next occurrence is remembered until the start
// passes it, so a scan searches every byte of the text once per needle.
template <std::size_t N>
class EarliestOf {
  public:
    EarliestOf(const ScanText& text, std::array<std::string_view, N> needles)
        : text_(text), needles_(needles) {
        next_.fill(kUnknown);
    }

    // Position of the earliest occurrence at or after from; npos when none.
    std::size_t find(std::size_t from) {
        std::size_t best = npos;
        for (std::size_t i = 0; i < N; ++i) {
            if (needles_[i].empty())
                continue;
            if (next_[i] == kUnknown || (next_[i] != npos && next_[i] < from)) {
                next_[i] = text_.find(needles_[i], from);
            }
            best = std::min(best, next_[i]);
        }
        return best;
    }

    // The text grew by `added` bytes at pos: remembered positions after it move.
    void inserted(std::size_t pos, std::size_t added) {
        for (std::size_t& p : next_) {
            if (p != npos && p != kUnknown && p >= pos)
                p += added;
        }
    }

  private:
    static constexpr std::size_t kUnknown = npos - 1;
    const ScanText& text_;
    std::array<std::string_view, N> needles_;
    std::array<std::size_t, N> next_;
};

}  // namespace

int combineResults(int accumulated, int next) {
    switch (accumulated) {
        case kVerifyNotFixed:
            return kVerifyNotFixed;
        case kVerifyClean:
            return next;
        case kVerifyFixed:
            return next == kVerifyClean ? kVerifyFixed : next;
        default:
            return kVerifyError;
    }
}

int checkPublicDefinitions(std::string_view publicDefinitions, std::string& report) {
    if (publicDefinitions.find("union") == npos)
        return kVerifyClean;
    report = "-Found the use of 'union' ODL type in the public definitions, which is deprecated.";
    return kVerifyNotFixed;
}

int checkCorbaConstruction(std::string& text, bool fix, std::string& findings) {
    static constexpr std::string_view kConstruction = "CORBA::";
    static constexpr std::string_view kReplacement = "ORVEN::";
    ScanText scan(text);
    int result = kVerifyClean;
    std::size_t start = 0;
    for (;;) {
        std::size_t p = scan.find(kConstruction, start);
        if (p == npos)
            break;
        findings += "\t-Found the construction 'CORBA::' inside codification (at position ";
        findings += std::to_string(p);
        findings += "), which is non-portable ";
        if (fix) {
            scan.replace(p, kConstruction.size(), kReplacement);
            findings += kFixed;
            result = combineResults(result, kVerifyFixed);
        } else {
            findings += kNotFixed;
            result = combineResults(result, kVerifyNotFixed);
        }
        findings += '\n';
        start = p + 1;
    }
    scan.finish();
    return result;
}

int checkStringFunctions(std::string& text, bool fix, std::string& findings) {
    static constexpr std::string_view kQualifier = "ORVEN::";
    ScanText scan(text);
    EarliestOf<3> calls(scan, {"string_dup(", "string_alloc(", "string_free("});
    int result = kVerifyClean;
    std::size_t start = 0;
    for (;;) {
        std::size_t p = calls.find(start);
        if (p == npos)
            break;
        if (p >= 7 && scan.at(p - 2) == ':' && scan.at(p - 1) == ':') {
            start = p + 1;  // already qualified
            continue;
        }
        std::size_t position = p;
        if (fix) {
            scan.replace(p, 0, kQualifier);
            calls.inserted(p, kQualifier.size());
            position = p + kQualifier.size();
        }
        findings +=
            "\t-Found a ODL string manipulation function without the qualifier (at position ";
        findings += std::to_string(position);
        findings += "), which is non-portable ";
        findings += fix ? kFixed : kNotFixed;
        findings += '\n';
        result = combineResults(result, fix ? kVerifyFixed : kVerifyNotFixed);
        start = position + 1;
    }
    scan.finish();
    return result;
}

int checkUndesirableTerms(std::string& text, int sectionKind, bool fix, std::string& findings) {
    struct Term {
        std::string_view text;
        int mask;
    };
    static constexpr std::array<Term, 3> kTerms = {{
        {"#include", 30},
        {"return(", 30},
        {"return ", 30},
    }};
    std::array<std::string_view, 3> applying{};
    for (std::size_t i = 0; i < kTerms.size(); ++i) {
        if ((kTerms[i].mask & sectionKind) != 0)
            applying[i] = kTerms[i].text;
    }
    ScanText scan(text);
    EarliestOf<3> terms(scan, applying);
    int result = kVerifyClean;
    std::size_t start = 0;
    for (;;) {
        std::size_t p = terms.find(start);
        if (p == npos)
            break;
        bool marked = p >= 6;
        for (std::size_t i = 0; marked && i < kMarkedTail.size(); ++i) {
            marked = scan.at(p - kMarkedTail.size() + i) == kMarkedTail[i];
        }
        std::size_t position = p;
        std::string_view status = kNotFixed;
        if (!marked && fix) {
            scan.replace(p, 0, kWarningMarker);
            terms.inserted(p, kWarningMarker.size());
            position = p + kWarningMarker.size();
            status = kIndicated;
        }
        findings += "\t-Found an incorrect or undesirable term (at position ";
        findings += std::to_string(position);
        findings += ") which compromises ";
        findings += kRulesName;
        findings += ' ';
        findings += status;
        findings += '\n';
        result = combineResults(result, kVerifyNotFixed);
        start = position + 1;
    }
    scan.finish();
    return result;
}

bool Verifier::checkSection(std::string_view heading, int sectionKind, std::string& text) {
    if (failed_)
        return false;
    std::string original = text;
    std::string findings;
    int r1 = checkCorbaConstruction(text, fix_, findings);
    int r2 = checkStringFunctions(text, fix_, findings);
    int r3 = checkUndesirableTerms(text, sectionKind, fix_, findings);
    if (r1 != kVerifyClean || r2 != kVerifyClean || r3 != kVerifyClean) {
        report_ += heading;
        report_ += findings;
    }
    result_ = combineResults(combineResults(combineResults(result_, r1), r2), r3);
    return text != original;
}

void Verifier::fail() {
    report_ += "-ERROR in checking!";
    failed_ = true;
    result_ = kVerifyError;
}

std::string Verifier::moduleSectionHeading(std::string_view word, bool first) {
    std::string heading = first ? "" : "\n\n";
    heading += "-Results of checking ";
    heading += word;
    heading += ":\n\n";
    return heading;
}

std::string Verifier::serviceHeading(std::string_view service, std::string_view group) {
    std::string heading = "\n\n-Results of checking Service '";
    heading += service;
    heading += "' of group '";
    heading += group;
    heading += "':\n\n";
    return heading;
}

int checkModuleDefinitions(const model::OxaModule* module, std::string& report) {
    if (module == nullptr) {
        report = "Error retrieving public definitions!";
        return kVerifyError;
    }
    return checkPublicDefinitions(module->preDefinitions().text(), report);
}

int validateModule(model::OxaModule& module, bool fix, std::string& report) {
    report.clear();
    Verifier verifier(fix);
    auto check = [&](model::CodeSection& section, const std::string& heading, int kind) {
        std::string text = section.text();
        if (verifier.checkSection(heading, kind, text))
            section.setText(std::move(text));
    };
    struct ModuleSectionCheck {
        model::ModuleSection section;
        const char* word;
        int kind;
    };
    static constexpr ModuleSectionCheck kSections[] = {
        {model::ModuleSection::GlobalCode, "Auxiliary Logic", kKindGlobalCode},
        {model::ModuleSection::GlobalData, "Internal Status", kKindGlobalData},
        {model::ModuleSection::StartupCode, "Startup Logic", kKindStartup},
        {model::ModuleSection::PreEndingCode, "Pre-ending Logic", kKindEnding},
        {model::ModuleSection::PostEndingCode, "Post-ending Logic", kKindEnding},
    };
    bool first = true;
    for (const ModuleSectionCheck& s : kSections) {
        check(module.section(s.section), Verifier::moduleSectionHeading(s.word, first), s.kind);
        first = false;
    }
    for (std::size_t g = 0; g < module.groupCount(); ++g) {
        model::GroupOfServices* group = module.groupAt(g);
        if (group == nullptr) {
            verifier.fail();
            report = verifier.takeReport();
            return kVerifyError;
        }
        for (std::size_t k = 0; k < group->serviceCount(); ++k) {
            model::Service* service = group->serviceAt(k);
            if (service == nullptr) {
                verifier.fail();
                report = verifier.takeReport();
                return kVerifyError;
            }
            model::CodeSection code = service->serverCode();
            std::string text = code.text();
            if (verifier.checkSection(Verifier::serviceHeading(service->name(), group->name()),
                                      kKindServerCode, text)) {
                code.setText(std::move(text));
                service->setServerCode(code);
            }
        }
    }
    int result = verifier.result();
    report = verifier.takeReport();
    return result;
}

ValidationOutcome generatorValidate(int generator, bool fix) {
    ValidationOutcome outcome;
    model::OxaModule* module = engine().module.get();
    int definitions = checkModuleDefinitions(module, outcome.report);
    if (definitions != kVerifyClean) {
        outcome.result = definitions;
        outcome.hasReport = true;
        return outcome;
    }
    auto validator = createGenerator(generator, module, engine().catalogue);
    if (!validator)
        return outcome;  // no such generator: -1, no report
    outcome.result = validator->Validate(fix, outcome.report);
    outcome.hasReport = true;
    return outcome;
}

}  // namespace orven::codegen
