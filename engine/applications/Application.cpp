#include "applications/Application.h"

#include <cmath>

#include "model/TextRules.h"
#include "model/persistence/ModuleFileReader.h"

namespace orven::applications {

namespace {
constexpr const char* kNoName = "<no name>";
constexpr const char* kNoDescription = "<No description>";

bool bracketed(std::string_view line, char open, char close, std::string_view& out) {
    std::size_t a = line.find(open);
    if (a == std::string_view::npos)
        return false;
    std::size_t b = line.find(close, a + 1);
    if (b == std::string_view::npos)
        return false;
    out = line.substr(a + 1, b - a - 1);
    return true;
}
}  // namespace

ConceptualUnit::~ConceptualUnit() = default;

bool ConceptualUnit::accepts(const model::LinkedObject& object) const {
    return dynamic_cast<const model::OxaModule*>(&object) != nullptr;
}

OrvenApplication::~OrvenApplication() = default;

bool OrvenApplication::accepts(const model::LinkedObject& object) const {
    return dynamic_cast<const ConceptualUnit*>(&object) != nullptr;
}

bool OrvenApplication::addUnit(std::string name, std::string description) {
    if (!model::isValidName(name) || findIncluded(name) != nullptr)
        return false;
    return include(std::make_unique<ConceptualUnit>(std::move(name), std::move(description)));
}

model::OxaModule* OrvenApplication::moduleAt(std::size_t unit, std::size_t module) const {
    ConceptualUnit* u = unitAt(unit);
    return u == nullptr ? nullptr : u->moduleAt(module);
}

bool readConceptualUnit(model::persistence::ModuleFileReader& reader, ConceptualUnit& unit,
                        std::string_view expectedLink, bool skipAhead) {
    using model::persistence::trimLeading;
    std::string line;
    if (!reader.expectLine(line, skipAhead, [](std::string_view l) {
            return trimLeading(l).starts_with("Conceptual Unit: ");
        })) {
        return false;
    }
    if (!reader.readCommonLines(unit, expectedLink, skipAhead))
        return false;
    std::string_view value;
    if (!reader.expectLine(line, skipAhead,
                           [&](std::string_view l) { return bracketed(l, '(', ')', value); })) {
        return false;
    }
    if (!reader.expectLine(line, skipAhead,
                           [&](std::string_view l) { return bracketed(l, '(', ')', value); })) {
        return false;
    }
    double n = model::persistence::parseDecimal(value);
    if (std::isnan(n) || n < 0)
        n = 0;
    const auto count = static_cast<long long>(std::trunc(n > 1e15 ? 1e15 : n));
    for (long long k = 0; k < count; ++k) {
        std::string_view path;
        if (!reader.input().getLine(line) || !bracketed(line, '[', ']', path))
            return false;
        if (path.empty())
            continue;
        std::unique_ptr<model::OxaModule> module;
        std::string message;
        if (!model::persistence::loadModuleFile(path, reader.externalsDirectory(),
                                                model::kTemporaryGroupName, reader.catalogue(),
                                                module, message)) {
            // A file that cannot be read gives a module that only has the
            // names of a new one.
            module = std::make_unique<model::OxaModule>(kNoName, kNoDescription,
                                                        reader.externalsDirectory());
        }
        // A module whose name is already present is not included.
        unit.include(std::move(module));
    }
    return true;
}

void enableConceptualUnits(model::persistence::ModuleFileReader& reader) {
    reader.setIncludedReader([](model::persistence::ModuleFileReader& r,
                                model::ContainerObject& container, std::string_view tag,
                                bool skipAhead, bool& handled) {
        handled = false;
        if (tag != "CU" || dynamic_cast<OrvenApplication*>(&container) == nullptr)
            return false;
        auto unit = std::make_unique<ConceptualUnit>(kNoName, kNoDescription);
        if (!readConceptualUnit(r, *unit, container.name(), skipAhead))
            return false;
        handled = true;
        return container.include(std::move(unit));
    });
}

}  // namespace orven::applications
