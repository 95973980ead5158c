// Save, load and save again: a large generated module with every member
// set gives the same bytes; raw texts holding "$" survive; a failed save
// keeps the previous file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "TestSupport.h"
#include "api/EngineState.h"
#include "model/OxaModule.h"
#include "model/TemporaryExternals.h"
#include "model/persistence/ModuleFileWriter.h"
#include "orven.h"

using orven::engine;
using orven::test::readFile;
using orven::test::writeFile;
namespace model = orven::model;
namespace cat = orven::catalogues;

namespace {

class ModuleFileRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        model::TemporaryExternals::resetCounterForTests();
        FinalizeOrvenInterface();
        ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, nullptr, 0), 1);
    }
    void TearDown() override { FinalizeOrvenInterface(); }

    std::string text() {
        return model::persistence::moduleFileText(*engine().module, engine().catalogue);
    }

    orven::test::EngineWorkDir work;
};

// A free text of random bytes of any value, sometimes empty.
std::string randomText(std::mt19937& rng, std::size_t maxLength) {
    std::size_t n = rng() % 4 == 0 ? 0 : rng() % (maxLength + 1);
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s.push_back(static_cast<char>(rng() & 0xff));
    return s;
}

// A raw text: printable bytes and bytes 128 to 255, without the characters
// that the model refuses in names and codes.
std::string randomRaw(std::mt19937& rng, std::size_t maxLength, const std::string& banned) {
    std::string s;
    std::size_t n = 1 + rng() % maxLength;
    while (s.size() < n) {
        char c = static_cast<char>(rng() % 2 ? 32 + rng() % 95 : 128 + rng() % 128);
        if (banned.find(c) == std::string::npos)
            s.push_back(c);
    }
    return s;
}

model::TimeRestriction randomRestriction(std::mt19937& rng) {
    switch (rng() % 3) {
        case 0:
            return {};
        case 1:
            return model::TimeRestriction(static_cast<float>(rng() % 1000) / 8.0f, -1.0f);
        default: {
            float a = static_cast<float>(rng() % 1000) / 4.0f;
            return model::TimeRestriction(a, a + static_cast<float>(rng() % 1000) / 16.0f);
        }
    }
}

model::CodeSection randomSection(std::mt19937& rng, std::size_t maxLength) {
    return model::CodeSection(randomText(rng, maxLength), randomRestriction(rng));
}

}  // namespace

