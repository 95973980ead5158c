// The codification language list and the deportabilization page.
#include <QComboBox>
#include <QRadioButton>
#include <QTabBar>

#include "DesignerFixture.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

class Pages : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        ASSERT_TRUE(start());
        newModule("Counter");
        ui_.clearCalls();
    }
    void choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

TEST_F(Pages, AChosenLanguageCanBeChangedButNotRemoved) {
    auto* combo = ctl<QComboBox>("Combo_lang");
    const int none = NumberOfDefinedCodificationLanguages();
    ASSERT_GE(none, 3);
    EXPECT_EQ(combo->currentIndex(), none);
    EXPECT_EQ(combo->currentText(), "- None -");
    choose(combo, 0);
    EXPECT_TRUE(ui_.calls().empty()) << "the first choice asks nothing";
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 0);
    EXPECT_TRUE(form_->oxaChanged());
    EXPECT_TRUE(ctl<QWidget>("Command_extcode")->isEnabled());

    choose(combo, none);
    EXPECT_TRUE(ui_.calls().empty());
    EXPECT_EQ(combo->currentIndex(), 0) << "the selection returns to the language";
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 0);

    const QString question =
        "Change Codification Language|Sure to change codification language? That will "
        "invalidate all the code already written!";
    ui_.answer(Answer::No);
    choose(combo, 1);
    EXPECT_EQ(takeBoxes(), QStringList({question}));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 0);
    ui_.answer(Answer::Yes);
    choose(combo, 2);
    EXPECT_EQ(takeBoxes(), QStringList({question}));
    EXPECT_EQ(GetOXAModuleCodificationLanguage(), 2);
    EXPECT_FALSE(ctl<QWidget>("Command_extcode")->isEnabled())
        << "no external compile and link code for the language of index 2";
    choose(combo, 2);
    EXPECT_TRUE(ui_.calls().empty()) << "the same language again changes nothing";
    expectScriptDone();
}

TEST_F(Pages, TheDeportabilizationListsTheChosenComponents) {
    const int platforms = NumberOfDefinedGeneralPlatforms();
    for (int p = 0; p < platforms; ++p) {
        auto* option = ctl<QRadioButton>("GP_option_genplat" + QString::number(p));
        EXPECT_TRUE(option->text().endsWith(" (0)")) << option->text().toStdString();
    }
    auto* first = ctl<QRadioButton>("GP_option_genplat0");
    EXPECT_TRUE(first->isChecked());
    EXPECT_EQ(first->text(), "Hardware (0)");
    auto* combo = ctl<QComboBox>("GP_combo_select");
    auto* list = ctl<QListWidget>("GP_list_deportabilization");
    const int defined = NumberOfDefinedComponents(0);
    ASSERT_EQ(combo->count(), defined + 1);
    EXPECT_EQ(combo->itemText(0), "- " + QString::number(defined) + " to add -");

    choose(combo, 0);
    EXPECT_FALSE(form_->oxaChanged()) << "the count entry adds nothing";
    choose(combo, 2);
    EXPECT_TRUE(form_->oxaChanged());
    EXPECT_EQ(IsComponentSelected(0, 1), 1);
    EXPECT_EQ(items(list), QStringList({"Incremental encoder counter card (PCI, 4 axes)"}));
    EXPECT_EQ(first->text(), "Hardware (1)");
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->itemText(0), "- " + QString::number(defined - 1) + " to add -");
    EXPECT_EQ(combo->itemText(2),
              " ---(selected)---> Incremental encoder counter card (PCI, 4 axes)");
    choose(combo, 2);
    EXPECT_EQ(NumberOfSelectedComponents(0), 1) << "a selected component is not added again";
    choose(combo, 5);
    EXPECT_EQ(list->count(), 2);
    EXPECT_TRUE(takeBoxes().isEmpty());

    // Another platform shows its own list.
    click(ctl<QAbstractButton>("GP_option_genplat1"));
    EXPECT_EQ(list->count(), 0);
    choose(combo, 1);
    EXPECT_EQ(ctl<QRadioButton>("GP_option_genplat1")->text(), "Execution (1)");
    click(first);
    EXPECT_EQ(list->count(), 2);

    // Remove the marked components.
    ui_.answer(Answer::Yes);
    form_->removeComponents();
    EXPECT_EQ(list->count(), 2) << "nothing marked: nothing removed";
    list->item(0)->setSelected(true);
    ui_.answer(Answer::No);
    click(ctl<QAbstractButton>("Command_removedeportabilization"));
    EXPECT_EQ(list->count(), 2);
    list->item(0)->setSelected(true);
    ui_.answer(Answer::Yes);
    click(ctl<QAbstractButton>("Command_removedeportabilization"));
    EXPECT_EQ(IsComponentSelected(0, 1), 0);
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(takeBoxes(), QStringList(3, "Remove Components|Sure to remove selected components?"));

    // Clear the platform; an empty list asks nothing.
    ui_.answer(Answer::Yes);
    click(ctl<QAbstractButton>("Command_clearplatform"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(NumberOfSelectedComponents(1), 1) << "other platforms keep their components";
    click(ctl<QAbstractButton>("Command_clearplatform"));
    EXPECT_EQ(takeBoxes(), QStringList({"Clear Components|Sure to clear these components?"}));
    expectScriptDone();
}

TEST_F(Pages, BackupRestoreAndClearAll) {
    ui_.answer(Answer::Yes);
    click(ctl<QAbstractButton>("Command_restoresupport"));
    EXPECT_EQ(takeBoxes(),
              QStringList({"|Sure to restore a previous deportabilization?",
                           "Restoring Deportabilization|Error restoring deportabilization. Maybe "
                           "not backed-up first?"}));
    auto* combo = ctl<QComboBox>("GP_combo_select");
    choose(combo, 1);
    click(ctl<QAbstractButton>("Command_backupsupport"));
    ASSERT_FALSE(ui_.calls().empty());
    EXPECT_EQ(ui_.calls().back().icon, Icon::Information);
    EXPECT_EQ(takeBoxes(), QStringList({"Deportabilization Backup|Deportabilization backed-up"}));
    ui_.answer(Answer::Yes);
    click(ctl<QAbstractButton>("Command_clearconfiguration"));
    EXPECT_EQ(takeBoxes(),
              QStringList({"Clear Deportabilization|Sure to clear current Deportabilization?"}));
    EXPECT_EQ(IsDeportabilizationEmpty(), 1);
    EXPECT_EQ(ctl<QListWidget>("GP_list_deportabilization")->count(), 0);
    ui_.answer(Answer::Yes);
    click(ctl<QAbstractButton>("Command_restoresupport"));
    EXPECT_EQ(IsDeportabilizationEmpty(), 0);
    EXPECT_EQ(ctl<QListWidget>("GP_list_deportabilization")->count(), 1);
    EXPECT_EQ(ctl<QRadioButton>("GP_option_genplat0")->text(), "Hardware (1)");
    takeBoxes();

    // A module with components closes without the portability question.
    addGroup("Main");
    ui_.answer(Answer::Yes);
    action("File_close")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList({"Close module|Discard module's changes?"}));
    EXPECT_FALSE(form_->oxaPresent());
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
