#include "macroscript/MacroScript.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "macroscript/TextFunctions.h"
#include "platform/Platform.h"

namespace orven::macroscript {

namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr std::string_view kZoneNotFound = "zone not found";
constexpr std::string_view kZoneFailed = "failed to susbstitute everything in zone";
constexpr std::string_view kMalformed = "Error reading a previous located keyword";
constexpr std::string_view kZoneInside = "Unknown keyword case found";
constexpr std::string_view kMacroFailed = "Error reading arguments from a macro";
constexpr std::string_view kRepMacroFailed = "Error dealing with repmacro";
constexpr std::string_view kRepIndexFailed = "Error reading reparea name for a repindex";
constexpr std::string_view kRepAreaFailed = "Error dealing with a reparea";
constexpr std::string_view kIfFailed = "Error dealing with ifarea";
constexpr std::string_view kIfEqFailed = "Error dealing with ifeqarea";
constexpr std::string_view kIfRepArguments = "Error copying arguments from an ifrep";
constexpr std::string_view kIfRepInactive = "Error finding a repareaindex";
constexpr std::string_view kIfRepFailed = "Error dealing with ifreparea";
constexpr std::string_view kIfRepEqArguments = "Error copying arguments for a ifrepeq";
constexpr std::string_view kIfRepEqInactive = "Error finding the index of a ifrepeq";
constexpr std::string_view kIfRepEqFailed = "Error dealing with an ifrepeq";
constexpr std::string_view kIncludeFailed = "Error dealing with include";

void appendErrorLine(std::string& text, std::string_view message) {
    text.append(kErrorLinePrefix).append(message);
}

// A carriage return that stands before a line feed is dropped.
std::string withoutCrBeforeLf(std::string text) {
    std::size_t w = 0;
    for (std::size_t r = 0; r < text.size(); ++r) {
        if (text[r] == '\r' && r + 1 < text.size() && text[r + 1] == '\n')
            continue;
        text[w++] = text[r];
    }
    text.resize(w);
    return text;
}

// A count text: converted as a floating-point number, truncated toward zero;
// text that is not a number gives 0.
double countOf(std::string_view text) {
    std::string copy(text);
    double value = std::strtod(copy.c_str(), nullptr);
    if (std::isnan(value))
        return 0;
    return std::trunc(value);
}

std::string limitMessage(std::string_view what, std::uint64_t bound, std::string_view unit) {
    std::string m("Limit exceeded: ");
    m.append(what).append(std::to_string(bound)).append(unit);
    return m;
}

}  // namespace

// One run of the expansion: the recursive core with its scratch buffers, its
// step count and the log that restores macros changed by inclusions.
class MacroScript::Expansion {
  public:
    explicit Expansion(MacroScript& script) : s_(script) {}

    // Expands in and appends the result to out. On failure out holds the
    // expansion of everything before the failing directive, whose position
    // in in is f.start.
    bool run(std::string_view in, std::string_view zone, std::string& out, unsigned depth,
             Failure& f);

  private:
    struct Level {
        Lexer lexer;
        DirectiveView view;
    };
    struct SavedMacro {
        std::string name;
        bool registered = false;
        std::string value;
    };
    // A text parsed once into its literal pieces and directives, for a
    // repetition body that is expanded many times.
    struct Step {
        std::size_t literalFrom = 0;
        std::size_t literalLength = 0;
        DirectiveView directive;
    };
    struct Program {
        std::vector<Step> steps;
        std::size_t tailFrom = 0;  // literal text after the last directive
        bool malformed = false;    // then the tail ends at malformedAt
        std::size_t malformedAt = 0;
    };
    // Recently used repetition series. The texts expanded do not change
    // while the expansion runs, so the same views name the same series.
    struct SeriesMemo {
        const char* zone = nullptr;
        const char* area = nullptr;
        const char* macro = nullptr;
        std::size_t zoneSize = 0, areaSize = 0, macroSize = 0;
        const MacroEnvironment::Series* series = nullptr;
    };

