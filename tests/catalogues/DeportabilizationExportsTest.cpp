#include <gtest/gtest.h>

#include "TestSupport.h"
#include "orven.h"

namespace {

// An engine whose catalogue has Hardware components H1 at row 0 and H2 at
// row 5 (positions 0 and 1 of Hardware) and a few others.
class DeportabilizationExports : public ::testing::Test {
  protected:
    void SetUp() override {
        orven::test::writeFile("nonportable.cps",
                               "H0001,\"H1\"\nE0000,\"E0\"\nE0001,\"E1\"\nC0006,\"C6\"\n"
                               "R0001,\"R1\"\nH0002,\"H2\"\n");
        char err[128];
        ASSERT_EQ(InitializeOrvenInterface("externals", "", err, sizeof err), 1) << err;
        ASSERT_EQ(CreateNewOXAModule("M", "a module"), 1);
    }
    void TearDown() override { FinalizeOrvenInterface(); }
    orven::test::EngineWorkDir work;
};

}  // namespace

TEST_F(DeportabilizationExports, SelectingAndDeselectingTwice) {
    EXPECT_EQ(IsDeportabilizationEmpty(), 1);
    EXPECT_EQ(SelectNewComponent(1, 1), 1);
    EXPECT_EQ(SelectNewComponent(1, 1), 0);
    EXPECT_EQ(IsComponentSelected(1, 1), 1);
    EXPECT_EQ(IsDeportabilizationEmpty(), 0);
    EXPECT_EQ(DeselectComponent(1, 1), 1);
    EXPECT_EQ(DeselectComponent(1, 1), 0);
    EXPECT_EQ(IsDeportabilizationEmpty(), 1);
}

TEST_F(DeportabilizationExports, PositionsOutOfRangeAreRefused) {
    const int bad[][2] = {{-1, 0}, {5, 0}, {0, 2}, {0, 100000}, {3, 0}, {1000000, -1}};
    for (const auto& p : bad) {
        EXPECT_EQ(SelectNewComponent(p[0], p[1]), 0) << p[0] << "," << p[1];
        EXPECT_EQ(IsComponentSelected(p[0], p[1]), 0);
    }
    EXPECT_EQ(DeselectComponent(7, -1), 0);
    EXPECT_EQ(NumberOfSelectedComponents(-2), 0);
    EXPECT_EQ(GetSelectedComponent(0, 0), 0);
    EXPECT_EQ(IsDeportabilizationEmpty(), 1);
}

TEST_F(DeportabilizationExports, SelectedPositionsAreComponentPositions) {
    ASSERT_EQ(SelectNewComponent(0, 1), 1);  // H2, catalogue row 5
    EXPECT_EQ(NumberOfSelectedComponents(0), 1);
    EXPECT_EQ(GetSelectedComponent(0, 0), 1);
    EXPECT_EQ(IndexOfSelectedComponent(0, 0), 1);
    ASSERT_EQ(SelectNewComponent(0, 0), 1);
    EXPECT_EQ(GetSelectedComponent(0, 0), 0);
    EXPECT_EQ(GetSelectedComponent(0, 1), 1);
}

TEST_F(DeportabilizationExports, DeselectingAWholePlatformKeepsTheOthers) {
    ASSERT_EQ(SelectNewComponent(1, 0), 1);
    ASSERT_EQ(SelectNewComponent(1, 1), 1);
    ASSERT_EQ(SelectNewComponent(4, 0), 1);
    EXPECT_EQ(DeselectComponent(1, -1), 1);
    EXPECT_EQ(NumberOfSelectedComponents(1), 0);
    EXPECT_EQ(NumberOfSelectedComponents(4), 1);
    EXPECT_EQ(DeselectComponent(1, -1), 1);  // also when none is selected
}

TEST_F(DeportabilizationExports, ClearBackupAndRestore) {
    EXPECT_EQ(RestoreCurrentDeportabilization(), 0);  // no backup yet
    ASSERT_EQ(SelectNewComponent(2, 0), 1);
    EXPECT_EQ(BackupCurrentDeportabilization(), 1);
    ASSERT_EQ(SelectNewComponent(4, 0), 1);
    EXPECT_EQ(RestoreCurrentDeportabilization(), 1);
    EXPECT_EQ(IsComponentSelected(4, 0), 0);
    EXPECT_EQ(IsComponentSelected(2, 0), 1);
    ClearDeportabilization();
    EXPECT_EQ(IsDeportabilizationEmpty(), 1);
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(NumberOfSelectedComponents(p), 0);
    // The backup stays and serves another module too.
    ASSERT_EQ(CreateNewOXAModule("Other", "another module"), 1);
    EXPECT_EQ(RestoreCurrentDeportabilization(), 1);
    EXPECT_EQ(IsComponentSelected(2, 0), 1);
}

TEST_F(DeportabilizationExports, CodificationLanguageOfTheModule) {
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 3);   // none
    EXPECT_EQ(SetOXAModuleCodificationLanguage(3), 0);  // cannot go back to none
    EXPECT_EQ(SetOXAModuleCodificationLanguage(-1), 0);
    EXPECT_EQ(SetOXAModuleCodificationLanguage(0), 1);
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 0);
    EXPECT_EQ(SetOXAModuleCodificationLanguage(2), 1);
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 2);
    EXPECT_EQ(SetOXAModuleCodificationLanguage(3), 0);
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 2);
}

TEST(DeportabilizationWithoutModule, EverythingFailsButEmptiness) {
    orven::test::EngineWorkDir work;
    char err[128];
    ASSERT_EQ(InitializeOrvenInterface(nullptr, nullptr, err, sizeof err), 1);
    EXPECT_EQ(IsDeportabilizationEmpty(), 1);
    EXPECT_EQ(SelectNewComponent(0, 0), 0);
    EXPECT_EQ(DeselectComponent(0, -1), 0);
    EXPECT_EQ(IsComponentSelected(0, 0), 0);
    EXPECT_EQ(NumberOfSelectedComponents(0), 0);
    EXPECT_EQ(GetSelectedComponent(0, 0), 0);
    EXPECT_EQ(BackupCurrentDeportabilization(), 0);
    EXPECT_EQ(RestoreCurrentDeportabilization(), 0);
    EXPECT_EQ(ClearDeportabilization(), 0);
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 0);
    EXPECT_EQ(SetOXAModuleCodificationLanguage(0), 0);
    FinalizeOrvenInterface();
}
