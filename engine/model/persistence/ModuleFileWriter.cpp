#include "model/persistence/ModuleFileWriter.h"

#include <charconv>

#include "catalogues/ComponentCatalogue.h"
#include "model/OxaModule.h"
#include "model/persistence/CompactText.h"
#include "platform/Platform.h"

namespace orven::model::persistence {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void appendTimeValue(std::string& out, float value) {
    if (value == TimeRestriction::kNotSet) {
        out.append("INF");
        return;
    }
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                           std::chars_format::fixed, 6);
    if (r.ec != std::errc()) {
        out.append("INF");
        return;
    }
    out.append(buf, r.ptr);
}

void appendTabs(std::string& out, int level) {
    if (level > 0)
        out.append(static_cast<std::size_t>(level), '\t');
}

}  // namespace

std::string timeRestrictionText(const TimeRestriction& restriction) {
    std::string out = "[";
    appendTimeValue(out, restriction.minimum());
    out.push_back(',');
    appendTimeValue(out, restriction.maximum());
    out.push_back(']');
    return out;
}

std::string externalListText(const ExternalList& list) {
    std::string out = "(" + std::to_string(list.size()) + ")";
    for (const ExternalEntry& e : list) {
        out.append(" [");
        out.append(e.pathKnown() ? e.path() : std::string("*"));
        out.append("]/[");
        out.append(e.name());
        out.append("]@");
        out.append(std::to_string(e.date()));
        out.push_back(' ');
    }
    return out;
}

std::string dependencyListText(const DependencyList& list) {
    std::string out = "{(" + std::to_string(list.size()) + ") ";
    bool first = true;
    for (const ModuleDependency& d : list) {
        if (!first)
            out.append(", ");
        first = false;
        out.push_back('[');
        out.append(d.moduleName());
        out.append("]:[");
        out.append(d.serviceName());
        out.append("]@");
        out.append(timeRestrictionText(d.timeRestriction()));
    }
    out.push_back('}');
    return out;
}

bool ModuleFileWriter::flush() {
    if (sink_ == nullptr)
        return !sinkFailed_;
    if (!sinkFailed_ && !sink_->write(out_))
        sinkFailed_ = true;
    flushed_ += out_.size();
    out_.clear();
    return !sinkFailed_;
}

void ModuleFileWriter::line(int level, std::string_view text) {
    appendTabs(out_, level);
    out_.append(text);
    out_.append(kLineEnd);
}

void ModuleFileWriter::writeObject(const LinkedObject& object, int level) {
    if (auto* m = dynamic_cast<const OxaModule*>(&object)) {
        writeModule(*m, level);
    } else if (auto* g = dynamic_cast<const GroupOfServices*>(&object)) {
        writeGroup(*g, level);
    } else if (auto* s = dynamic_cast<const Service*>(&object)) {
        writeService(*s, level);
    } else {
        // Other containers (conceptual units, applications) write only what
        // every object has.
        writeCommonLines(object, level);
        if (auto* c = dynamic_cast<const ContainerObject*>(&object)) {
            writeIncludedObjects(*c, level);
        }
    }
}

void ModuleFileWriter::writeCommonLines(const LinkedObject& object, int level) {
    line(level, object.heading());
    appendTabs(out_, level);
    out_.push_back('[');
    out_.append(object.name());
    out_.push_back(']');
    out_.append(kLineEnd);
    appendTabs(out_, level);
    out_.append("Description:");
    appendCompactText(out_, object.description(), level + 1, kLineEnd);
    out_.append(kLineEnd);
    appendTabs(out_, level);
    out_.append("Linked to the object: [");
    if (object.link() != nullptr)
        out_.append(object.link()->name());
    out_.push_back(']');
    out_.append(kLineEnd);
    flushIfLarge();
}

void ModuleFileWriter::writeIncludedObjects(const ContainerObject& container, int level) {
    line(level, "Includes (" + std::to_string(container.includedCount()) + ") objects.");
    std::size_t k = 0;
    for (const auto& [name, object] : container.included()) {
        line(level, "Included object #" + std::to_string(k) + " (" + object->typeTag() + ") :");
        writeObject(*object, level + 1);
        ++k;
    }
}

void ModuleFileWriter::writeSection(int level, std::string_view label, const CodeSection& section) {
    appendTabs(out_, level);
    out_.append(label);
    out_.append(timeRestrictionText(section.timeRestriction()));
    // Code sections are written at level 0 wherever they stand.
    appendCompactText(out_, section.text(), 0, kLineEnd);
    out_.append(kLineEnd);
    flushIfLarge();
}

