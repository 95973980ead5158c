#include "model/persistence/ModuleFileReader.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <set>

#include "catalogues/CodificationLanguage.h"
#include "catalogues/ComponentCatalogue.h"
#include "catalogues/Deportabilization.h"
#include "model/OxaModule.h"
#include "model/persistence/CompactText.h"
#include "model/persistence/ModuleFileWriter.h"
#include "platform/Platform.h"

namespace orven::model::persistence {

namespace {

constexpr const char* kNoName = "<no name>";
constexpr const char* kNoDescription = "<No description>";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text between the first open and the next close after it.
bool between(std::string_view text, char open, char close, std::string_view& out) {
    std::size_t a = text.find(open);
    if (a == std::string_view::npos)
        return false;
    std::size_t b = text.find(close, a + 1);
    if (b == std::string_view::npos)
        return false;
    out = text.substr(a + 1, b - a - 1);
    return true;
}

int clampToInt(long long v) {
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

long long parseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\n' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v < (LLONG_MAX - 9) / 10)
            v = v * 10 + (text[i] - '0');
    }
    return negative ? -v : v;
}

double parseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\n' || text[i] == '\r'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double v = 0.0;
    auto r =
        std::from_chars(text.data() + i, text.data() + text.size(), v, std::chars_format::general);
    if (r.ec != std::errc())
        return 0.0;
    return v;
}

TimeRestriction parseTimeRestriction(std::string_view text) {
    TimeRestriction restriction;
    if (text.size() < 5)
        return restriction;
    std::size_t open = text.find('[');
    if (open == std::string_view::npos)
        return restriction;
    std::size_t comma = text.find(',', open + 1);
    if (comma == std::string_view::npos)
        return restriction;
    std::size_t close = text.find(']', comma + 1);
    if (close == std::string_view::npos)
        return restriction;
    auto value = [](std::string_view v) -> float {
        if (v == "INF")
            return TimeRestriction::kNotSet;
        double d = parseDecimal(v);
        if (std::isnan(d))
            return TimeRestriction::kNotSet;
        if (d > 3.4e38)
            d = 3.4e38;
        if (d < -3.4e38)
            d = -3.4e38;
        return static_cast<float>(d);
    };
    restriction.set(value(text.substr(open + 1, comma - open - 1)),
                    value(text.substr(comma + 1, close - comma - 1)));
    return restriction;
}

bool matchLabel(std::string_view line, std::string_view label, std::string_view* rest) {
    if (label.size() < 2)
        return false;
    std::size_t first = line.find(label[0]);
    if (first == std::string_view::npos)
        return false;
    std::size_t colon = line.find(':', first + 1);
    if (colon == std::string_view::npos)
        return false;
    std::string_view inner = label.substr(1);
    if (!inner.empty() && inner.back() == ':')
        inner.remove_suffix(1);
    if (line.substr(first + 1, colon - first - 1) != inner)
        return false;
    if (rest != nullptr)
        *rest = line.substr(colon + 1);
    return true;
}

bool ModuleFileReader::expectLine(std::string& line, bool skipAhead,
                                  const std::function<bool(std::string_view)>& fits) {
    while (in_.getLine(line)) {
        if (fits(line))
            return true;
        if (!skipAhead)
            return false;
    }
    return false;
}

bool ModuleFileReader::readCompactBlock(std::string& text) {
    text.clear();
    if (!in_.getLine(line_))
        return false;
    if (!isCompactHeaderLine(line_))
        return true;
    CompactDecoder decoder;
    decoder.begin(line_);
    for (;;) {
        if (!in_.getLine(line_))
            return false;
        if (isCompactEndLine(line_))
            break;
        decoder.addLine(line_);
    }
    text = decoder.finish();
    return true;
}

bool ModuleFileReader::readSection(std::string_view label, CodeSection& section, bool skipAhead) {
    std::string_view rest;
    if (!expectLine(line_, skipAhead,
                    [&](std::string_view l) { return matchLabel(l, label, &rest); })) {
        return false;
    }
    TimeRestriction restriction = parseTimeRestriction(rest);
    std::string text;
    if (!readCompactBlock(text))
        return false;
    section = CodeSection(std::move(text), restriction);
    return true;
}

