#include "codegen/CodeGenerator.h"

namespace orven::codegen {

CodeGenerator::~CodeGenerator() = default;

int CodeGenerator::Validate(bool /*fix*/, std::string& /*report*/) {
    return 1;
}

std::string cutMessage(std::string message, int maxLength) {
    if (maxLength > 0 && message.size() > static_cast<std::size_t>(maxLength))
        message.resize(static_cast<std::size_t>(maxLength));
    return message;
}

}  // namespace orven::codegen
