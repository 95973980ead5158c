#include "macroscript/Lexer.h"

#include <array>
#include <cstring>
#include <limits>

namespace orven::macroscript {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

struct KindInfo {
    std::string_view keyword;
    DirectiveKind kind;
    std::size_t maxArguments;  // 0 for LIT: no argument list at all
    std::size_t required;
    bool block;
    bool conditional;           // has an else marker
    std::size_t labelArgument;  // 1-based; 0 none
    std::string_view endMarker;
};

// The keyword order matters: every keyword stands before the shorter
// keywords that are its prefixes.
constexpr std::array<KindInfo, 11> kKinds = {{
    {"#TPX-MACRO", DirectiveKind::Macro, 2, 1, false, false, 0, {}},
    {"#TPX-ZONE", DirectiveKind::Zone, kAll, 1, true, false, 1, "#TPX-ENDZONE("},
    {"#TPX-REPAREA", DirectiveKind::RepArea, 2, 1, true, false, 1, "#TPX-ENDREPAREA("},
    {"#TPX-REPMACRO", DirectiveKind::RepMacro, 3, 2, false, false, 0, {}},
    {"#TPX-IFREPEQ", DirectiveKind::IfRepEq, 3, 3, true, true, 2, "#TPX-ENDIF("},
    {"#TPX-IFREP", DirectiveKind::IfRep, 3, 2, true, true, 2, "#TPX-ENDIF("},
    {"#TPX-IFEQ", DirectiveKind::IfEq, 2, 2, true, true, 1, "#TPX-ENDIF("},
    {"#TPX-IF", DirectiveKind::If, 2, 1, true, true, 1, "#TPX-ENDIF("},
    {"#TPX-INCLUDE", DirectiveKind::Include, kAll, 1, false, false, 0, {}},
    {"#TPX-REPINDEX", DirectiveKind::RepIndex, kAll, 1, false, false, 0, {}},
    {"#TPX-LIT", DirectiveKind::Lit, 0, 0, true, false, 0, "#TPX-ENDLIT#"},
}};

constexpr std::string_view kElseMarker = "#TPX-ELSE(";
constexpr std::string_view kMarkerClose = ")#";
constexpr std::string_view kZoneOpen = "#TPX-ZONE(";
constexpr std::string_view kZoneClose = "#TPX-ENDZONE(";

const KindInfo* infoAt(std::string_view text, std::size_t position) {
    if (position > text.size())
        return nullptr;
    std::string_view rest = text.substr(position);
    const std::size_t first = kDirectiveStart.size();  // the keyword's first letter
    if (rest.size() <= first)
        return nullptr;
    for (const KindInfo& info : kKinds) {
        if (info.keyword[first] == rest[first] && rest.starts_with(info.keyword))
            return &info;
    }
    return nullptr;
}

// "(" + name followed by "," or ")" somewhere in [from, to).
bool namedIn(std::string_view text, std::size_t from, std::size_t to, std::string_view name) {
    std::size_t p = from;
    while (p < to) {
        const void* q = std::memchr(text.data() + p, '(', to - p);
        if (q == nullptr)
            return false;
        p = static_cast<const char*>(q) - text.data();
        std::size_t after = p + 1 + name.size();
        if (after < to && text.compare(p + 1, name.size(), name) == 0 &&
            (text[after] == ',' || text[after] == ')')) {
            return true;
        }
        ++p;
    }
    return false;
}

}  // namespace

std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from) {
    if (pattern.empty() || from > text.size())
        return npos;
    return text.find(pattern, from);
}

DirectiveKind ClassifyDirective(std::string_view text, std::size_t position) {
    const KindInfo* info = infoAt(text, position);
    return info != nullptr ? info->kind : DirectiveKind::Unrecognised;
}

std::optional<DirectiveHit> FindNextDirective(std::string_view text, std::size_t position,
                                              std::string_view name) {
    std::size_t p = position;
    while (true) {
        p = FindText(text, kDirectiveStart, p);
        if (p == npos)
            return std::nullopt;
        if (name.empty())
            break;
        std::size_t hash = text.find('#', p + 1);
        if (hash == npos || namedIn(text, p, hash, name))
            break;
        ++p;
    }
    return DirectiveHit{p, ClassifyDirective(text, p)};
}

std::optional<DirectiveRecord> ParseDirective(std::string_view text, std::size_t position,
                                              bool extractBodies) {
    Lexer lexer(text);
    DirectiveView view;
    if (!lexer.parse(position, view))
        return std::nullopt;
    DirectiveRecord record;
    record.kind = view.kind;
    record.start = view.start;
    record.end = view.end;
    record.arguments.assign(view.arguments.begin(), view.arguments.end());
    if (extractBodies) {
        record.thenPart = view.thenPart;
        record.elsePart = view.elsePart;
    }
    return record;
}

std::optional<DirectiveRecord> FindZone(std::string_view script, std::string_view name,
                                        bool extractBodies) {
    if (name.empty())
        return std::nullopt;
    std::size_t p = 0;
    while (true) {
        std::optional<DirectiveHit> hit = FindNextDirective(script, p, name);
        if (!hit)
            return std::nullopt;
        if (hit->kind == DirectiveKind::Zone)
            return ParseDirective(script, hit->position, extractBodies);
        p = hit->position + 1;
    }
}

