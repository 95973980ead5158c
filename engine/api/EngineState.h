// The one engine-state object behind the exports: everything the engine
// keeps between two calls. Exports reach it through engine().
#pragma once

#include <memory>
#include <string>

// ---- model includes
#include "model/OtherModules.h"
#include "model/OxaModule.h"

// ---- catalogue includes
#include "catalogues/ComponentCatalogue.h"
#include "catalogues/Deportabilization.h"

// ---- macro-script includes
#include "macroscript/MacroScript.h"

// ---- application includes
#include "applications/Application.h"
#include "applications/PriorityCalculator.h"

// ---- build includes
#include <vector>

#include "codegen/BuildOutput.h"

namespace orven {

struct EngineState {
    // Set by InitializeOrvenInterface once the catalogue is loaded.
    bool ready = false;
    // Directory of the temporary copies of external files (under 160 bytes).
    std::string externalsDirectory = "externals";

    // ---- model: current module, other modules' scratch lists, read externals
    // The current module, or none.
    std::unique_ptr<model::OxaModule> module;
    // The current module's group of that name; none without module or group.
    model::GroupOfServices* findGroup(std::string_view name) const {
        return module ? module->findGroup(name) : nullptr;
    }
    // The service of that group of the current module, or none.
    model::Service* findService(std::string_view group, std::string_view service) const {
        return module ? module->findService(group, service) : nullptr;
    }
    // The external code entries last read from a project file.
    model::ExternalList readExternals;
    // Another module's signals and name, and a list of callable services.
    model::OtherModules otherModules;

    // ---- catalogues: component catalogue, deportabilization backup
    catalogues::ComponentCatalogue catalogue;
    catalogues::Deportabilization deportabilizationBackup;
    bool deportabilizationBackupTaken = false;

    // ---- macro scripts: the current script of the code assistant
    std::unique_ptr<macroscript::MacroScript> macroScript;

    // ---- applications: current application and priority calculator
    std::unique_ptr<applications::OrvenApplication> application;
    // The calculator of the last successful calculation, or none.
    std::unique_ptr<applications::PriorityCalculator> priorityCalculator;

    // ---- build: the error list of the last automatic build
    std::vector<codegen::BuildMessage> buildErrors;
};

EngineState& engine();

}  // namespace orven
