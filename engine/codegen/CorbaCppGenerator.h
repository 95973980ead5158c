// The one generator of the system: CORBA C++ for ACE+TAO and Visual C++ 6.0
// projects. It runs the stages of a generation in their fixed order.
#pragma once

#include <string>
#include <string_view>

#include "catalogues/ComponentCatalogue.h"
#include "codegen/CodeGenerator.h"

namespace orven::model {
class OxaModule;
}

namespace orven::codegen {

class RegistrationTrace;

class CorbaCppGenerator : public CodeGenerator {
  public:
    // Bound to the module (none allowed); the catalogue is where the
    // supported components are looked up.
    CorbaCppGenerator(model::OxaModule* module, const catalogues::ComponentCatalogue& catalogue)
        : module_(module), catalogue_(catalogue) {}

    bool CanHandleModule() const override;
    bool GetSupportedPlatforms(catalogues::Deportabilization& selection) const override;
    catalogues::CodificationLanguage GetCodificationLanguage() const override;
    bool GetCompiler(std::string& compiler) const override;
    // The automatic verification of the module's code (-1 without module).
    int Validate(bool fix, std::string& report) override;
    std::string GetName() const override;
    bool GenerateCode(std::string_view outputDirectory, int maxMessageLength, std::string& error,
                      const GenerationOptions* options) override;
    GenerationOptions* GetDefaultOptions(GenerationOptions* options) const override;
    bool PredictOptions(int changeKind, GenerationOptions* options) const override;

    // Records the macro registrations of the next runs (none to stop).
    void setTrace(RegistrationTrace* trace) { trace_ = trace; }

  private:
    bool runStages(std::string_view outputDirectory, std::string& error,
                   const GenerationOptions* options);

    model::OxaModule* module_;
    const catalogues::ComponentCatalogue& catalogue_;
    RegistrationTrace* trace_ = nullptr;
};

}  // namespace orven::codegen