std::optional<std::string> ApplicabilityString(const std::vector<std::string>& declaredNames) {
    if (declaredNames.empty())
        return std::nullopt;
    for (const std::string& name : declaredNames) {
        if (name.empty())
            return std::nullopt;
        if (name.size() == 8 && name[0] == '_')
            return name.substr(1);
    }
    return std::string("SEORBNX");
}

std::string WrapInInterpretingZone(std::string_view text) {
    std::string wrapped;
    wrapped.reserve(text.size() + kZoneOpen.size() + kZoneClose.size() +
                    2 * (kInterpretingZone.size() + kMarkerClose.size()));
    wrapped.append(kZoneOpen).append(kInterpretingZone).append(kMarkerClose);
    wrapped.append(text);
    wrapped.append(kZoneClose).append(kInterpretingZone).append(kMarkerClose);
    return wrapped;
}

std::size_t Lexer::find(Memo& memo, std::string_view pattern, std::size_t from) {
    if (memo.from != npos && from >= memo.from && (memo.found == npos || memo.found >= from)) {
        return memo.found;
    }
    memo.from = from;
    memo.found = FindText(text_, pattern, from);
    return memo.found;
}

void Lexer::reset(std::string_view text) {
    text_ = text;
    start_ = hash_ = paren_ = listEnd_ = litEnd_ = Memo{};
}

std::size_t Lexer::findNext(std::size_t from) {
    return find(start_, kDirectiveStart, from);
}

bool Lexer::parseArguments(std::size_t open, std::size_t maxArguments, DirectiveView& out) {
    // Every argument's list end is the first ")#" after the separator before
    // it; as separators never pass that point, it is one place for them all.
    const std::size_t listEnd = find(listEnd_, kMarkerClose, open + 1);
    if (listEnd == npos)
        return false;
    const char* base = text_.data();
    std::size_t separator = open;
    while (out.arguments.size() < maxArguments) {
        std::size_t p = separator + 1;
        bool malformed = false;
        bool last = false;
        if (p < listEnd && (text_[p] == '"' || text_[p] == '\'')) {
            const void* q = std::memchr(base + p + 1, text_[p], listEnd - (p + 1));
            if (q == nullptr) {
                malformed = true;
            } else {
                std::size_t close = static_cast<const char*>(q) - base;
                std::size_t after = close + 1;
                if (after == listEnd) {
                    last = true;
                } else if (text_[after] == ',') {
                    separator = after;
                } else {
                    malformed = true;
                }
                if (!malformed)
                    out.arguments.push_back(text_.substr(p + 1, close - (p + 1)));
            }
        } else {
            const void* c = std::memchr(base + p, ',', listEnd - p);
            if (c == nullptr) {
                out.arguments.push_back(text_.substr(p, listEnd - p));
                last = true;
            } else {
                std::size_t comma = static_cast<const char*>(c) - base;
                out.arguments.push_back(text_.substr(p, comma - p));
                separator = comma;
            }
        }
        if (malformed)
            return !out.arguments.empty();
        if (last)
            break;
    }
    return true;
}

bool Lexer::parse(std::size_t position, DirectiveView& out) {
    out.arguments.clear();
    out.thenPart = {};
    out.elsePart = {};
    const KindInfo* info = infoAt(text_, position);
    if (info == nullptr)
        return false;
    out.kind = info->kind;
    out.start = position;
    const std::size_t closing = find(hash_, "#", position + 1);
    if (closing == npos)
        return false;
    out.end = closing;
    if (info->maxArguments > 0) {
        std::size_t open = find(paren_, "(", position);
        if (open == npos)
            return false;
        if (!parseArguments(open, info->maxArguments, out))
            return false;
        if (out.arguments.size() < info->required)
            return false;
    }
    if (!info->block)
        return true;

    const std::size_t bodyStart = closing + 1;
    std::size_t endMarker;
    std::size_t markerLength;
    std::string_view label;
    if (info->labelArgument == 0) {
        endMarker = find(litEnd_, info->endMarker, bodyStart);
        markerLength = info->endMarker.size();
    } else {
        label = out.arguments[info->labelArgument - 1];
        marker_.assign(info->endMarker).append(label).append(kMarkerClose);
        endMarker = FindText(text_, marker_, bodyStart);
        markerLength = marker_.size();
    }
    if (endMarker == npos)
        return false;
    out.end = endMarker + markerLength - 1;
    std::string_view body = text_.substr(bodyStart, endMarker - bodyStart);
    out.thenPart = body;
    if (info->conditional) {
        // Only an else marker wholly inside the body splits it.
        marker_.assign(kElseMarker).append(label).append(kMarkerClose);
        std::size_t elseAt = FindText(body, marker_, 0);
        if (elseAt != npos) {
            out.thenPart = body.substr(0, elseAt);
            out.elsePart = body.substr(elseAt + marker_.size());
        }
    }
    return true;
}

}  // namespace orven::macroscript
