// Exports of other modules' signals and callable services: scratch lists
// filled from another module's file (or from the current module) and read
// entry by entry.
#include <cstddef>
#include <iterator>
#include <memory>
#include <string>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "model/OtherModules.h"
#include "model/OxaModule.h"
#include "orven.h"

using namespace orven;
using orven::api::guarded;
using orven::api::textIn;
using orven::api::textOut;

namespace {

bool validPosition(int position, std::size_t count) {
    return position >= 0 && static_cast<std::size_t>(position) < count;
}

std::unique_ptr<model::OxaModule> otherModule(const char* path) {
    return model::loadOtherModule(textIn(path), engine().externalsDirectory, engine().catalogue);
}

}  // namespace

ORVEN_API ReadOtherModuleDefinedSignals(const char* moduleFilePath) {
    return guarded([&] {
        std::unique_ptr<model::OxaModule> other = otherModule(moduleFilePath);
        if (!other)
            return 0;
        engine().otherModules.signals = other->signals();
        engine().otherModules.signalsModuleName = other->name();
        return 1;
    });
}

ORVEN_API NumberOfOtherDefinedSignals(void) {
    return guarded([&] { return static_cast<int>(engine().otherModules.signals.size()); });
}

ORVEN_API ReadOtherDefinedSignal(int position, char* nameBuffer, int nameSize, char* kindOut,
                                 char* codeBuffer, int codeSize) {
    return guarded([&] {
        const model::SignalMap& signals = engine().otherModules.signals;
        if (nameBuffer == nullptr || kindOut == nullptr || codeBuffer == nullptr ||
            !validPosition(position, signals.size())) {
            return 0;
        }
        auto it = signals.begin();
        std::advance(it, position);
        textOut(it->first, nameBuffer, nameSize);
        *kindOut = model::signalKindLetter(it->second.kind());
        textOut(it->second.code(), codeBuffer, codeSize);
        return 1;
    });
}

ORVEN_API OtherDefinedSignalsModuleName(char* buffer, int size) {
    return guarded([&] {
        if (buffer == nullptr)
            return 0;
        textOut(engine().otherModules.signalsModuleName, buffer, size);
        return 1;
    });
}

ORVEN_API LoadOtherModuleAsDependencies(const char* moduleFilePath) {
    return guarded([&] {
        std::unique_ptr<model::OxaModule> other = otherModule(moduleFilePath);
        if (!other)
            return 0;
        return model::fillWithCallableServices(*other, engine().otherModules.dependencies) ? 1 : 0;
    });
}

ORVEN_API LoadThisModuleAsDependencies(void) {
    return guarded([&] {
        if (!engine().module)
            return 0;
        return model::fillWithCallableServices(*engine().module, engine().otherModules.dependencies)
                   ? 1
                   : 0;
    });
}

ORVEN_API NumberOfDependenciesOtherModule(void) {
    return guarded([&] { return static_cast<int>(engine().otherModules.dependencies.size()); });
}

ORVEN_API ReadOtherModuleDependency(int position, char* moduleBuffer, char* serviceBuffer,
                                    int moduleSize, int serviceSize, float* pair) {
    return guarded([&] {
        const model::DependencyList& list = engine().otherModules.dependencies;
        if (moduleBuffer == nullptr || serviceBuffer == nullptr || pair == nullptr ||
            !validPosition(position, list.size())) {
            return 0;
        }
        const model::ModuleDependency* d = list.at(static_cast<std::size_t>(position));
        textOut(d->moduleName(), moduleBuffer, moduleSize);
        textOut(d->serviceName(), serviceBuffer, serviceSize);
        pair[0] = d->timeRestriction().minimum();
        pair[1] = d->timeRestriction().maximum();
        return 1;
    });
}

ORVEN_API ClearOtherModuleDependencies(void) {
    return guarded([&] {
        engine().otherModules.dependencies.clear();
        return 1;
    });
}

ORVEN_API ReadOtherModuleAsWholeDependency(const char* moduleFilePath, char* moduleBuffer,
                                           char* serviceBuffer, int moduleSize, int serviceSize,
                                           float* pair) {
    return guarded([&] {
        std::unique_ptr<model::OxaModule> other = otherModule(moduleFilePath);
        if (!other)
            return 0;
        textOut(other->name(), moduleBuffer, moduleSize);
        textOut("", serviceBuffer, serviceSize);
        if (pair != nullptr) {
            pair[0] = 0.0f;
            pair[1] = 0.0f;
        }
        return 1;
    });
}
