#include <gtest/gtest.h>

#include <string>

#include "codegen/CorbaCppOptions.h"
#include "codegen/GenerationOptions.h"

using namespace orven::codegen;
using F = GenerationFlag;

namespace {
// Decodes a generator-0 option string; fails the test when it is refused.
GenerationOptions decoded(const std::string& text) {
    GenerationOptions o;
    EXPECT_TRUE(decodeOptionString(0, text, o)) << "[" << text << "]";
    return o;
}
}  // namespace

TEST(Options, GeneratorZeroCharactersMapToTheFlagsInTheDesignersOrder) {
    // Character k alone set: which flag it stands for.
    const F expected[] = {F::ModuleIdl,      F::CompileIdl,     F::ImplementationClasses,
                          F::MainFile,       F::ProjectFiles,   F::GlobalIdl,
                          F::CopyOtherFiles, F::StopOnIdlError, F::ForceIdlSuccess,
                          F::WithMfc,        F::WithVoxl};
    for (int k = 0; k < 11; ++k) {
        std::string text(11, ' ');
        text[k] = '*';
        GenerationOptions o = decoded(text);
        for (int f = 0; f < 11; ++f) {
            EXPECT_EQ(o.get(static_cast<F>(f)), static_cast<F>(f) == expected[k])
                << "character " << k << " flag " << f;
        }
        EXPECT_EQ(encodeOptionString(0, o), text);
    }
}

TEST(Options, OnlyAStarMeansYes) {
    GenerationOptions o = decoded("*x+ -*\t\n*Y*");
    EXPECT_TRUE(o.moduleIdl());
    EXPECT_FALSE(o.compileIdl());
    EXPECT_FALSE(o.implementationClasses());
    EXPECT_FALSE(o.mainFile());
    EXPECT_FALSE(o.projectFiles());
    EXPECT_TRUE(o.globalIdl());
    EXPECT_FALSE(o.copyOtherFiles());
    EXPECT_FALSE(o.stopOnIdlError());
    EXPECT_TRUE(o.forceIdlSuccess());
    EXPECT_FALSE(o.withMfc());
    EXPECT_TRUE(o.withVoxl());
    EXPECT_EQ(encodeOptionString(0, o), "*    *  * *");
}

TEST(Options, WrongLengthsAndUnknownGeneratorsAreRefused) {
    GenerationOptions o;
    o.set(F::WithMfc);
    const GenerationOptions before = o;
    for (const std::string& text : {std::string(), std::string(10, '*'), std::string(12, '*')})
        EXPECT_FALSE(decodeOptionString(0, text, o)) << text.size();
    EXPECT_FALSE(decodeOptionString(1, std::string(11, '*'), o));
    EXPECT_FALSE(decodeOptionString(-1, std::string(11, '*'), o));
    EXPECT_EQ(o, before);
    EXPECT_TRUE(optionStringLayout(1).empty());
    EXPECT_EQ(encodeOptionString(1, o), "");
}

TEST(Options, DefaultsOfTheCorbaCppGenerator) {
    // In the option-string order: every stage on, no stop on IDL errors,
    // forced IDL success, no MFC, VOXL.
    EXPECT_EQ(encodeOptionString(0, corbaCppDefaultOptions()), "******* * *");
}

TEST(Options, PredictionForEveryChangeKind) {
    struct Case {
        int kind;
        std::string before;
        std::string after;
    };
    const std::string none(11, ' ');
    const std::string all(11, '*');
    // Positions: ModuleIdl CompileIdl Impl Main Project GlobalIdl CopyOther
    //            StopOnIdlError ForceIdlSuccess WithMfc WithVoxl
    const Case cases[] = {
        {0, all, "  *    ****"},  // clears all but MFC and VOXL first
        {0, none, "  *    **  "},
        {0, "         * ", "  *    *** "},
        {1, none, "  *    **  "},
        {1, all, all},  // only ever sets flags
        {1, "*    *   **", "* *  * ****"},
        {2, none, "****   *   "},
        {3, none, "****   *   "},
        {3, "    **   **", "****** * **"},
        {4, none, "*****  *   "},
        {5, none, "  *** ***  "},
        {5, "**       **", "***** *****"},
        {6, none, "********   "},
        {6, all, all},
    };
    for (const Case& c : cases) {
        GenerationOptions o = decoded(c.before);
        EXPECT_TRUE(predictCorbaCppOptions(c.kind, o)) << c.kind;
        EXPECT_EQ(encodeOptionString(0, o), c.after)
            << "kind " << c.kind << " from [" << c.before << "]";
    }
}

TEST(Options, UnknownChangeKindsChangeNothing) {
    for (int kind : {-1, 7, 100}) {
        GenerationOptions o = decoded("* * * * * *");
        EXPECT_FALSE(predictCorbaCppOptions(kind, o)) << kind;
        EXPECT_EQ(encodeOptionString(0, o), "* * * * * *");
    }
}