    Level& level(unsigned depth);
    void compile(std::string_view in, Program& program);
    bool execute(std::string_view in, const Program& program, std::string_view zone,
                 std::string& out, unsigned depth, Failure& f);
    bool step(const DirectiveView& d, std::string_view zone, std::string& out, unsigned depth,
              Failure& f);
    const std::string* repetition(std::string_view zone, std::string_view area,
                                  std::string_view macro, std::uint32_t index);
    bool replace(const DirectiveView& d, std::string_view zone, std::string& out, unsigned depth,
                 Failure& f);
    bool part(std::string_view text, std::string_view zone, std::string& out, unsigned depth,
              Failure& f, std::string_view message);
    bool repeat(const DirectiveView& d, std::string_view zone, std::string& out, unsigned depth,
                Failure& f);
    bool include(const DirectiveView& d, std::string& out, unsigned depth, Failure& f);

    static bool fail(Failure& f, std::string_view message) {
        f.message.assign(message);
        f.limit = false;
        return false;
    }
    static bool failLimit(Failure& f, std::string message) {
        f.message = std::move(message);
        f.limit = true;
        return false;
    }

    const std::uint32_t* activeIndex(std::string_view area) const;
    void setActive(std::string_view area, std::uint32_t index);
    void removeActive(std::string_view area);

    MacroScript& s_;
    std::uint64_t steps_ = 0;
    std::vector<std::unique_ptr<Level>> levels_;
    std::vector<SavedMacro> saved_;
    SeriesMemo memo_[16];
};

MacroScript::Expansion::Level& MacroScript::Expansion::level(unsigned depth) {
    while (levels_.size() <= depth)
        levels_.push_back(std::make_unique<Level>());
    return *levels_[depth];
}

bool MacroScript::Expansion::run(std::string_view in, std::string_view zone, std::string& out,
                                 unsigned depth, Failure& f) {
    const ExpansionLimits& limits = s_.limits_;
    if (depth > limits.maxDepth) {
        f.start = 0;
        return failLimit(f,
                         limitMessage("inclusions, conditions and repetitions nested deeper than ",
                                      limits.maxDepth, " levels"));
    }
    if (in.empty())
        return true;
    Level& lv = level(depth);
    Lexer& lexer = lv.lexer;
    DirectiveView& d = lv.view;
    lexer.reset(in);
    std::size_t p = 0;
    while (true) {
        const std::size_t start = lexer.findNext(p);
        if (start == npos) {
            out.append(in.substr(p));
            return true;
        }
        out.append(in.substr(p, start - p));
        const std::size_t mark = out.size();
        f.start = start;
        if (++steps_ > limits.maxSteps) {
            return failLimit(f,
                             limitMessage("an expansion of more than ", limits.maxSteps, " steps"));
        }
        if (!lexer.parse(start, d))
            return fail(f, kMalformed);
        if (!step(d, zone, out, depth, f)) {
            out.resize(mark);
            f.start = start;
            return false;
        }
        p = d.end + 1;
    }
}

bool MacroScript::Expansion::step(const DirectiveView& d, std::string_view zone, std::string& out,
                                  unsigned depth, Failure& f) {
    if (!replace(d, zone, out, depth, f))
        return false;
    if (out.size() > s_.limits_.maxOutputBytes) {
        return failLimit(
            f, limitMessage("an expansion larger than ", s_.limits_.maxOutputBytes, " bytes"));
    }
    return true;
}

void MacroScript::Expansion::compile(std::string_view in, Program& program) {
    Lexer lexer(in);
    std::size_t p = 0;
    while (true) {
        const std::size_t start = lexer.findNext(p);
        if (start == npos)
            break;
        Step s;
        s.literalFrom = p;
        s.literalLength = start - p;
        if (!lexer.parse(start, s.directive)) {
            program.malformed = true;
            program.malformedAt = start;
            break;
        }
        p = s.directive.end + 1;
        program.steps.push_back(std::move(s));
    }
    program.tailFrom = p;
}

