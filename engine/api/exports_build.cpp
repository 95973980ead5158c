// Exports of the automatic build and its error list, and of the
// verification of a module before generation.
#include <string>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "api/orven.h"
#include "codegen/BuildOutput.h"

using namespace orven;

ORVEN_API NumberOfErrors(void) {
    return api::guarded([&] { return static_cast<int>(engine().buildErrors.size()); });
}

ORVEN_API ReadError(int index, char* buffer, int size) {
    return api::guarded([&] {
        const auto& errors = engine().buildErrors;
        if (index < 0 || static_cast<std::size_t>(index) >= errors.size())
            return 0;
        api::textOut(codegen::buildMessageText(errors[static_cast<std::size_t>(index)]), buffer,
                     size);
        return 1;
    });
}
