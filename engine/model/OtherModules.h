// What the engine keeps of another module for the designer: that module's
// signals and name, and a list of callable services (of another module or
// of the current one).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/Dependencies.h"
#include "model/Signals.h"

namespace orven::catalogues {
class ComponentCatalogue;
}

namespace orven::model {

class OxaModule;

struct OtherModules {
    SignalMap signals;
    std::string signalsModuleName;
    DependencyList dependencies;
};

// Fills the list with the callable services of a module: every service,
// group by group and service by service in name order, that is neither a
// handler nor a monitor, with the time restriction of its server code.
// When two groups hold callable services of the same name, the list is
// emptied and the result is false.
bool fillWithCallableServices(const OxaModule& module, DependencyList& list);

// Reads another module's file into a module of its own, with the full load
// of module files; the current module is not touched. None when the file
// cannot be loaded. The module's external files live in new temporary
// files until the module is discarded.
std::unique_ptr<OxaModule> loadOtherModule(std::string_view path,
                                           std::string_view externalsDirectory,
                                           const catalogues::ComponentCatalogue& catalogue);

}  // namespace orven::model
