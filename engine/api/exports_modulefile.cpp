// Exports of the module file: saving, loading and the decoding of one
// compact text block.
#include "api/Boundary.h"
#include "model/persistence/CompactText.h"
#include "orven.h"

using namespace orven;

ORVEN_API DecompactText(const char* blockText, char* buffer, int size) {
    api::guarded([&] {
        std::string text = model::persistence::decodeCompactText(api::textIn(blockText));
        api::textOut(text, buffer, size);
        return 1;
    });
    return 1;
}