bool ModuleFileReader::readCommonLines(LinkedObject& object, std::string_view expectedLink,
                                       bool skipAhead) {
    std::string_view name;
    if (!expectLine(line_, skipAhead,
                    [&](std::string_view l) { return between(l, '[', ']', name); })) {
        return false;
    }
    if (!object.setName(std::string(name)))
        return false;
    if (!expectLine(line_, skipAhead,
                    [](std::string_view l) { return matchLabel(l, "Description:"); })) {
        return false;
    }
    std::string description;
    if (!readCompactBlock(description))
        return false;
    object.setDescription(std::move(description));
    std::string_view link;
    if (!expectLine(line_, skipAhead,
                    [&](std::string_view l) { return between(l, '[', ']', link); })) {
        return false;
    }
    return link == expectedLink;
}

bool ModuleFileReader::readIncludedObjects(ContainerObject& container, bool skipAhead) {
    std::string_view countText;
    if (!expectLine(line_, skipAhead,
                    [&](std::string_view l) { return between(l, '(', ')', countText); })) {
        return false;
    }
    const long long count = parseInteger(countText);
    // Which class each container holds: a tag of another class fails at
    // once, so that nothing nests deeper than the model does.
    const bool isModule = dynamic_cast<OxaModule*>(&container) != nullptr;
    const bool isGroup = dynamic_cast<GroupOfServices*>(&container) != nullptr;
    for (long long k = 0; k < count; ++k) {
        std::string_view tag;
        bool ok = expectLine(line_, skipAhead, [&](std::string_view l) {
            std::size_t hash = l.find('#');
            if (hash == std::string_view::npos)
                return false;
            std::size_t space = l.find(' ', hash + 1);
            if (space == std::string_view::npos)
                return false;
            std::string_view number = l.substr(hash + 1, space - hash - 1);
            if (number.empty() || parseInteger(number) != k)
                return false;
            return between(l.substr(space), '(', ')', tag);
        });
        if (!ok)
            return false;
        const std::string tagText(tag);
        std::unique_ptr<LinkedObject> object;
        if (isModule && tagText == "SGr") {
            if (!expectLine(line_, skipAhead, [](std::string_view l) {
                    return trimLeading(l).starts_with("Group of Services:");
                })) {
                return false;
            }
            auto group = std::make_unique<GroupOfServices>(kNoName, kNoDescription);
            if (!readGroup(*group, container.name(), skipAhead))
                return false;
            object = std::move(group);
        } else if (isGroup && tagText == "Srv") {
            if (!expectLine(line_, skipAhead, [](std::string_view l) {
                    return trimLeading(l).starts_with("Service:");
                })) {
                return false;
            }
            auto service = std::make_unique<Service>(kNoName, kNoDescription);
            if (!readService(*service, container.name(), skipAhead))
                return false;
            object = std::move(service);
        } else if (!isModule && !isGroup && includedReader_) {
            bool handled = false;
            if (!includedReader_(*this, container, tagText, skipAhead, handled) || !handled) {
                return false;
            }
            continue;
        } else {
            return false;
        }
        if (!container.include(std::move(object)))
            return false;
    }
    return true;
}

bool ModuleFileReader::readGroup(GroupOfServices& group, std::string_view expectedLink,
                                 bool skipAhead) {
    return readCommonLines(group, expectedLink, skipAhead) && readIncludedObjects(group, skipAhead);
}