// The same as run, over a compiled text.
bool MacroScript::Expansion::execute(std::string_view in, const Program& program,
                                     std::string_view zone, std::string& out, unsigned depth,
                                     Failure& f) {
    const ExpansionLimits& limits = s_.limits_;
    if (depth > limits.maxDepth) {
        f.start = 0;
        return failLimit(f,
                         limitMessage("inclusions, conditions and repetitions nested deeper than ",
                                      limits.maxDepth, " levels"));
    }
    for (const Step& s : program.steps) {
        out.append(in.substr(s.literalFrom, s.literalLength));
        const std::size_t mark = out.size();
        f.start = s.directive.start;
        if (++steps_ > limits.maxSteps) {
            return failLimit(f,
                             limitMessage("an expansion of more than ", limits.maxSteps, " steps"));
        }
        if (!step(s.directive, zone, out, depth, f)) {
            out.resize(mark);
            f.start = s.directive.start;
            return false;
        }
    }
    if (!program.malformed) {
        out.append(in.substr(program.tailFrom));
        return true;
    }
    out.append(in.substr(program.tailFrom, program.malformedAt - program.tailFrom));
    f.start = program.malformedAt;
    if (++steps_ > limits.maxSteps) {
        return failLimit(f, limitMessage("an expansion of more than ", limits.maxSteps, " steps"));
    }
    return fail(f, kMalformed);
}

const std::string* MacroScript::Expansion::repetition(std::string_view zone, std::string_view area,
                                                      std::string_view macro, std::uint32_t index) {
    const std::uintptr_t key = reinterpret_cast<std::uintptr_t>(area.data()) ^
                               (reinterpret_cast<std::uintptr_t>(macro.data()) >> 3);
    SeriesMemo& m = memo_[(key ^ (key >> 5)) & 15];
    if (m.zone != zone.data() || m.area != area.data() || m.macro != macro.data() ||
        m.zoneSize != zone.size() || m.areaSize != area.size() || m.macroSize != macro.size() ||
        m.zone == nullptr) {
        m.zone = zone.data();
        m.area = area.data();
        m.macro = macro.data();
        m.zoneSize = zone.size();
        m.areaSize = area.size();
        m.macroSize = macro.size();
        m.series = s_.env_.findSeries(zone, area, macro);
    }
    return m.series != nullptr ? m.series->find(index) : nullptr;
}

bool MacroScript::Expansion::part(std::string_view text, std::string_view zone, std::string& out,
                                  unsigned depth, Failure& f, std::string_view message) {
    Failure inner;
    if (run(text, zone, out, depth + 1, inner))
        return true;
    // Only the outermost directive's message is shown, unless a bound was
    // hit: that message says what really went wrong.
    if (inner.limit)
        return failLimit(f, std::move(inner.message));
    return fail(f, message);
}

const std::uint32_t* MacroScript::Expansion::activeIndex(std::string_view area) const {
    for (const auto& a : s_.activeAreas_) {
        if (a.first == area)
            return &a.second;
    }
    return nullptr;
}

void MacroScript::Expansion::setActive(std::string_view area, std::uint32_t index) {
    for (auto& a : s_.activeAreas_) {
        if (a.first == area) {
            a.second = index;
            return;
        }
    }
    s_.activeAreas_.emplace_back(std::string(area), index);
}

void MacroScript::Expansion::removeActive(std::string_view area) {
    auto& list = s_.activeAreas_;
    auto it =
        std::find_if(list.begin(), list.end(), [&](const auto& a) { return a.first == area; });
    if (it != list.end())
        list.erase(it);
}

