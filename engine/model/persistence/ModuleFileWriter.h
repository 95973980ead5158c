// Writes the text part of module files: every object with its heading, its
// name, description and link lines and its own lines, free texts as
// compact blocks, each line ended by carriage return and line feed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ExternalEntry.h"
#include "model/ModuleExternals.h"

namespace orven::platform {
class File;
}

namespace orven::catalogues {
class ComponentCatalogue;
}

namespace orven::model {
class DesignObject;
class LinkedObject;
class ContainerObject;
class OxaModule;
class GroupOfServices;
class Service;
class TimeRestriction;
class DependencyList;
class CodeSection;
}  // namespace orven::model

namespace orven::model::persistence {

// The format text of the module files this engine writes and reads.
inline constexpr std::string_view kFormatInfo = "FF200704";

// "[" minimum "," maximum "]", each "INF" when not set or in the "%f"
// layout (six decimals), independent of the process's locale.
std::string timeRestrictionText(const TimeRestriction& restriction);
// "(" count ")" then " [path]/[name]@date " per entry ("[*]" for an unknown
// path).
std::string externalListText(const ExternalList& list);
// "{(" count ") " entries separated by ", " "}".
std::string dependencyListText(const DependencyList& list);

class ModuleFileWriter {
  public:
    explicit ModuleFileWriter(const catalogues::ComponentCatalogue& catalogue)
        : catalogue_(catalogue) {}

    // The object at a nesting level (tabs), chosen by its class.
    void writeObject(const LinkedObject& object, int level);
    void writeModule(const OxaModule& module, int level);
    void writeGroup(const GroupOfServices& group, int level);
    void writeService(const Service& service, int level);

    // What the object writers have in common: heading, name, description and
    // link lines; for containers the included objects.
    void writeCommonLines(const LinkedObject& object, int level);
    void writeIncludedObjects(const ContainerObject& container, int level);

    void line(int level, std::string_view text);
    std::string& text() { return out_; }

    // Sends the text to an open file as it grows instead of keeping it
    // whole; flush() writes what is left. False once a write failed.
    void setSink(platform::File* sink) { sink_ = sink; }
    bool flush();
    // Bytes written so far, to the sink and into the text.
    std::uint64_t size() const { return flushed_ + out_.size(); }

  private:
    void writeSection(int level, std::string_view label, const CodeSection& section);
    void flushIfLarge() {
        if (sink_ != nullptr && out_.size() >= (1u << 20))
            flush();
    }

    const catalogues::ComponentCatalogue& catalogue_;
    std::string out_;
    platform::File* sink_ = nullptr;
    std::uint64_t flushed_ = 0;
    bool sinkFailed_ = false;
};

// The whole text part of a module file: the format line, the module at
// level 0, through the end-of-text "$".
std::string moduleFileText(const OxaModule& module,
                           const catalogues::ComponentCatalogue& catalogue);

// Saves the module into its file: the text part, then (when the module has
// a store) the appendix of its external files. The new file is written
// completely beside the old one and then takes its name, so a failed save
// leaves the previous file as it was. False on any failure; on success the
// path becomes the module's file path.
bool saveModuleFile(OxaModule& module, std::string_view path,
                    const catalogues::ComponentCatalogue& catalogue);

}  // namespace orven::model::persistence