TEST_F(ModuleFileRoundTrip, LargeModuleWithEveryMemberSet) {
    std::mt19937 rng(20240607);
    auto module =
        std::make_unique<model::OxaModule>("Large \xe9\xff module", randomText(rng, 300),
                                           engine().externalsDirectory, model::kTemporaryGroupName);
    for (int g = 0; g < 12; ++g) {
        model::GroupOfServices* group =
            module->addGroup(randomRaw(rng, 20, "[]") + std::to_string(g), randomText(rng, 100));
        ASSERT_NE(group, nullptr);
        for (int s = 0; s < 15; ++s) {
            model::Service* svc = group->addService(randomRaw(rng, 24, "[]") + std::to_string(s),
                                                    randomText(rng, 80));
            ASSERT_NE(svc, nullptr);
            const int type = static_cast<int>(rng() % 3);
            svc->setType(type);
            static const std::uint32_t kRegularFlags[] = {0, 1,      2,      4,
                                                          8, 2 | 16, 2 | 32, 1 | 2 | 4 | 8 | 32};
            static const std::uint32_t kHandlerFlags[] = {0, 1, 4, 16, 32, 1 | 4 | 16};
            ASSERT_TRUE(svc->setCharacteristics(type == 0 ? kRegularFlags[rng() % 8]
                                                          : kHandlerFlags[rng() % 6]));
            svc->setRelativePriority(static_cast<int>(rng() % 200000) - 100000);
            if (type != 0) {
                ASSERT_TRUE(svc->setEventHandlerCode(randomRaw(rng, 12, "()[]{}")));
            }
            if (type == 1) {
                ASSERT_TRUE(svc->setEventGeneratorModule(randomRaw(rng, 16, "()[]")));
            }
            svc->setInputData(randomSection(rng, 200));
            svc->setOutputData(randomSection(rng, 200));
            svc->setServerCode(randomSection(rng, 3000));
        }
    }
    module->setPriority(-12345);
    for (auto which : {model::ModuleSection::PreDefinitions, model::ModuleSection::GlobalData,
                       model::ModuleSection::StartupCode, model::ModuleSection::PreEndingCode,
                       model::ModuleSection::PostEndingCode, model::ModuleSection::GlobalCode}) {
        module->setSection(which, randomSection(rng, 5000));
    }
    module->setSection(model::ModuleSection::PostEndingCode, model::CodeSection());
    module->setCodificationLanguage(cat::CodificationLanguage(cat::CodificationLanguage::kJava));
    cat::Deportabilization d;
    const cat::ComponentCatalogue& catalogue = engine().catalogue;
    for (int i = 0; i < catalogue.size(); i += 3)
        d.Select(cat::Component(i, catalogue), catalogue);
    module->setDeportabilization(d);
    model::DependencyList deps;
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(deps.add(model::ModuleDependency(randomRaw(rng, 10, "[]") + std::to_string(i),
                                                     i % 5 == 0 ? "" : randomRaw(rng, 10, "[]"),
                                                     randomRestriction(rng))));
    }
    module->setDependencies(deps);
    for (int i = 0; i < 25; ++i) {
        ASSERT_TRUE(module->addSignal(randomRaw(rng, 12, "()") + std::to_string(i),
                                      static_cast<int>(rng() % 2),
                                      "c" + std::to_string(i) + randomRaw(rng, 6, "()")));
    }
    module->setGeneralInfo({randomText(rng, 16), "", randomText(rng, 48), randomText(rng, 512),
                            randomText(rng, 1024)});
    // External files of all three kinds, one name in two lists, empty and
    // binary files.
    std::filesystem::create_directory(work.file("src"));
    for (int i = 0; i < 6; ++i) {
        std::string bytes = randomText(rng, 40000);
        writeFile(work.file("src/f" + std::to_string(i) + ".h"), i == 2 ? "" : bytes);
    }
    auto& ext = module->externals();
    ASSERT_TRUE(ext.setExternalList(
        0, {model::ExternalEntry("src", "f0.h"), model::ExternalEntry("src", "f1.h")}));
    ASSERT_TRUE(ext.setExternalList(
        1, {model::ExternalEntry("src", "f2.h"), model::ExternalEntry("src", "f3.h"),
            model::ExternalEntry("src", "f0.h")}));
    ASSERT_TRUE(ext.setExternalList(
        3, {model::ExternalEntry("src", "f4.h"), model::ExternalEntry("src", "f5.h")}));
    engine().module = std::move(module);

    ASSERT_EQ(SaveOXAModule("large.oxa"), 1);
    const std::string first = readFile(work.file("large.oxa"));
    ASSERT_GT(first.size(), 200000u);
    char error[256];
    ASSERT_EQ(LoadOXAModule("large.oxa", sizeof error, error), 1) << error;
    ASSERT_EQ(SaveOXAModule("large2.oxa"), 1);
    EXPECT_TRUE(readFile(work.file("large2.oxa")) == first);
    // And the model read back holds the same values.
    EXPECT_EQ(engine().module->groupCount(), 12u);
    EXPECT_EQ(engine().module->priority(), -12345);
    EXPECT_EQ(engine().module->dependencies().size(), 30u);
    EXPECT_EQ(engine().module->signalCount(), 25u);
    EXPECT_TRUE(engine().module->deportabilization() == d);
}