bool MacroScript::Expansion::replace(const DirectiveView& d, std::string_view zone,
                                     std::string& out, unsigned depth, Failure& f) {
    const std::vector<std::string_view>& a = d.arguments;
    const MacroEnvironment& env = s_.env_;
    switch (d.kind) {
        case DirectiveKind::Macro: {
            if (a.size() < 2)
                return fail(f, kMacroFailed);
            const std::string* v = env.findMacro(a[0]);
            if (v != nullptr) {
                out.append(*v);
            } else {
                out.append(a[1]);
            }
            return true;
        }
        case DirectiveKind::RepMacro: {
            if (a.size() < 3)
                return fail(f, kRepMacroFailed);
            const std::uint32_t* index = activeIndex(a[0]);
            const std::string* v =
                index != nullptr ? repetition(zone, a[0], a[1], *index) : nullptr;
            if (v != nullptr) {
                out.append(*v);
            } else {
                out.append(a[2]);
            }
            return true;
        }
        case DirectiveKind::RepIndex: {
            if (a.empty())
                return fail(f, kRepIndexFailed);
            if (const std::uint32_t* index = activeIndex(a[0])) {
                char digits[16];
                auto r = std::to_chars(digits, digits + sizeof digits, *index);
                out.append(digits, r.ptr);
            }
            return true;
        }
        case DirectiveKind::RepArea:
            return repeat(d, zone, out, depth, f);
        case DirectiveKind::If: {
            if (a[0].empty())
                return fail(f, kIfFailed);
            const std::string* v = env.findMacro(a[0]);
            std::string_view value =
                v != nullptr ? std::string_view(*v) : (a.size() >= 2 ? a[1] : std::string_view());
            return part(IsTrueText(value) ? d.thenPart : d.elsePart, zone, out, depth, f,
                        kIfFailed);
        }
        case DirectiveKind::IfEq: {
            if (a[0].empty())
                return fail(f, kIfEqFailed);
            const std::string* v = env.findMacro(a[0]);
            std::string_view value = v != nullptr ? std::string_view(*v) : std::string_view();
            return part(value == a[1] ? d.thenPart : d.elsePart, zone, out, depth, f, kIfEqFailed);
        }
        case DirectiveKind::IfRep: {
            if (a.size() < 3)
                return fail(f, kIfRepArguments);
            if (a[0].empty() || a[1].empty())
                return fail(f, kIfRepFailed);
            const std::uint32_t* index = activeIndex(a[0]);
            if (index == nullptr)
                return fail(f, kIfRepInactive);
            const std::string* v = repetition(zone, a[0], a[1], *index);
            bool chooseThen = v != nullptr && IsTrueText(*v);
            return part(chooseThen ? d.thenPart : d.elsePart, zone, out, depth, f, kIfRepFailed);
        }
        case DirectiveKind::IfRepEq: {
            if (a.size() < 3)
                return fail(f, kIfRepEqArguments);
            if (a[0].empty() || a[1].empty())
                return fail(f, kIfRepEqFailed);
            const std::uint32_t* index = activeIndex(a[0]);
            if (index == nullptr)
                return fail(f, kIfRepEqInactive);
            const std::string* v = repetition(zone, a[0], a[1], *index);
            std::string_view value = v != nullptr ? std::string_view(*v) : std::string_view();
            return part(value == a[2] ? d.thenPart : d.elsePart, zone, out, depth, f,
                        kIfRepEqFailed);
        }
        case DirectiveKind::Include:
            return include(d, out, depth, f);
        case DirectiveKind::Lit:
            out.append(d.thenPart);
            return true;
        case DirectiveKind::Zone:
            return fail(f, kZoneInside);
        case DirectiveKind::Unrecognised:
            break;
    }
    return fail(f, kMalformed);
}

