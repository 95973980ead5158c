// Reads the text part of module files, object by object, and loads a whole
// module file with its appendix of external files.
//
// Each reader takes the lines of its object in order. With the skip-ahead
// switch on, lines that are not the expected one are passed over; module
// files are read with it off, so every expected line must come next. Every
// reader stops at the end of the input and fails there.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/persistence/TextReader.h"

namespace orven::catalogues {
class ComponentCatalogue;
}

namespace orven::model {
class LinkedObject;
class ContainerObject;
class OxaModule;
class GroupOfServices;
class Service;
class TimeRestriction;
class CodeSection;
}  // namespace orven::model

namespace orven::model::persistence {

// The messages of the module-file loader.
namespace messages {
inline constexpr const char* kNoObject = "No name/description/link";
}

// "[" minimum "," maximum "]" as the module file writes it; an unset
// restriction for a text that does not hold the form or a refused pair.
TimeRestriction parseTimeRestriction(std::string_view text);

// The C library's reading of a leading decimal number (blanks, sign,
// digits): 0 without a number; values beyond the range are clamped.
long long parseInteger(std::string_view text);
// A leading decimal floating-point number; 0 without a number.
double parseDecimal(std::string_view text);

// Whether a line is the labelled line: the text between the line's first
// occurrence of the label's first character and the next ":" equals the
// label without its first character (and its ":"). On success, rest is the
// text after that ":".
bool matchLabel(std::string_view line, std::string_view label, std::string_view* rest = nullptr);

class ModuleFileReader {
  public:
    // Reads an included object of another class than the model's own
    // (conceptual units): given the tag, it creates and reads the object
    // after its "Included object" line and includes it; false on failure.
    using IncludedReader = std::function<bool(ModuleFileReader& reader, ContainerObject& container,
                                              std::string_view tag, bool skipAhead, bool& handled)>;

    ModuleFileReader(TextReader& in, const catalogues::ComponentCatalogue& catalogue,
                     std::string externalsDirectory)
        : in_(in), catalogue_(catalogue), externalsDirectory_(std::move(externalsDirectory)) {}

    TextReader& input() { return in_; }
    const catalogues::ComponentCatalogue& catalogue() const { return catalogue_; }
    const std::string& externalsDirectory() const { return externalsDirectory_; }
    void setIncludedReader(IncludedReader reader) { includedReader_ = std::move(reader); }

    // The message of the first failure.
    const std::string& message() const { return message_; }
    void setMessage(std::string message) { message_ = std::move(message); }

    // The object readers, from the name line after the heading on; the link
    // line must name expectedLink.
    bool readModule(OxaModule& module, std::string_view expectedLink, bool skipAhead);
    bool readGroup(GroupOfServices& group, std::string_view expectedLink, bool skipAhead);
    bool readService(Service& service, std::string_view expectedLink, bool skipAhead);

    // The lines that every object has: name, description with its block,
    // link.
    bool readCommonLines(LinkedObject& object, std::string_view expectedLink, bool skipAhead);
    // The "Includes (n) objects." line and the n included objects.
    bool readIncludedObjects(ContainerObject& container, bool skipAhead);

    // The next line that satisfies the test; with skip-ahead off it must be
    // the very next line. False at the end of the input.
    bool expectLine(std::string& line, bool skipAhead,
                    const std::function<bool(std::string_view)>& fits);
    // A compact block: its "CompactStr(" line through its "EndCompactStr"
    // line. A first line that opens no block gives the empty text.
    bool readCompactBlock(std::string& text);
    // A labelled code section: the label line with the time restriction,
    // then the block.
    bool readSection(std::string_view label, CodeSection& section, bool skipAhead);

    // Where the text part ended: the byte after the end-of-text "$" of the
    // last module read.
    std::uint64_t endOfText() const { return endOfText_; }

  private:
    bool readModuleLines(OxaModule& module, bool skipAhead);
    bool readDependencies(OxaModule& module);
    bool readSignals(OxaModule& module);

    TextReader& in_;
    const catalogues::ComponentCatalogue& catalogue_;
    std::string externalsDirectory_;
    IncludedReader includedReader_;
    std::string message_;
    std::string line_;
    std::uint64_t endOfText_ = 0;
};

// Reads a module file into a new module (named "<no name>" with the
// description "<No description>" until the file names it) whose store is
// made in the externals directory under the group name; the embedded
// external files are extracted into it. False with the loader's message
// when the file cannot be read; out is then left empty.
bool loadModuleFile(std::string_view path, std::string_view externalsDirectory,
                    std::string_view groupName, const catalogues::ComponentCatalogue& catalogue,
                    std::unique_ptr<OxaModule>& out, std::string& message);

// The same from a text in memory (the module's external files are then not
// extracted): for checks of the text part alone.
bool readModuleText(std::string_view text, const catalogues::ComponentCatalogue& catalogue,
                    std::unique_ptr<OxaModule>& out, std::string& message);

}  // namespace orven::model::persistence