bool ModuleFileReader::readService(Service& service, std::string_view expectedLink,
                                   bool skipAhead) {
    if (!readCommonLines(service, expectedLink, skipAhead))
        return false;
    // Type: the digit at the seventh character of the line, as in "Type: 1".
    int type = -1;
    if (!expectLine(line_, skipAhead, [&](std::string_view l) {
            std::string_view t = trimLeading(l);
            if (!matchLabel(t, "Type:"))
                return false;
            if (t.size() < 7 || t[6] < '0' || t[6] > '2')
                return false;
            type = t[6] - '0';
            return true;
        })) {
        return false;
    }
    service.setType(type);
    // The handler members: the text between the parentheses; the setters
    // refuse what does not fit the type.
    auto parenthesised = [](std::string_view l, std::string_view& value) {
        std::size_t open = l.find('(');
        if (open == std::string_view::npos)
            return false;
        std::size_t close = l.rfind(')');
        if (close == std::string_view::npos || close < open)
            return false;
        value = l.substr(open + 1, close - open - 1);
        return true;
    };
    std::string_view value;
    if (!expectLine(line_, skipAhead, [&](std::string_view l) {
            return matchLabel(l, "Event Handler Code:") && parenthesised(l, value);
        })) {
        return false;
    }
    service.setEventHandlerCode(std::string(value));
    if (!expectLine(line_, skipAhead, [&](std::string_view l) {
            return matchLabel(l, "Event Generator Module:") && parenthesised(l, value);
        })) {
        return false;
    }
    service.setEventGeneratorModule(std::string(value));
    // Characteristics: the letters between "<" and ">".
    std::string letters;
    if (!in_.skipPast('<') || !in_.readUntil('>', letters))
        return false;
    in_.skipLine();
    std::uint32_t flags = 0;
    for (char c : letters) {
        switch (c) {
            case 'R':
                flags |= kReentrant;
                break;
            case 'M':
                flags |= kMonitor;
                break;
            case 'D':
                flags |= kModifier;
                break;
            case 'P':
                flags |= kPermanent;
                break;
            case 'U':
                flags |= kUnprioritized;
                break;
            case 'Z':
                flags |= kPrioritized;
                break;
            default:
                break;
        }
    }
    service.setCharacteristics(flags);
    // Relative priority: a decimal number truncated to an integer.
    if (!expectLine(line_, skipAhead,
                    [&](std::string_view l) { return between(l, '(', ')', value); })) {
        return false;
    }
    double priority = parseDecimal(value);
    if (std::isnan(priority))
        priority = 0;
    if (priority > INT_MAX)
        priority = INT_MAX;
    if (priority < INT_MIN)
        priority = INT_MIN;
    service.setRelativePriority(static_cast<int>(priority));
    CodeSection section;
    if (!readSection("Input data definition:", section, skipAhead))
        return false;
    service.setInputData(section);
    if (!readSection("Output data definition:", section, skipAhead))
        return false;
    service.setOutputData(section);
    if (!readSection("Server code:", section, skipAhead))
        return false;
    service.setServerCode(section);
    return true;
}

bool ModuleFileReader::readModule(OxaModule& module, std::string_view expectedLink,
                                  bool skipAhead) {
    if (!readCommonLines(module, expectedLink, skipAhead) ||
        !readIncludedObjects(module, skipAhead)) {
        message_ = messages::kNoObject;
        return false;
    }
    return readModuleLines(module, skipAhead);
}

namespace {

// One external list line: "(" count ")" and that many entries
// "[path]/[name]@date ".
bool parseExternalList(std::string_view line, ExternalList& out) {
    out.clear();
    std::string_view countText;
    if (!between(line, '(', ')', countText))
        return false;
    const long long count = parseInteger(countText);
    std::size_t pos = line.find(')', line.find('(') + 1) + 1;
    for (long long k = 0; k < count; ++k) {
        std::size_t open = line.find('[', pos);
        if (open == std::string_view::npos)
            return false;
        std::size_t close = line.find(']', open + 1);
        if (close == std::string_view::npos)
            return false;
        std::string_view path = line.substr(open + 1, close - open - 1);
        std::size_t nameStart = close + 3;
        if (nameStart > line.size())
            return false;
        std::size_t nameEnd = line.find(']', nameStart);
        if (nameEnd == std::string_view::npos)
            return false;
        ExternalEntry entry;
        entry.setName(line.substr(nameStart, nameEnd - nameStart));
        if (path == "*") {
            entry.setPathKnown(false);
            entry.setPath("*");
        } else {
            entry.setPath(path);
        }
        pos = nameEnd + 1;
        if (pos < line.size() && line[pos] == '@') {
            std::size_t space = line.find(' ', pos + 1);
            if (space == std::string_view::npos)
                return false;
            long long date = parseInteger(line.substr(pos + 1, space - pos - 1));
            entry.setDate(static_cast<std::uint32_t>(
                date < 0 ? 0 : (date > 0xffffffffLL ? 0xffffffffLL : date)));
            pos = space;
        }
        out.push_back(std::move(entry));
    }
    return true;
}

}  // namespace

