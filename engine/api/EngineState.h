// The one engine-state object behind the exports: everything the engine
// keeps between two calls. Exports reach it through engine().
#pragma once

#include <memory>
#include <string>

// ---- model includes

// ---- catalogue includes
#include "catalogues/ComponentCatalogue.h"
#include "catalogues/Deportabilization.h"

// ---- macro-script includes

// ---- application includes

// ---- build includes

namespace orven {

struct EngineState {
    // Set by InitializeOrvenInterface once the catalogue is loaded.
    bool ready = false;
    // Directory of the temporary copies of external files (under 160 bytes).
    std::string externalsDirectory = "externals";

    // ---- model: current module, other modules' scratch lists, read externals

    // ---- catalogues: component catalogue, deportabilization backup
    catalogues::ComponentCatalogue catalogue;
    catalogues::Deportabilization deportabilizationBackup;
    bool deportabilizationBackupTaken = false;

    // ---- macro scripts: the current script of the code assistant

    // ---- applications: current application and priority calculator

    // ---- build: the error list of the last automatic build
};

EngineState& engine();

}  // namespace orven
