// Other modules' signals and callable services in the engine's scratch
// lists.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "model/TemporaryExternals.h"
#include "orven.h"

using orven::test::writeFile;

namespace {

class OtherModules : public ::testing::Test {
  protected:
    void SetUp() override {
        orven::model::TemporaryExternals::resetCounterForTests();
        FinalizeOrvenInterface();
        ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, nullptr, 0), 1);
        ClearOtherModuleDependencies();
        // The other module: Clock, with signals, services of every kind and
        // an external file.
        ASSERT_EQ(CreateNewOXAModule("Clock", "A clock"), 1);
        ASSERT_EQ(AddNewGroupOfServices("Time", "g"), 1);
        ASSERT_EQ(CreateOXAService("Time", "tick", "d"), 1);
        ASSERT_EQ(CreateOXAService("Time", "watch", "d"), 1);
        ASSERT_EQ(ChangeOXAServiceChars("Time", "watch", " *    "), 1);
        ASSERT_EQ(CreateOXAService("Time", "onAlarm", "d"), 1);
        ChangeOXAServiceType("Time", "onAlarm", 2);
        const float t[2] = {1.0f, 2.5f};
        ASSERT_EQ(SetTimeRestrictionService(0, "Time", "tick", t), 1);
        ASSERT_EQ(AddNewDefinedSignal("zeta", "N", "z1"), 1);
        ASSERT_EQ(AddNewDefinedSignal("alarm", "E", "a1"), 1);
        writeFile(work.file("clock.h"), "clock");
        ASSERT_EQ(ChangeExternalDataEntry(0, 0, ".", "clock.h"), 1);
        ASSERT_EQ(SaveOXAModule("clock.oxa"), 1);
        // The current module.
        ASSERT_EQ(CreateNewOXAModule("Arm", "An arm"), 1);
    }
    void TearDown() override { FinalizeOrvenInterface(); }

    int filesInExternals() {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(work.file("externals"))) {
            (void)e;
            ++n;
        }
        return n;
    }

    orven::test::EngineWorkDir work;
};

}  // namespace

TEST_F(OtherModules, SignalsOfAnotherModule) {
    const int before = filesInExternals();
    ASSERT_EQ(ReadOtherModuleDefinedSignals("clock.oxa"), 1);
    // The temporary module went with its extracted files.
    EXPECT_EQ(filesInExternals(), before);
    EXPECT_EQ(NumberOfOtherDefinedSignals(), 2);
    char name[32], code[32], kind = 0;
    char module[32];
    ASSERT_EQ(OtherDefinedSignalsModuleName(module, sizeof module), 1);
    EXPECT_STREQ(module, "Clock");
    // Works without a current module.
    DeleteCurrentOXAModule();
    ASSERT_EQ(ReadOtherDefinedSignal(0, name, sizeof name, &kind, code, sizeof code), 1);
    EXPECT_STREQ(name, "alarm");
    EXPECT_EQ(kind, 'E');
    EXPECT_STREQ(code, "a1");
    char kinds[2] = {'x', 'y'};
    ASSERT_EQ(ReadOtherDefinedSignal(1, name, sizeof name, kinds, code, sizeof code), 1);
    EXPECT_EQ(kinds[0], 'N');
    EXPECT_EQ(kinds[1], 'y');  // exactly one byte
    EXPECT_EQ(ReadOtherDefinedSignal(2, name, sizeof name, &kind, code, sizeof code), 0);
    EXPECT_EQ(ReadOtherDefinedSignal(-1, name, sizeof name, &kind, code, sizeof code), 0);
    EXPECT_EQ(ReadOtherDefinedSignal(0, nullptr, 0, &kind, code, sizeof code), 0);
    EXPECT_EQ(ReadOtherDefinedSignal(0, name, sizeof name, nullptr, code, sizeof code), 0);
    // A file that cannot be loaded leaves the scratch data as it was.
    EXPECT_EQ(ReadOtherModuleDefinedSignals("missing.oxa"), 0);
    EXPECT_EQ(NumberOfOtherDefinedSignals(), 2);
    ASSERT_EQ(OtherDefinedSignalsModuleName(module, sizeof module), 1);
    EXPECT_STREQ(module, "Clock");
}

TEST_F(OtherModules, CallableServicesOfAnotherModule) {
    ASSERT_EQ(LoadOtherModuleAsDependencies("clock.oxa"), 1);
    ASSERT_EQ(NumberOfDependenciesOtherModule(), 1);
    char module[32], service[32];
    float pair[2];
    ASSERT_EQ(ReadOtherModuleDependency(0, module, service, 32, 32, pair), 1);
    EXPECT_STREQ(module, "Clock");
    EXPECT_STREQ(service, "tick");
    EXPECT_EQ(pair[0], 1.0f);
    EXPECT_EQ(pair[1], 2.5f);
    EXPECT_EQ(ReadOtherModuleDependency(1, module, service, 32, 32, pair), 0);
    EXPECT_EQ(ReadOtherModuleDependency(0, module, service, 32, 32, nullptr), 0);
    EXPECT_EQ(LoadOtherModuleAsDependencies("missing.oxa"), 0);
    EXPECT_EQ(NumberOfDependenciesOtherModule(), 1);
    ClearOtherModuleDependencies();
    EXPECT_EQ(NumberOfDependenciesOtherModule(), 0);
}

TEST_F(OtherModules, CallableServicesOfThisModule) {
    ASSERT_EQ(AddNewGroupOfServices("G", "g"), 1);
    ASSERT_EQ(CreateOXAService("G", "a", "d"), 1);
    ASSERT_EQ(CreateOXAService("G", "b", "d"), 1);
    ASSERT_EQ(ChangeOXAServiceChars("G", "b", " *    "), 1);
    ASSERT_EQ(CreateOXAService("G", "c", "d"), 1);
    ChangeOXAServiceType("G", "c", 2);
    ASSERT_EQ(LoadThisModuleAsDependencies(), 1);
    ASSERT_EQ(NumberOfDependenciesOtherModule(), 1);
    char module[32], service[32];
    float pair[2];
    ASSERT_EQ(ReadOtherModuleDependency(0, module, service, 32, 32, pair), 1);
    EXPECT_STREQ(module, "Arm");
    EXPECT_STREQ(service, "a");
    EXPECT_EQ(pair[0], -1.0f);
    // Two groups with a callable service of the same name: 0, list empty.
    ASSERT_EQ(AddNewGroupOfServices("G2", "g"), 1);
    ASSERT_EQ(CreateOXAService("G2", "a", "d"), 1);
    EXPECT_EQ(LoadThisModuleAsDependencies(), 0);
    EXPECT_EQ(NumberOfDependenciesOtherModule(), 0);
    DeleteCurrentOXAModule();
    EXPECT_EQ(LoadThisModuleAsDependencies(), 0);
}

TEST_F(OtherModules, ModuleAsAWhole) {
    char module[32] = "x", service[32] = "x";
    float pair[2] = {5.0f, 5.0f};
    ASSERT_EQ(ReadOtherModuleAsWholeDependency("clock.oxa", module, service, 32, 32, pair), 1);
    EXPECT_STREQ(module, "Clock");
    EXPECT_STREQ(service, "");
    EXPECT_EQ(pair[0], 0.0f);
    EXPECT_EQ(pair[1], 0.0f);
    EXPECT_EQ(ReadOtherModuleAsWholeDependency("missing.oxa", module, service, 32, 32, pair), 0);
    // The current module is not touched.
    char name[32];
    NameOXAModule(name, sizeof name);
    EXPECT_STREQ(name, "Arm");
}