bool ModuleFileReader::readDependencies(OxaModule& module) {
    DependencyList list;
    if (!in_.skipPast('{') || !in_.skipPast('('))
        return false;
    std::string countText;
    for (;;) {
        int c = in_.get();
        if (c == TextReader::kEnd)
            return false;
        if (c == ')')
            break;
        if (countText.size() >= 30)
            return false;
        countText.push_back(static_cast<char>(c));
    }
    const long long count = parseInteger(countText);
    std::string moduleName;
    std::string serviceName;
    std::string restriction;
    for (long long k = 0; k < count; ++k) {
        if (!in_.skipPast('[') || !in_.readUntil(']', moduleName))
            return false;
        if (!in_.skipPast('[') || !in_.readUntil(']', serviceName))
            return false;
        TimeRestriction r;
        if (in_.peek() == '@') {
            in_.get();
            if (!in_.readThrough(']', restriction))
                return false;
            r = parseTimeRestriction(restriction);
        }
        // A dependency that the list refuses (listed twice, a name it cannot
        // hold) is dropped.
        list.add(ModuleDependency(moduleName, serviceName, r));
    }
    in_.skipLine();
    module.setDependencies(list);
    return true;
}

bool ModuleFileReader::readSignals(OxaModule& module) {
    module.clearSignals();
    // The end of the input ends the list wherever it comes.
    if (!in_.skipPast('['))
        return true;
    std::string name;
    std::string code;
    for (;;) {
        int c;
        do {
            c = in_.get();
        } while (c != TextReader::kEnd && c != '{' && c != ']');
        if (c == TextReader::kEnd)
            return true;
        if (c == ']')
            break;
        if (!in_.skipPast('(') || !in_.readUntil(')', name))
            return true;
        if (!in_.skipPast(':') || !in_.skipPast('('))
            return true;
        int letter = in_.get();
        if (letter == TextReader::kEnd)
            return true;
        if (!in_.skipPast(':') || !in_.skipPast('(') || !in_.readUntil(')', code))
            return true;
        if (!in_.skipPast('}'))
            return true;
        // A letter other than "E" and "N" reads as a beta event.
        auto kind = signalKindFromLetter(static_cast<char>(letter));
        module.putSignal(name, DefinedSignal(kind ? *kind : kBetaEvent, code));
    }
    in_.skipLine();
    return true;
}

