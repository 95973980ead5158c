// Start-up and shut-down of the designer and the state of the main window
// without a module.
#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QTabBar>

#include "DesignerFixture.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

using Kind = ScriptedInteraction::Kind;

TEST_F(DesignerTest, WithoutTheExternalsDirectoryStartUpStops) {
    prepareWorkDir(false, true);
    EXPECT_FALSE(start());
    ASSERT_EQ(ui_.calls().size(), 1u);
    const auto& call = ui_.calls().front();
    EXPECT_EQ(call.kind, Kind::Message);
    EXPECT_EQ(call.title, "") << "the program's default title";
    EXPECT_EQ(call.text, "Critical Error in Starting.");
    EXPECT_EQ(call.icon, Icon::None);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
}

TEST_F(DesignerTest, AFailedInitialisationIsReportedAndStops) {
    prepareWorkDir(true, false);
    EXPECT_FALSE(start());
    EXPECT_EQ(takeBoxes(),
              QStringList({"Initializing|Error initializing: Could not initiate non-portable "
                           "component definitions",
                           "|Critical Error in Starting."}));
}

TEST_F(DesignerTest, StartsWithoutAModule) {
    ASSERT_TRUE(start());
    EXPECT_TRUE(ui_.calls().empty());
    EXPECT_EQ(form_->windowTitle(), "Module Designer v03.800");
    EXPECT_FALSE(form_->oxaPresent());
    EXPECT_FALSE(form_->oxaChanged());
    const QStringList enabled = {"FileMenu_new",         "FileMenu_load",         "FileMenu_quit",
                                 "ToolsMenu_compact",    "Toolsmenu_transformer", "helpmenu_odl",
                                 "helpmenu_quenoratoms", "helpmenu_voxl",         "helpmenu_about"};
    const QStringList disabled = {"File_close",        "FileMenu_save",
                                  "FileMenu_saveauto", "EditMenu_addGroup",
                                  "EditMenu_newserv",  "Toolsmenu_extractexternaldsp"};
    for (const QString& name : enabled) {
        EXPECT_TRUE(action(name)->isEnabled()) << name.toStdString();
    }
    for (const QString& name : disabled) {
        EXPECT_FALSE(action(name)->isEnabled()) << name.toStdString();
    }
    for (const char* frame :
         {"Frame_Structural", "Frame_Codification", "Frame_NonPortable", "Frame_Implementation"}) {
        EXPECT_FALSE(ctl<QWidget>(QString::fromLatin1(frame))->isVisible()) << frame;
    }
    EXPECT_TRUE(ctl<QTabBar>("TabStrip2")->isVisible());
    EXPECT_EQ(ctl<QLabel>("oxaids")->text(), "");
    EXPECT_EQ(ctl<QLabel>("oxaprio")->text(), "");
    EXPECT_FALSE(ctl<QLabel>("Image_modified")->isVisible());

    // The codification languages with "- None -" chosen.
    auto* languages = ctl<QComboBox>("Combo_lang");
    const int n = NumberOfDefinedCodificationLanguages();
    ASSERT_EQ(languages->count(), n + 1);
    EXPECT_EQ(languages->itemText(n), "- None -");
    EXPECT_EQ(languages->currentIndex(), n);
    // One option per general platform.
    const int platforms = NumberOfDefinedGeneralPlatforms();
    ASSERT_GT(platforms, 0);
    for (int p = 0; p < platforms; ++p) {
        EXPECT_NE(form_->findChild<QRadioButton*>("GP_option_genplat" + QString::number(p)),
                  nullptr);
    }
    EXPECT_EQ(form_->findChild<QRadioButton*>("GP_option_genplat" + QString::number(platforms)),
              nullptr);
}

TEST_F(DesignerTest, TabsChooseThePage) {
    ASSERT_TRUE(start());
    newModule("Counter");
    auto* tabs1 = ctl<QTabBar>("TabStrip1");
    auto* tabs2 = ctl<QTabBar>("TabStrip2");
    EXPECT_EQ(tabs1->tabText(0), "Portable Design");
    EXPECT_EQ(tabs1->tabToolTip(2), "Implementation of the Design");
    EXPECT_EQ(tabs2->tabText(1), "Codification Design");
    struct Case {
        int tab1, tab2;
        const char* shown;
        bool strip2;
    };
    const Case cases[] = {{0, 0, "Frame_Structural", true},
                          {0, 1, "Frame_Codification", true},
                          {1, 1, "Frame_NonPortable", false},
                          {2, 0, "Frame_Implementation", false},
                          {0, 0, "Frame_Structural", true}};
    for (const Case& c : cases) {
        tabs1->setCurrentIndex(c.tab1);
        tabs2->setCurrentIndex(c.tab2);
        for (const char* frame : {"Frame_Structural", "Frame_Codification", "Frame_NonPortable",
                                  "Frame_Implementation"}) {
            EXPECT_EQ(ctl<QWidget>(QString::fromLatin1(frame))->isVisible(),
                      QString::fromLatin1(frame) == QString::fromLatin1(c.shown))
                << frame << " with tabs " << c.tab1 << "," << c.tab2;
        }
        EXPECT_EQ(tabs2->isVisible(), c.strip2);
    }
}

TEST_F(DesignerTest, QuittingFinalisesTheEngine) {
    ASSERT_TRUE(start());
    newModule("Counter");
    ASSERT_EQ(IsDefinedCurrentOXAModule(), 1);
    action("FileMenu_quit")->trigger();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0) << "the module was deleted on closing";
    EXPECT_TRUE(takeBoxes().isEmpty()) << "an unmodified module closes without a question";
}

TEST_F(DesignerTest, QuittingAModifiedModuleAsksOnlyAboutTheChanges) {
    ASSERT_TRUE(start());
    newModule("Counter");
    addGroup("Main");
    setAuthor("A. Author");
    ASSERT_TRUE(form_->oxaChanged());
    ui_.clearCalls();
    // "No" to discarding: the save dialog opens and is cancelled; the
    // program ends all the same.
    ui_.answer(Answer::No);
    form_->close();
    EXPECT_EQ(ui_.boxes(), QStringList({"Close module|Discard module's changes?"}));
    ASSERT_EQ(ui_.calls().size(), 2u);
    EXPECT_EQ(ui_.calls()[1].kind, Kind::File);
    EXPECT_EQ(ui_.calls()[1].title, "Save Module As");
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
}

TEST_F(DesignerTest, MinimisingAModifiedModuleShowsTheStar) {
    ASSERT_TRUE(start());
    newModule("Counter");
    form_->showMinimized();
    EXPECT_EQ(form_->windowTitle(), "Module Designer v03.800") << "not modified";
    form_->showNormal();
    addGroup("Main");
    form_->showMinimized();
    EXPECT_EQ(form_->windowTitle(), "* Module Designer");
    form_->showNormal();
    EXPECT_EQ(form_->windowTitle(), "Module Designer v03.800");
}

}  // namespace
}  // namespace orven::designer::test
