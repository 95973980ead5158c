// Exports of the module file: saving, loading and the decoding of one
// compact text block.
#include <memory>
#include <string>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "model/OxaModule.h"
#include "model/persistence/CompactText.h"
#include "model/persistence/ModuleFileReader.h"
#include "model/persistence/ModuleFileWriter.h"
#include "orven.h"

using namespace orven;
using orven::api::guarded;
using orven::api::textIn;
using orven::api::textOut;

ORVEN_API SaveOXAModule(const char* filePath) {
    return guarded([&] {
        model::OxaModule* m = engine().module.get();
        if (m == nullptr)
            return 0;
        return model::persistence::saveModuleFile(*m, textIn(filePath), engine().catalogue) ? 1
                                                                                            : 0;
    });
}

ORVEN_API LoadOXAModule(const char* filePath, int errorSize, char* errorBuffer) {
    api::clearOut(errorBuffer, errorSize);
    std::string message = "Could not create empty module";
    int result = guarded([&] {
        std::unique_ptr<model::OxaModule> module;
        if (!model::persistence::loadModuleFile(textIn(filePath), engine().externalsDirectory,
                                                model::kTemporaryGroupName, engine().catalogue,
                                                module, message)) {
            return 0;
        }
        engine().module = std::move(module);
        return 1;
    });
    if (result == 0)
        textOut(message, errorBuffer, errorSize);
    return result;
}

ORVEN_API DecompactText(const char* blockText, char* buffer, int size) {
    guarded([&] {
        std::string text = model::persistence::decodeCompactText(textIn(blockText));
        textOut(text, buffer, size);
        return 1;
    });
    return 1;
}