bool ModuleFileReader::readModuleLines(OxaModule& module, bool skipAhead) {
    auto fail = [this](const char* message) {
        message_ = message;
        return false;
    };
    std::string_view value;
    if (!expectLine(line_, skipAhead,
                    [&](std::string_view l) { return between(l, '(', ')', value); })) {
        return fail("No priority");
    }
    module.setPriority(clampToInt(parseInteger(value)));

    static constexpr struct {
        int kind;
        const char* message;
    } kLists[] = {{kExternalData, "No external data"},
                  {kExternalCode, "No external code"},
                  {kExternalPassive, "No external passive"}};
    for (const auto& l : kLists) {
        ExternalList list;
        if (!expectLine(line_, skipAhead,
                        [&](std::string_view t) { return parseExternalList(t, list); })) {
            return fail(l.message);
        }
        module.externals().assignList(l.kind, std::move(list));
    }

    static constexpr struct {
        const char* label;
        ModuleSection which;
        const char* message;
    } kSections[] = {
        {"Global data:", ModuleSection::GlobalData, "No global data"},
        {"Global code:", ModuleSection::GlobalCode, "No global code"},
        {"Pre-definitions:", ModuleSection::PreDefinitions, "No pre-definitions"},
        {"Startup code:", ModuleSection::StartupCode, "No startup code"},
        {"Pre-ending code:", ModuleSection::PreEndingCode, "No pre-ending code"},
        {"Post-ending code:", ModuleSection::PostEndingCode, "No post-ending code"},
    };
    for (const auto& s : kSections) {
        CodeSection section;
        if (!readSection(s.label, section, skipAhead))
            return fail(s.message);
        module.setSection(s.which, section);
    }

    // The codification language: its form "(" letter ")" from the text after
    // the label on; the line where it ends is passed over with it.
    {
        std::string_view rest;
        if (!expectLine(line_, skipAhead, [&](std::string_view l) {
                return matchLabel(l, "Codification language:", &rest);
            })) {
            return fail("No codification language");
        }
        std::string text(rest);
        std::size_t open = text.find('(');
        std::string next;
        while (open == std::string::npos) {
            if (!in_.getLine(next))
                return fail("No codification language");
            text.push_back('\n');
            std::size_t base = text.size();
            text.append(next);
            open = text.find('(', base);
        }
        std::size_t from = open + 2;
        while (text.size() < from || text.find(')', from) == std::string::npos) {
            if (text.size() > from)
                from = text.size();
            if (!in_.getLine(next))
                return fail("No codification language");
            text.push_back('\n');
            text.append(next);
        }
        std::size_t pos = 0;
        catalogues::CodificationLanguage language;
        if (!catalogues::CodificationLanguage::read(text, pos, language)) {
            return fail("No codification language");
        }
        module.setCodificationLanguage(language);
    }

    // The deportabilization: its form "[" ... "]", up to the end of the line
    // that closes it.
    {
        std::string_view rest;
        if (!expectLine(line_, skipAhead, [&](std::string_view l) {
                return matchLabel(l, "Deportabilization:", &rest);
            })) {
            return fail("No deportabilization information");
        }
        std::string text(rest);
        std::size_t open = text.find('[');
        std::string next;
        while (open == std::string::npos) {
            if (!in_.getLine(next))
                return fail("No deportabilization information");
            text.push_back('\n');
            std::size_t base = text.size();
            text.append(next);
            open = text.find('[', base);
        }
        std::size_t from = open + 1;
        while (text.find(']', from) == std::string::npos) {
            from = text.size();
            if (!in_.getLine(next))
                return fail("No deportabilization information");
            text.push_back('\n');
            text.append(next);
        }
        std::size_t pos = 0;
        catalogues::Deportabilization deportabilization;
        if (!catalogues::Deportabilization::read(text, pos, catalogue_, deportabilization)) {
            return fail("No deportabilization information");
        }
        module.setDeportabilization(deportabilization);
    }

    if (!expectLine(line_, skipAhead,
                    [](std::string_view l) { return matchLabel(l, "Dependencies:"); }) ||
        !readDependencies(module)) {
        return fail("No dependencies list");
    }
    if (!expectLine(line_, skipAhead,
                    [](std::string_view l) { return matchLabel(l, "Defined signals:"); }) ||
        !readSignals(module)) {
        return fail("No list of defined signals");
    }
    if (!expectLine(line_, skipAhead,
                    [](std::string_view l) { return matchLabel(l, "General information:"); })) {
        return fail("No general information");
    }
    GeneralInfo info;
    for (std::string* t :
         {&info.version, &info.date, &info.author, &info.otherDependencies, &info.comments}) {
        if (!readCompactBlock(*t))
            return fail("No general information");
    }
    module.setGeneralInfo(info);
    // The end of the text part.
    if (!in_.skipPast('$'))
        return fail("");
    endOfText_ = in_.offset();
    return true;
}