void ModuleFileWriter::writeModule(const OxaModule& module, int level) {
    writeCommonLines(module, level);
    writeIncludedObjects(module, level);
    line(level, "Relative priority: (" + std::to_string(module.priority()) + ")");
    const ModuleExternals& ext = module.externals();
    line(level, "External data: " + externalListText(ext.list(kExternalData)));
    line(level, "External code: " + externalListText(ext.list(kExternalCode)));
    line(level, "External passive: " + externalListText(ext.list(kExternalPassive)));
    writeSection(level, "Global data:", module.globalData());
    writeSection(level, "Global code:", module.globalCode());
    writeSection(level, "Pre-definitions:", module.preDefinitions());
    writeSection(level, "Startup code:", module.startupCode());
    writeSection(level, "Pre-ending code:", module.preEndingCode());
    writeSection(level, "Post-ending code:", module.postEndingCode());
    line(level, "Codification language:");
    line(level + 1, module.codificationLanguage().textualForm());
    line(level, "Deportabilization:");
    line(level + 1, module.deportabilization().textualForm(catalogue_));
    line(level, "Dependencies:");
    line(level + 1, dependencyListText(module.dependencies()));
    line(level, "Defined signals:");
    std::string signals = "[";
    for (const auto& [name, signal] : module.signals()) {
        signals.append("{(");
        signals.append(name);
        signals.append("):(");
        signals.push_back(signalKindLetter(signal.kind()));
        signals.append("):(");
        signals.append(signal.code());
        signals.append(")}");
    }
    signals.push_back(']');
    line(level + 1, signals);
    appendTabs(out_, level);
    out_.append("General information:");
    const GeneralInfo& info = module.generalInfo();
    for (const std::string* t :
         {&info.version, &info.date, &info.author, &info.otherDependencies, &info.comments}) {
        appendCompactText(out_, *t, level + 1, kLineEnd);
    }
    out_.append(kLineEnd);
    out_.push_back('$');
}

void ModuleFileWriter::writeGroup(const GroupOfServices& group, int level) {
    writeCommonLines(group, level);
    writeIncludedObjects(group, level);
}

void ModuleFileWriter::writeService(const Service& service, int level) {
    writeCommonLines(service, level);
    const int type = service.type();
    line(level, "Type: " + std::to_string(type));
    line(level, "Event Handler Code: (" +
                    (type == kBetaEventHandler || type == kNotificationHandler
                         ? service.storedEventHandlerCode()
                         : std::string("0")) +
                    ")");
    line(level,
         "Event Generator Module: (" +
             (type == kBetaEventHandler ? service.storedEventGeneratorModule() : std::string()) +
             ")");
    std::string chars = "Characteristics: <";
    static constexpr struct {
        std::uint32_t flag;
        char letter;
    } kLetters[] = {{kReentrant, 'R'}, {kMonitor, 'M'},       {kModifier, 'D'},
                    {kPermanent, 'P'}, {kUnprioritized, 'U'}, {kPrioritized, 'Z'}};
    for (const auto& l : kLetters) {
        if (service.characteristics() & l.flag)
            chars.push_back(l.letter);
    }
    chars.push_back('>');
    line(level, chars);
    line(level, "Relative priority: (" + std::to_string(service.relativePriority()) + ")");
    writeSection(level, "Input data definition:", service.inputData());
    writeSection(level, "Output data definition:", service.outputData());
    writeSection(level, "Server code:", service.serverCode());
}

namespace {

void writeModuleFileText(ModuleFileWriter& writer, const OxaModule& module) {
    writer.text().append("Format info: [");
    writer.text().append(kFormatInfo);
    writer.text().append("]");
    writer.text().append(kLineEnd);
    writer.writeModule(module, 0);
}

}  // namespace

std::string moduleFileText(const OxaModule& module,
                           const catalogues::ComponentCatalogue& catalogue) {
    ModuleFileWriter writer(catalogue);
    writeModuleFileText(writer, module);
    return std::move(writer.text());
}

bool saveModuleFile(OxaModule& module, std::string_view path,
                    const catalogues::ComponentCatalogue& catalogue) {
    if (path.empty())
        return false;
    // A file that stands under the name must be one this save may replace:
    // an existing file that can be opened for writing.
    platform::FileStatus old = platform::fileStatus(path);
    if (old.exists && !platform::openExisting(path))
        return false;

    std::string temporary;
    for (int n = 0;; ++n) {
        temporary = std::string(path) + ".saving" + (n == 0 ? std::string() : std::to_string(n));
        if (!platform::fileStatus(temporary).exists)
            break;
        if (n > 1000)
            return false;
    }
    platform::File out = platform::createFile(temporary);
    if (!out)
        return false;
    // The text goes out as it is written; the appendix starts after its "$".
    ModuleFileWriter writer(catalogue);
    writer.setSink(&out);
    writeModuleFileText(writer, module);
    const std::uint64_t endOfText = writer.size();
    bool ok = writer.flush();
    if (ok && module.externals().hasStore()) {
        ok = module.externals().store()->appendTo(out, endOfText);
    }
    ok = ok && out.flushToDisk();
    ok = out.close() && ok;
    if (!ok || !platform::renameFile(temporary, path)) {
        platform::deleteFile(temporary);
        return false;
    }
    module.setFilePath(path);
    return true;
}

}  // namespace orven::model::persistence
