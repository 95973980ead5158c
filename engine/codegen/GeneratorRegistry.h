// The generators of the system, numbered from 0, and the factory through
// which every exported call creates the generator it uses.
#pragma once

#include <memory>

#include "catalogues/ComponentCatalogue.h"
#include "codegen/CodeGenerator.h"

namespace orven::model {
class OxaModule;
}

namespace orven::codegen {

// 1: index 0 is the CORBA C++ generator.
int numberOfGenerators();

// A new generator bound to the module (which may be absent); none for an
// index that has no generator.
std::unique_ptr<CodeGenerator> createGenerator(int index, model::OxaModule* module,
                                               const catalogues::ComponentCatalogue& catalogue);

}  // namespace orven::codegen