namespace {

// The header, the heading and the module (all but the appendix).
bool readModuleFileText(ModuleFileReader& reader, OxaModule& module) {
    TextReader& in = reader.input();
    std::string line;
    std::string_view format;
    for (;;) {
        if (!in.getLine(line))
            line.clear();
        std::string_view t = trimLeading(line);
        if (t.find("Format info:") != std::string_view::npos) {
            if (!between(t, '[', ']', format)) {
                reader.setMessage("invalid format information");
                return false;
            }
            break;
        }
        if (t.empty()) {
            reader.setMessage("format information not found (maybe older, try Transformer)");
            return false;
        }
        in.getLine(line);
    }
    if (format != kFormatInfo) {
        reader.setMessage("invalid format: " + std::string(format) + ", expected " +
                          std::string(kFormatInfo));
        return false;
    }
    if (!in.getLine(line) || trimLeading(line) != "OXA Module: ") {
        reader.setMessage("No heading");
        return false;
    }
    return reader.readModule(module, "", false);
}

}  // namespace

bool readModuleText(std::string_view text, const catalogues::ComponentCatalogue& catalogue,
                    std::unique_ptr<OxaModule>& out, std::string& message) {
    out.reset();
    message.clear();
    auto module = std::make_unique<OxaModule>(kNoName, kNoDescription);
    TextReader in(text);
    ModuleFileReader reader(in, catalogue, std::string());
    if (!readModuleFileText(reader, *module)) {
        message = reader.message();
        return false;
    }
    out = std::move(module);
    return true;
}

bool loadModuleFile(std::string_view path, std::string_view externalsDirectory,
                    std::string_view groupName, const catalogues::ComponentCatalogue& catalogue,
                    std::unique_ptr<OxaModule>& out, std::string& message) {
    out.reset();
    message.clear();
    auto fail = [&](std::string text) {
        message = std::move(text);
        return false;
    };
    auto module = std::make_unique<OxaModule>(
        kNoName, kNoDescription, std::string(externalsDirectory), std::string(groupName));
    std::uint64_t endOfText = 0;
    {
        platform::File file = platform::openForReading(path);
        if (!file)
            return fail("Could not open module file");
        TextReader in(std::move(file));
        ModuleFileReader reader(in, catalogue, std::string(externalsDirectory));
        if (!readModuleFileText(reader, *module))
            return fail(reader.message());
        endOfText = reader.endOfText();
    }
    // The appendix is read from the file opened as an existing file.
    if (!platform::openExisting(path))
        return fail("End-Of-File character not found");
    ModuleExternals& ext = module->externals();
    if (!ext.createStore(externalsDirectory, groupName)) {
        return fail("Could not create group of temporary external files");
    }
    const ExternalList& data = ext.list(kExternalData);
    const ExternalList& code = ext.list(kExternalCode);
    const ExternalList& passive = ext.list(kExternalPassive);
    if (!data.empty() || !code.empty() || !passive.empty()) {
        TemporaryExternals& store = *ext.store();
        if (!store.extract(path, endOfText)) {
            return fail("Error extracting temporary external files");
        }
        std::set<std::string, std::less<>> extracted;
        for (const auto& r : store.records())
            extracted.insert(r.name);
        static constexpr const char* kMissing[] = {"An external data file could not be found",
                                                   "An external code file could not be found",
                                                   "An external passive file could not be found"};
        const ExternalList* lists[] = {&data, &code, &passive};
        std::set<std::string, std::less<>> used;
        for (int i = 0; i < 3; ++i) {
            for (const ExternalEntry& e : *lists[i]) {
                if (!extracted.count(e.name()))
                    return fail(kMissing[i]);
                used.insert(e.name());
            }
        }
        for (const std::string& name : extracted) {
            if (!used.count(name))
                return fail("External information incoherent");
        }
    }
    module->setFilePath(path);
    out = std::move(module);
    return true;
}

}  // namespace orven::model::persistence
