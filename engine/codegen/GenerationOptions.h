// The options of a generation run: eleven yes/no flags that select the
// stages, and the option strings through which callers pass them (one
// character per flag, "*" for yes), whose layout depends on the generator.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace orven::codegen {

enum class GenerationFlag : int {
    GlobalIdl = 0,
    ModuleIdl = 1,
    CompileIdl = 2,
    ImplementationClasses = 3,
    MainFile = 4,
    ProjectFiles = 5,
    CopyOtherFiles = 6,
    StopOnIdlError = 7,
    ForceIdlSuccess = 8,
    WithMfc = 9,
    WithVoxl = 10,
};

class GenerationOptions {
  public:
    static constexpr std::size_t kFlagCount = 11;

    // Every flag cleared.
    GenerationOptions() = default;

    bool get(GenerationFlag flag) const { return flags_[index(flag)]; }
    void set(GenerationFlag flag, bool value = true) { flags_[index(flag)] = value; }
    bool operator[](GenerationFlag flag) const { return get(flag); }

    bool globalIdl() const { return get(GenerationFlag::GlobalIdl); }
    bool moduleIdl() const { return get(GenerationFlag::ModuleIdl); }
    bool compileIdl() const { return get(GenerationFlag::CompileIdl); }
    bool implementationClasses() const { return get(GenerationFlag::ImplementationClasses); }
    bool mainFile() const { return get(GenerationFlag::MainFile); }
    bool projectFiles() const { return get(GenerationFlag::ProjectFiles); }
    bool copyOtherFiles() const { return get(GenerationFlag::CopyOtherFiles); }
    bool stopOnIdlError() const { return get(GenerationFlag::StopOnIdlError); }
    bool forceIdlSuccess() const { return get(GenerationFlag::ForceIdlSuccess); }
    bool withMfc() const { return get(GenerationFlag::WithMfc); }
    bool withVoxl() const { return get(GenerationFlag::WithVoxl); }

    bool operator==(const GenerationOptions&) const = default;

  private:
    static std::size_t index(GenerationFlag flag) { return static_cast<std::size_t>(flag); }
    std::array<bool, kFlagCount> flags_{};
};

// The flag that each character of an option string stands for, in character
// order. Empty for a generator index that has no layout.
std::span<const GenerationFlag> optionStringLayout(int generator);

// Decodes an option string by the generator's layout: "*" means yes, any
// other character no. False (options unchanged) when the generator has no
// layout or the text's length is not the layout's length.
bool decodeOptionString(int generator, std::string_view text, GenerationOptions& options);

// The option string of the options by the generator's layout: "*" for yes,
// " " for no. Empty when the generator has no layout.
std::string encodeOptionString(int generator, const GenerationOptions& options);

}  // namespace orven::codegen