bool MacroScript::Expansion::repeat(const DirectiveView& d, std::string_view zone, std::string& out,
                                    unsigned depth, Failure& f) {
    const ExpansionLimits& limits = s_.limits_;
    const std::string_view area = d.arguments[0];
    if (area.empty())
        return fail(f, kRepAreaFailed);
    // An index is 32 bits wide, so no area has more repetitions than 2^32.
    const std::uint64_t bound =
        std::min<std::uint64_t>(limits.maxRepetitions, std::uint64_t{1} << 32);
    double counted = d.arguments.size() >= 2 ? countOf(d.arguments[1]) : 0;
    std::uint64_t n = 0;
    if (counted > 0)
        n = counted > static_cast<double>(bound) ? bound + 1 : static_cast<std::uint64_t>(counted);
    n = std::max(n, s_.env_.repetitionCount(area));
    if (n > bound)
        return failLimit(f, limitMessage("a repetition of more than ", bound, " times"));
    // A body expanded more than once is parsed once.
    Program program;
    const bool compiled = n >= 2;
    if (compiled)
        compile(d.thenPart, program);
    for (std::uint64_t i = 0; i < n; ++i) {
        setActive(area, static_cast<std::uint32_t>(i));
        if (++steps_ > limits.maxSteps) {
            removeActive(area);
            return failLimit(f,
                             limitMessage("an expansion of more than ", limits.maxSteps, " steps"));
        }
        Failure inner;
        bool ok = compiled ? execute(d.thenPart, program, zone, out, depth + 1, inner)
                           : run(d.thenPart, zone, out, depth + 1, inner);
        if (!ok) {
            removeActive(area);
            if (inner.limit)
                return failLimit(f, std::move(inner.message));
            return fail(f, kRepAreaFailed);
        }
        if (out.size() > limits.maxOutputBytes) {
            removeActive(area);
            return failLimit(
                f, limitMessage("an expansion larger than ", limits.maxOutputBytes, " bytes"));
        }
    }
    removeActive(area);
    return true;
}

bool MacroScript::Expansion::include(const DirectiveView& d, std::string& out, unsigned depth,
                                     Failure& f) {
    const std::vector<std::string_view>& a = d.arguments;
    const ZoneInfo* included = s_.zone(a[0]);
    if (included == nullptr)
        return fail(f, kIncludeFailed);
    const std::size_t savedMark = saved_.size();
    bool ok = true;
    for (std::size_t k = 1; k <= included->declaredNames.size() && k < a.size(); ++k) {
        if (a[k].empty())
            continue;
        const std::string& name = included->declaredNames[k - 1];
        if (name.empty()) {
            ok = fail(f, kIncludeFailed);
            break;
        }
        SavedMacro entry;
        entry.name = name;
        if (const std::string* v = s_.env_.findMacro(name)) {
            entry.registered = true;
            entry.value = *v;
        }
        saved_.push_back(std::move(entry));
        s_.env_.registerMacro(name, a[k]);
    }
    if (ok)
        ok = part(included->body, a[0], out, depth, f, kIncludeFailed);
    // The environment is exactly what it was before, also when this failed.
    while (saved_.size() > savedMark) {
        SavedMacro& entry = saved_.back();
        if (entry.registered) {
            s_.env_.registerMacro(entry.name, entry.value);
        } else {
            s_.env_.eraseMacro(entry.name);
        }
        saved_.pop_back();
    }
    return ok;
}

MacroScript::MacroScript(std::istream& in)
    : text_(withoutCrBeforeLf(
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()))) {}

MacroScript::MacroScript(std::string text) : text_(std::move(text)) {}

MacroScript::~MacroScript() = default;

std::unique_ptr<MacroScript> MacroScript::FromFile(std::string_view path) {
    std::string text;
    if (!platform::readWholeFile(path, text, true))
        return nullptr;
    return std::make_unique<MacroScript>(std::move(text));
}

bool MacroScript::RegisterMacro(std::string_view name, std::string_view value) {
    return env_.registerMacro(name, value);
}

bool MacroScript::RegisterRepetitionMacro(std::string_view zone, std::string_view area,
                                          std::string_view macro, unsigned index,
                                          std::string_view value) {
    env_.registerRepetition(zone, area, macro, index, value);
    return true;
}

void MacroScript::CleanMacros() {
    env_.clear();
}

