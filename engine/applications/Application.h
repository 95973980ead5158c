// Applications: a named set of conceptual units, each a named set of
// modules read from their module files.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "model/DesignObject.h"
#include "model/OxaModule.h"

namespace orven::model::persistence {
class ModuleFileReader;
}

namespace orven::applications {

class ConceptualUnit : public model::ContainerObject {
  public:
    using ContainerObject::ContainerObject;
    ~ConceptualUnit() override;

    std::string heading() const override { return "Conceptual Unit: "; }
    std::string typeTag() const override { return "CU"; }

    std::size_t moduleCount() const { return includedCount(); }
    // The module at position k in name order, or none.
    model::OxaModule* moduleAt(std::size_t k) const {
        return dynamic_cast<model::OxaModule*>(includedAt(k));
    }

  protected:
    bool accepts(const model::LinkedObject& object) const override;
};

class OrvenApplication : public model::ContainerObject {
  public:
    using ContainerObject::ContainerObject;
    ~OrvenApplication() override;

    std::string heading() const override { return "ORVEN Application: "; }
    std::string typeTag() const override { return "App"; }

    std::size_t unitCount() const { return includedCount(); }
    ConceptualUnit* unitAt(std::size_t k) const {
        return dynamic_cast<ConceptualUnit*>(includedAt(k));
    }
    // Adds an empty unit; false for a name with "[" or "]" or one taken.
    bool addUnit(std::string name, std::string description);
    // The module at (unit, module) positions, or none.
    model::OxaModule* moduleAt(std::size_t unit, std::size_t module) const;

  protected:
    bool accepts(const model::LinkedObject& object) const override;
};

// Reads a conceptual unit in its stored form: its heading line, the name,
// description and link lines, a line with a parenthesised value that is not
// used, the line with the number n of modules in parentheses, then n lines
// each holding a module file path in brackets. Each path names a module
// file that is read into a module of the unit; an empty path is passed
// over, and neither an unreadable file nor a module name already present
// fails the read. With skip-ahead on, lines that do not fit are passed over
// up to the count line.
bool readConceptualUnit(model::persistence::ModuleFileReader& reader, ConceptualUnit& unit,
                        std::string_view expectedLink, bool skipAhead);

// Lets a module-file reader read the conceptual units that an application
// includes (tag "CU").
void enableConceptualUnits(model::persistence::ModuleFileReader& reader);

}  // namespace orven::applications
