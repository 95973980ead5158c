// The one engine-state object behind the exports: everything the engine
// keeps between two calls. Exports reach it through engine().
#pragma once

#include <memory>
#include <string>

// ---- model includes

// ---- catalogue includes

// ---- macro-script includes

// ---- application includes

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

    // ---- catalogues: component catalogue, deportabilization backup

    // ---- macro scripts: the current script of the code assistant

    // ---- applications: current application and priority calculator

    // ---- build: the error list of the last automatic build
    std::vector<codegen::BuildMessage> buildErrors;
};

EngineState& engine();

}  // namespace orven
