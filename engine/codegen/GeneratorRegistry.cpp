#include "codegen/GeneratorRegistry.h"

#include "codegen/CorbaCppGenerator.h"

namespace orven::codegen {

int numberOfGenerators() {
    return 1;
}

std::unique_ptr<CodeGenerator> createGenerator(int index, model::OxaModule* module,
                                               const catalogues::ComponentCatalogue& catalogue) {
    if (index == 0)
        return std::make_unique<CorbaCppGenerator>(module, catalogue);
    return nullptr;
}

}  // namespace orven::codegen
