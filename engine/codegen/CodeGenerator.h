// The generator interface: a generator turns the current module into the
// sources, interface definitions and project files of one target, checks
// the module's code for it, and says what it supports.
#pragma once

#include <string>
#include <string_view>

#include "catalogues/CodificationLanguage.h"
#include "catalogues/Deportabilization.h"
#include "codegen/GenerationOptions.h"

namespace orven::codegen {

class CodeGenerator {
  public:
    virtual ~CodeGenerator();

    // Whether the generator can generate the module it is bound to.
    virtual bool CanHandleModule() const = 0;
    // Fills the selection with the components the generator supports.
    virtual bool GetSupportedPlatforms(catalogues::Deportabilization& selection) const = 0;
    virtual catalogues::CodificationLanguage GetCodificationLanguage() const = 0;
    virtual bool GetCompiler(std::string& compiler) const = 0;
    // Checks (and with fix repairs) the module's code for the target; 1 when
    // nothing was found. This default finds nothing and leaves the report
    // alone.
    virtual int Validate(bool fix, std::string& report);
    virtual std::string GetName() const = 0;
    // Runs a generation into the output directory; false with a message of at
    // most maxMessageLength characters (no limit for 0) in error. A null
    // options pointer is reported as missing options.
    virtual bool GenerateCode(std::string_view outputDirectory, int maxMessageLength,
                              std::string& error, const GenerationOptions* options) = 0;
    // Writes the default options into the record; nothing for null. Returns
    // the same pointer.
    virtual GenerationOptions* GetDefaultOptions(GenerationOptions* options) const = 0;
    // Adjusts the options to a kind of change the designer made; false for a
    // change kind the generator does not know or a null record.
    virtual bool PredictOptions(int changeKind, GenerationOptions* options) const = 0;
};

// Cuts a message to at most maxLength characters; 0 or less keeps it whole.
std::string cutMessage(std::string message, int maxLength);

}  // namespace orven::codegen
