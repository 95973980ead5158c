// Exports of the code generators: what each generator supports, whether it
// can generate the current module, generation itself and the prediction of
// generation options. Every call creates its generator afresh and destroys
// it before returning.
#include <memory>
#include <string>
#include <vector>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "catalogues/CodificationLanguage.h"
#include "catalogues/Deportabilization.h"
#include "codegen/GenerationOptions.h"
#include "codegen/GeneratorRegistry.h"
#include "orven.h"

using namespace orven;
using catalogues::CodificationLanguage;
using catalogues::PlatformCategory;

namespace {
std::unique_ptr<codegen::CodeGenerator> generatorFor(int n) {
    return codegen::createGenerator(n, engine().module.get(), engine().catalogue);
}

// The supported components of general platform p; false when the generator
// does not exist, p is out of range or the generator cannot say.
bool supportedOf(int n, int p, std::vector<catalogues::Component>& components) {
    PlatformCategory category = PlatformCategory::atPosition(p);
    if (category.isNone())
        return false;
    auto generator = generatorFor(n);
    if (!generator)
        return false;
    catalogues::Deportabilization selection;
    if (!generator->GetSupportedPlatforms(selection))
        return false;
    components = selection.SelectedOfCategory(category);
    return true;
}
}  // namespace

ORVEN_API NumberOfExistingGenerators(void) {
    return codegen::numberOfGenerators();
}

ORVEN_API NameOfNthExistingGenerator(int generator, char* buffer, int size) {
    return api::guarded([&] {
        auto g = generatorFor(generator);
        if (!g)
            return 0;
        api::textOut(g->GetName(), buffer, size);
        return 1;
    });
}

ORVEN_API GeneratorCanGenerate(int generator) {
    return api::guarded([&] {
        auto g = generatorFor(generator);
        return g && g->CanHandleModule() ? 1 : 0;
    });
}

ORVEN_API CodificationLanguageSupportedByNthGenerator(int generator) {
    return api::guarded(
        [&] {
            auto g = generatorFor(generator);
            if (!g)
                return -1;
            CodificationLanguage language = g->GetCodificationLanguage();
            if (language.isNone())
                return -1;
            return language.position();
        },
        -1);
}

ORVEN_API CompilerSupportedByNthGenerator(int generator, char* buffer, int size) {
    return api::guarded([&] {
        auto g = generatorFor(generator);
        std::string compiler;
        if (!g || !g->GetCompiler(compiler))
            return 0;
        api::textOut(compiler, buffer, size);
        return 1;
    });
}

ORVEN_API NumberOfPlatformsSupportedByNthGenerator(int generator, int platformPosition) {
    return api::guarded([&] {
        std::vector<catalogues::Component> components;
        if (!supportedOf(generator, platformPosition, components))
            return 0;
        return static_cast<int>(components.size());
    });
}

ORVEN_API NameOfMthPlatformSupportedByNthGenerator(int generator, int platformPosition,
                                                   int componentPosition, char* buffer, int size) {
    return api::guarded([&] {
        std::vector<catalogues::Component> components;
        if (!supportedOf(generator, platformPosition, components) || componentPosition < 0 ||
            static_cast<std::size_t>(componentPosition) >= components.size()) {
            return 0;
        }
        api::textOut(engine().catalogue.ComponentDisplayName(
                         components[static_cast<std::size_t>(componentPosition)]),
                     buffer, size);
        return 1;
    });
}

ORVEN_API Generate(int generator, const char* outputDirectory, int errorSize, char* errorBuffer,
                   const char* options) {
    return api::guarded([&] {
        auto fail = [&](const std::string& message) {
            api::textOut(message, errorBuffer, errorSize);
            return 0;
        };
        if (!engine().module || generator < 0 || generator >= codegen::numberOfGenerators())
            return fail("Either the module is empty or the selected generator does not exist");
        auto g = generatorFor(generator);
        if (!g)
            return fail("Could not instantiate the selected generator");
        if (!g->CanHandleModule())
            return fail("The generator says that cannot handle that module (maybe the language?)!");
        codegen::GenerationOptions decoded;
        if (!codegen::decodeOptionString(generator, api::textIn(options), decoded))
            return fail("Invalid code generation options");
        std::string error;
        if (g->GenerateCode(api::textIn(outputDirectory), errorSize, error, &decoded))
            return 1;
        return fail(error);
    });
}

ORVEN_API PredictChangeOptions(int generator, int changeKind, char* options) {
    return api::guarded([&] {
        if (!engine().module || options == nullptr || generator < 0 ||
            generator >= codegen::numberOfGenerators()) {
            return 0;
        }
        auto g = generatorFor(generator);
        if (!g || !g->CanHandleModule())
            return 0;
        codegen::GenerationOptions decoded;
        if (!codegen::decodeOptionString(generator, api::textIn(options), decoded))
            return 0;
        if (!g->PredictOptions(changeKind, &decoded))
            return 0;
        // The text holds at least as many bytes as its decoded form (only
        // carriage returns were dropped), so the rewritten flags and the
        // terminator fit where the caller's text stood.
        std::string encoded = codegen::encodeOptionString(generator, decoded);
        encoded.copy(options, encoded.size());
        options[encoded.size()] = '\0';
        return 1;
    });
}
