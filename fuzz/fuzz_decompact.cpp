// Compact text blocks of any shape: decoding never crashes or allocates more
// than the block gives, and what it decodes survives being written and
// decoded again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "api/orven.h"
#include "model/persistence/CompactText.h"

using orven::model::persistence::decodeCompactText;
using orven::model::persistence::writeCompactText;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string block(reinterpret_cast<const char*>(data), size);
    const std::string decoded = decodeCompactText(block);
    // At most one byte for every two characters of the block.
    require(decoded.size() <= block.size() / 2 + 1);
    for (int level : {0, 3}) {
        const std::string again = writeCompactText(decoded, level);
        require(decodeCompactText(again.substr(1)) == decoded);
    }
    // The export takes the text up to its first zero byte.
    char buffer[64];
    require(DecompactText(block.c_str(), buffer, sizeof buffer) == 1);
    require(DecompactText(block.c_str(), nullptr, 0) == 1);
    return 0;
}