TEST_F(ModuleFileRoundTrip, DollarInRawTexts) {
    ASSERT_EQ(CreateNewOXAModule("Cost$", "Costs $ and more"), 1);
    ASSERT_EQ(AddNewGroupOfServices("G$", "$"), 1);
    ASSERT_EQ(CreateOXAService("G$", "s$", "$"), 1);
    ChangeOXAServiceType("G$", "s$", 1);
    ASSERT_EQ(SetOXAServiceEventHandlerCode("G$", "s$", "ev$1"), 1);
    ASSERT_EQ(SetOXAServiceEventGeneratorModule("G$", "s$", "Mod$"), 1);
    ASSERT_EQ(AddNewDefinedSignal("sig$", "N", "$2"), 1);
    const float any[2] = {-1, -1};
    ASSERT_EQ(AddModuleDependency("Other$", "svc$", any), 1);
    std::filesystem::create_directory(work.file("d$r"));
    writeFile(work.file("d$r/f$.h"), "$$$");
    ASSERT_EQ(ChangeExternalDataEntry(0, 0, "d$r", "f$.h"), 1);
    ASSERT_EQ(SaveOXAModule("dollar.oxa"), 1);
    const std::string first = readFile(work.file("dollar.oxa"));
    DeleteCurrentOXAModule();
    char error[256];
    ASSERT_EQ(LoadOXAModule("dollar.oxa", sizeof error, error), 1) << error;
    char buf[64];
    NameOXAModule(buf, sizeof buf);
    EXPECT_STREQ(buf, "Cost$");
    ASSERT_EQ(OXAServiceEventHandlerCode("G$", "s$", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "ev$1");
    ASSERT_EQ(OXAServiceEventGeneratorModule("G$", "s$", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "Mod$");
    EXPECT_EQ(ExistsModuleDependency("Other$", "svc$"), 1);
    std::filesystem::create_directory(work.file("out"));
    ASSERT_EQ(CopyExternalsIntoFiles(0, "out"), 1);
    EXPECT_EQ(readFile(work.file("out/f$.h")), "$$$");
    ASSERT_EQ(SaveOXAModule("dollar2.oxa"), 1);
    EXPECT_EQ(readFile(work.file("dollar2.oxa")), first);
}

TEST_F(ModuleFileRoundTrip, GeneratorModuleWithParentheses) {
    ASSERT_EQ(CreateNewOXAModule("M", "d"), 1);
    ASSERT_EQ(AddNewGroupOfServices("G", "g"), 1);
    ASSERT_EQ(CreateOXAService("G", "h", "h"), 1);
    ChangeOXAServiceType("G", "h", 1);
    ASSERT_EQ(SetOXAServiceEventGeneratorModule("G", "h", "Camera (v2)"), 1);
    ASSERT_EQ(SaveOXAModule("p.oxa"), 1);
    char error[128], buf[64];
    ASSERT_EQ(LoadOXAModule("p.oxa", sizeof error, error), 1) << error;
    ASSERT_EQ(OXAServiceEventGeneratorModule("G", "h", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "Camera (v2)");
}

TEST_F(ModuleFileRoundTrip, FailedSaveKeepsThePreviousFile) {
    writeFile(work.file("a.h"), "A");
    ASSERT_EQ(CreateNewOXAModule("M", "first"), 1);
    ASSERT_EQ(ChangeExternalDataEntry(0, 0, ".", "a.h"), 1);
    ASSERT_EQ(SaveOXAModule("m.oxa"), 1);
    const std::string before = readFile(work.file("m.oxa"));
    // The stored copy disappears: the appendix cannot be written.
    ChangeNameDescriptionOXAModule("M", "second");
    std::filesystem::remove(work.file("externals/xtrnl_0.tmp"));
    EXPECT_EQ(SaveOXAModule("m.oxa"), 0);
    EXPECT_EQ(readFile(work.file("m.oxa")), before);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(work.path()))
        names.push_back(e.path().filename().string());
    for (const std::string& n : names)
        EXPECT_EQ(n.find(".saving"), std::string::npos) << n;
    // A read-only module file is not replaced.
    DeleteExternalDataEntry(0, 0);
    ::chmod(work.file("m.oxa").c_str(), 0444);
    EXPECT_EQ(SaveOXAModule("m.oxa"), 0);
    EXPECT_EQ(readFile(work.file("m.oxa")), before);
    ::chmod(work.file("m.oxa").c_str(), 0644);
    ASSERT_EQ(SaveOXAModule("m.oxa"), 1);
    EXPECT_NE(readFile(work.file("m.oxa")), before);
    // A path naming a directory or nothing.
    EXPECT_EQ(SaveOXAModule("externals"), 0);
    EXPECT_EQ(SaveOXAModule(""), 0);
    EXPECT_EQ(SaveOXAModule("no/such/dir/m.oxa"), 0);
}

TEST_F(ModuleFileRoundTrip, SaveRemembersThePath) {
    ASSERT_EQ(CreateNewOXAModule("M", "d"), 1);
    std::filesystem::create_directory(work.file("sub"));
    ASSERT_EQ(SaveOXAModule("sub/m.oxa"), 1);
    EXPECT_EQ(engine().module->filePath(), "sub\\m.oxa");
    EXPECT_EQ(SaveOXAModule(nullptr), 0);
    DeleteCurrentOXAModule();
    EXPECT_EQ(SaveOXAModule("x.oxa"), 0);
    char error[64];
    ASSERT_EQ(LoadOXAModule("sub/m.oxa", sizeof error, error), 1);
    EXPECT_EQ(engine().module->filePath(), "sub\\m.oxa");
}

TEST_F(ModuleFileRoundTrip, EmptyStoreEndsWithFourZeroBytes) {
    ASSERT_EQ(CreateNewOXAModule("M", ""), 1);
    ASSERT_EQ(SaveOXAModule("m.oxa"), 1);
    const std::string f = readFile(work.file("m.oxa"));
    EXPECT_EQ(f.substr(f.size() - 5), std::string("$\0\0\0\0", 5));
    // An empty description: the header line directly followed by the end line.
    EXPECT_NE(f.find("Description:\r\n\tCompactStr(0)\r\n\tEndCompactStr\r\n"), std::string::npos);
}
