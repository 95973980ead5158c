// What every stage of a generation run shares: the module, the engine
// directory (the working directory at the start of the run, to which every
// stage returns), the output directory, the resource paths and an optional
// trace of the macro registrations.
#pragma once

#include <string>
#include <string_view>

namespace orven::model {
class OxaModule;
}

namespace orven::codegen {

class RegistrationTrace;

// The code-generation resources, relative to the engine directory.
inline constexpr std::string_view kResourceDirectory = "codegeneration/WindowsACE51TAO11CPP/";
inline constexpr std::string_view kCodeScriptsFile = "scripts.tpx";
inline constexpr std::string_view kAtomLibraryFile = "quenoratoms.tpx";
inline constexpr std::string_view kOtherFilesList = "otherfileslist.txt";
inline constexpr std::string_view kVoxlTree = "voxl";
inline constexpr std::string_view kAceTaoTree = "ACE51TAO11";
// The version text written into every generated file.
inline constexpr std::string_view kOrvenVersion = "03.800";
// The IDL compiler's command.
inline constexpr std::string_view kIdlCompiler = "tao_idl";

// a + "/" + b.
std::string joinPath(std::string_view a, std::string_view b);

struct GenerationContext {
    const model::OxaModule* module = nullptr;
    std::string engineDirectory;
    std::string outputDirectory;
    // When set, every macro registration of the stages is recorded here.
    RegistrationTrace* trace = nullptr;

    // engine directory + "/" + resource directory + name.
    std::string resource(std::string_view name) const;
    // output directory + "/" + name.
    std::string output(std::string_view name) const { return joinPath(outputDirectory, name); }
    // Enters the engine directory again; false when that fails.
    bool returnToEngineDirectory() const;
};

}  // namespace orven::codegen
