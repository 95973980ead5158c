#include "codegen/GenerationOptions.h"

namespace orven::codegen {

namespace {
// The CORBA C++ generator's option string: the designer builds it in this
// order from its check boxes.
constexpr GenerationFlag kCorbaCppLayout[] = {
    GenerationFlag::ModuleIdl,
    GenerationFlag::CompileIdl,
    GenerationFlag::ImplementationClasses,
    GenerationFlag::MainFile,
    GenerationFlag::ProjectFiles,
    GenerationFlag::GlobalIdl,
    GenerationFlag::CopyOtherFiles,
    GenerationFlag::StopOnIdlError,
    GenerationFlag::ForceIdlSuccess,
    GenerationFlag::WithMfc,
    GenerationFlag::WithVoxl,
};
static_assert(std::size(kCorbaCppLayout) == GenerationOptions::kFlagCount);
}  // namespace

std::span<const GenerationFlag> optionStringLayout(int generator) {
    if (generator == 0)
        return kCorbaCppLayout;
    return {};
}

bool decodeOptionString(int generator, std::string_view text, GenerationOptions& options) {
    std::span<const GenerationFlag> layout = optionStringLayout(generator);
    if (layout.empty() || text.size() != layout.size())
        return false;
    GenerationOptions decoded;
    for (std::size_t i = 0; i < layout.size(); ++i)
        decoded.set(layout[i], text[i] == '*');
    options = decoded;
    return true;
}

std::string encodeOptionString(int generator, const GenerationOptions& options) {
    std::span<const GenerationFlag> layout = optionStringLayout(generator);
    std::string text;
    text.reserve(layout.size());
    for (GenerationFlag flag : layout)
        text.push_back(options.get(flag) ? '*' : ' ');
    return text;
}

}  // namespace orven::codegen
