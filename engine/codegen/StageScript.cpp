#include "codegen/StageScript.h"

#include <new>

#include "codegen/RegistrationTrace.h"
#include "platform/Platform.h"

namespace orven::codegen {

bool StageScript::open(const GenerationContext& context, std::string_view path,
                       std::string_view notFound, std::string_view notCreated, std::string& error) {
    trace_ = context.trace;
    std::string text;
    if (!platform::readWholeFile(path, text, true)) {
        error = std::string(notFound);
        return false;
    }
    try {
        script_ = std::make_unique<macroscript::MacroScript>(std::move(text));
    } catch (const std::bad_alloc&) {
        error = std::string(notCreated);
        return false;
    }
    return true;
}

bool StageScript::macro(std::string_view name, std::string_view value) {
    if (trace_)
        trace_->add(Registration::macro(std::string(name), std::string(value)));
    return script_->RegisterMacro(name, value);
}

bool StageScript::repetition(std::string_view zone, std::string_view area, std::string_view name,
                             std::uint32_t index, std::string_view value) {
    if (trace_) {
        trace_->add(Registration::repetition(std::string(zone), std::string(area),
                                             std::string(name), index, std::string(value)));
    }
    return script_->RegisterRepetitionMacro(zone, area, name, index, value);
}

void StageScript::clean() {
    if (trace_)
        trace_->add(Registration::clean());
    script_->CleanMacros();
}

bool StageScript::apply(std::string_view zone, std::string& text) {
    text.clear();
    return script_->ApplyZone(zone, text, 0, '\t');
}

bool writeGeneratedFile(std::string_view path, std::string_view text) {
    platform::File f = platform::createFile(path);
    if (!f)
        return false;
    bool written = f.write(text);
    return f.close() && written;
}

}  // namespace orven::codegen