const MacroScript::ZoneInfo* MacroScript::zone(std::string_view name) {
    if (name.empty())
        return nullptr;
    auto it = zones_.find(name);
    if (it != zones_.end())
        return &it->second;
    // The first ZONE directive that names the zone counts; a malformed one
    // means there is no such zone. Misses are not remembered.
    std::size_t p = 0;
    while (true) {
        std::optional<DirectiveHit> hit = FindNextDirective(text_, p, name);
        if (!hit)
            return nullptr;
        if (hit->kind == DirectiveKind::Zone) {
            Lexer lexer(text_);
            DirectiveView view;
            if (!lexer.parse(hit->position, view))
                return nullptr;
            ZoneInfo info;
            info.body = view.thenPart;
            info.declaredNames.assign(view.arguments.begin() + 1, view.arguments.end());
            return &zones_.emplace(std::string(name), std::move(info)).first->second;
        }
        p = hit->position + 1;
    }
}

bool MacroScript::ApplyZone(std::string_view zoneName, std::string& text, int indentCount,
                            char indentChar) {
    const ZoneInfo* z = zone(zoneName);
    if (z == nullptr) {
        appendErrorLine(text, kZoneNotFound);
        return false;
    }
    activeAreas_.clear();
    // The previous content of text goes, so its buffer is reused (a caller
    // expanding zone after zone allocates once); a zone name inside it is
    // copied first.
    std::string keptName;
    std::less<const char*> before;
    if (!zoneName.empty() && !before(zoneName.data(), text.data()) &&
        before(zoneName.data(), text.data() + text.size() + 1)) {
        keptName.assign(zoneName);
        zoneName = keptName;
    }
    std::string out = std::move(text);
    out.clear();
    Expansion expansion(*this);
    Failure f;
    bool ok = expansion.run(z->body, zoneName, out, 0, f);
    activeAreas_.clear();
    if (!ok) {
        out.append(z->body.substr(f.start));
        appendErrorLine(out, f.message);
    } else if (indentCount > 0) {
        const std::size_t lines =
            1 + static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n'));
        const std::size_t width = static_cast<std::size_t>(indentCount);
        if (out.size() > limits_.maxOutputBytes ||
            lines > (limits_.maxOutputBytes - out.size()) / width) {
            appendErrorLine(
                out, limitMessage("an expansion larger than ", limits_.maxOutputBytes, " bytes"));
            ok = false;
        }
    }
    if (!ok) {
        appendErrorLine(out, kZoneFailed);
        text = std::move(out);
        return false;
    }
    IndentLines(out, indentCount, indentChar);
    text = std::move(out);
    return true;
}

bool MacroScript::ExpandText(std::string& text, std::string_view zoneName) {
    Expansion expansion(*this);
    std::string out;
    Failure f;
    if (!expansion.run(text, zoneName, out, 0, f)) {
        out.append(std::string_view(text).substr(f.start));
        appendErrorLine(out, f.message);
        text = std::move(out);
        return false;
    }
    text = std::move(out);
    return true;
}

int MacroScript::NumberOfZoneMacros(std::string_view zoneName) {
    const ZoneInfo* z = zone(zoneName);
    return z != nullptr ? static_cast<int>(z->declaredNames.size()) : -1;
}

bool MacroScript::GetZoneMacroName(std::string_view zoneName, int i, std::string& name) {
    const ZoneInfo* z = zone(zoneName);
    if (z == nullptr || i < 0 || static_cast<std::size_t>(i) >= z->declaredNames.size()) {
        return false;
    }
    name = z->declaredNames[static_cast<std::size_t>(i)];
    return true;
}

bool MacroScript::ZoneApplicability(std::string_view zoneName, std::string& letters) {
    const ZoneInfo* z = zone(zoneName);
    if (z == nullptr)
        return false;
    std::optional<std::string> s = ApplicabilityString(z->declaredNames);
    if (!s)
        return false;
    letters = std::move(*s);
    return true;
}

}  // namespace orven::macroscript
