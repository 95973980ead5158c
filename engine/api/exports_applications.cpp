// Exports of applications: conceptual units of modules read from their
// files, and the calculation of absolute priorities over them.
#include <cstddef>
#include <memory>
#include <string>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "applications/Application.h"
#include "applications/PriorityCalculator.h"
#include "model/TextRules.h"
#include "model/persistence/ModuleFileReader.h"
#include "orven.h"
#include "platform/Platform.h"

using namespace orven;
using orven::api::guarded;
using orven::api::textIn;
using orven::api::textOut;
using orven::applications::ConceptualUnit;

namespace {

ConceptualUnit* unitAt(int position) {
    if (!engine().application || position < 0)
        return nullptr;
    return engine().application->unitAt(static_cast<std::size_t>(position));
}

model::OxaModule* moduleAt(int unit, int module) {
    ConceptualUnit* u = unitAt(unit);
    if (u == nullptr || module < 0)
        return nullptr;
    return u->moduleAt(static_cast<std::size_t>(module));
}

void discardApplication() {
    engine().priorityCalculator.reset();
    engine().application.reset();
}

}  // namespace

ORVEN_API CreateNewApplication(const char* name, const char* description) {
    return guarded([&] {
        discardApplication();
        std::string n = textIn(name);
        if (!model::isValidName(n))
            return 0;
        engine().application =
            std::make_unique<applications::OrvenApplication>(std::move(n), textIn(description));
        return 1;
    });
}

ORVEN_API DeleteCurrentApplication(void) {
    return guarded([&] {
        discardApplication();
        return 1;
    });
}

ORVEN_API ExistsApplication(void) {
    return guarded([&] { return engine().application ? 1 : 0; });
}

ORVEN_API NumberOfPriorityCalculators(void) {
    return 1;
}

ORVEN_API NameOfPriorityCalculator(int calculatorIndex, char* buffer, int size) {
    return guarded([&] {
        if (calculatorIndex != 0)
            return 0;
        textOut(applications::QuenorPriorityCalculator::kName, buffer, size);
        return 1;
    });
}

ORVEN_API CalculatePrioritiesOfApplication(int calculatorIndex) {
    return guarded([&] {
        engine().priorityCalculator.reset();
        if (!engine().application || calculatorIndex != 0)
            return 0;
        auto calculator =
            std::make_unique<applications::QuenorPriorityCalculator>(*engine().application);
        if (!calculator->run())
            return 0;
        engine().priorityCalculator = std::move(calculator);
        return 1;
    });
}

ORVEN_API NumberOfPrioritiesUsed(void) {
    return guarded([&] {
        const auto& c = engine().priorityCalculator;
        return c ? static_cast<int>(c->prioritiesUsed()) : 0;
    });
}

ORVEN_API ReadPriorityStringOfModule(int unitPosition, int modulePosition, int offset, char* buffer,
                                     int size) {
    return guarded([&] {
        if (!engine().priorityCalculator || buffer == nullptr || size < 0)
            return 0;
        model::OxaModule* m = moduleAt(unitPosition, modulePosition);
        if (m == nullptr)
            return 0;
        const std::string text = applications::priorityString(*m, offset);
        textOut(text, buffer, size);
        return size == 0 || text.size() < static_cast<std::size_t>(size) ? 1 : 2;
    });
}

ORVEN_API AddNewConceptualUnit(const char* name, const char* description) {
    return guarded([&] {
        if (!engine().application)
            return 0;
        return engine().application->addUnit(textIn(name), textIn(description)) ? 1 : 0;
    });
}

ORVEN_API NumberOfConceptualUnits(void) {
    return guarded([&] {
        return engine().application ? static_cast<int>(engine().application->unitCount()) : 0;
    });
}

ORVEN_API AddModuleToConceptualUnit(int unitPosition, const char* moduleFilePath, int messageSize,
                                    char* messageBuffer) {
    api::clearOut(messageBuffer, messageSize);
    std::string message;
    const int result = guarded([&] {
        if (!engine().application) {
            message = "No current application created.";
            return 0;
        }
        ConceptualUnit* unit = unitAt(unitPosition);
        if (unit == nullptr) {
            message = "Invalid Conceptual Unit index.";
            return 0;
        }
        const std::string path = textIn(moduleFilePath);
        if (!platform::openForReading(path)) {
            message = "Could not open module file.";
            return 0;
        }
        std::unique_ptr<model::OxaModule> module;
        if (!model::persistence::loadModuleFile(path, engine().externalsDirectory,
                                                model::kTemporaryGroupName, engine().catalogue,
                                                module, message)) {
            return 0;
        }
        if (!unit->include(std::move(module))) {
            message = "Could not insert module into its conceptual unit.";
            return 0;
        }
        return 1;
    });
    if (result == 0)
        textOut(message, messageBuffer, messageSize);
    return result;
}

ORVEN_API NumberOfModulesInConceptualUnit(int unitPosition) {
    return guarded([&] {
        ConceptualUnit* unit = unitAt(unitPosition);
        return unit == nullptr ? 0 : static_cast<int>(unit->moduleCount());
    });
}

ORVEN_API ModuleInConceptualUnitByOXAFile(int unitPosition, const char* filePath) {
    return guarded([&] {
        ConceptualUnit* unit = unitAt(unitPosition);
        if (unit == nullptr)
            return 0;
        const std::string path = textIn(filePath);
        for (std::size_t k = 0; k < unit->moduleCount(); ++k) {
            const std::string& own = unit->moduleAt(k)->filePath();
            if (own.empty())
                return 0;
            if (own == path)
                return static_cast<int>(k);
        }
        return static_cast<int>(unit->moduleCount());
    });
}

ORVEN_API SetModulePriorityIntoApplication(int unitPosition, int modulePosition, int priority) {
    return guarded([&] {
        model::OxaModule* m = moduleAt(unitPosition, modulePosition);
        if (m == nullptr)
            return 0;
        m->setPriority(priority);
        return 1;
    });
}
