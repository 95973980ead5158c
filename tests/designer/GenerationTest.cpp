// The implementation page and "GENERATE": the generator list and its
// description, the availability rule, the C++ options, and the whole road
// of a generation on the example module with verification, generation and
// the automatic build through the stand-ins of tao_idl and msdev.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStatusBar>
#include <QTextEdit>

#include "CodeTestSupport.h"
#include "GenerationPage.h"
#include "Widgets.h"

namespace orven::designer::test {
namespace {

class Generation : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        ASSERT_TRUE(start());
        QObject::connect(form_->statusBar(), &QStatusBar::messageChanged, form_->statusBar(),
                         [this](const QString& message) {
                             if (message.isEmpty()) {
                                 return;
                             }
                             const QCursor* cursor = QGuiApplication::overrideCursor();
                             steps_ << message +
                                           (cursor != nullptr && cursor->shape() == Qt::WaitCursor
                                                ? " [busy]"
                                                : " [idle]");
                         });
    }

    // Loads a copy of an example module.
    void loadExample(const QString& name) {
        const QString path = file(name);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVEN_SOURCE_DIR "/examples/") + name, path));
        ui_.answerFile(path);
        action("FileMenu_load")->trigger();
        ASSERT_TRUE(form_->oxaPresent()) << ui_.boxes().join("\n").toStdString();
        ui_.clearCalls();
    }

    // A small module of our own, in C++, without dependencies on other
    // modules.
    void makeModule(const char* serverCode) {
        newModule("Counter");
        auto* lang = ctl<QComboBox>("Combo_lang");
        lang->setCurrentIndex(0);
        emit lang->activated(0);
        addGroup("Main");
        addService("Main", "Count");
        ASSERT_EQ(ChangeOXAServiceServerCode("Main", "Count", serverCode), 1);
        ui_.clearCalls();
    }

    static QString listing(const QString& dir) {
        return QDir(dir).entryList(QDir::Files).join(" ");
    }

    // Answers Form_askdir with the directory (made when missing).
    void chooseOutput(const QString& dir) {
        ASSERT_TRUE(QDir().mkpath(dir));
        ui_.handleDialog([dir](QDialog& ask) {
            EXPECT_EQ(ask.windowTitle(), "Output Directory and Drive");
            ASSERT_TRUE(control<DirectoryList>(&ask, "Dir1")->setPath(dir));
            click(control<QAbstractButton>(&ask, "Command_okdir"));
        });
    }

    GenerationPage* page() { return form_->generationPage(); }

    QStringList steps_;
};

TEST_F(Generation, ThePageDescribesTheGeneratorAndShowsItOnlyWhenItCanGenerate) {
    newModule("Counter");
    auto* combo = ctl<QComboBox>("Combo_generators");
    ASSERT_EQ(combo->count(), NumberOfExistingGenerators());
    ASSERT_GE(combo->count(), 1);
    EngineBuffer name(64);
    ASSERT_EQ(NameOfNthExistingGenerator(0, name.data(), 64), 1);
    EXPECT_EQ(combo->itemText(0), name.trimmed());
    EXPECT_EQ(combo->currentIndex(), 0);
    const QString description = ctl<QTextEdit>("PictureGenerator")->toPlainText();
    EXPECT_TRUE(description.startsWith("Language: Standard C++/STL\nPost-processing: "))
        << description.toStdString();

    // No language: the generator cannot handle the module.
    EXPECT_FALSE(ctl<QWidget>("Command_generate")->isEnabled());
    EXPECT_TRUE(ctl<QWidget>("Frame_generationoptions")->isHidden());
    auto* lang = ctl<QComboBox>("Combo_lang");
    lang->setCurrentIndex(0);
    emit lang->activated(0);
    EXPECT_TRUE(ctl<QWidget>("Command_generate")->isEnabled());
    EXPECT_FALSE(ctl<QWidget>("Frame_generationoptions")->isHidden());
    EXPECT_FALSE(ctl<QWidget>("frame_compopts_acetaocpp")->isHidden());

    // The option text, in its fixed order, and "Do Everything".
    EXPECT_EQ(page()->optionsText(), "********  *");
    for (const char* box : {"Check_idl", "Check_main", "Check_otherfiles", "Check_voxl"}) {
        ctl<QCheckBox>(box)->setChecked(false);
    }
    ctl<QCheckBox>("Check_withMFC")->setChecked(true);
    EXPECT_EQ(page()->optionsText(), " ** ** * * ");
    click(ctl<QAbstractButton>("Command_everystage"));
    EXPECT_EQ(page()->optionsText(), "******** * ");
    expectScriptDone();
}

TEST_F(Generation, CancellingTheOutputDirectoryEndsSilently) {
    loadExample("robot_arm.oxa");
    ui_.handleDialog([](QDialog& ask) { click(control<QAbstractButton>(&ask, "Command_cancel")); });
    click(ctl<QAbstractButton>("Command_generate"));
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_TRUE(steps_.isEmpty());
    expectScriptDone();
}

TEST_F(Generation, ACleanModuleIsGeneratedAndBuiltWithoutErrors) {
    loadExample("camera.oxa");
    const QString out = file("out");
    chooseOutput(out);
    ui_.answer(Answer::Ok);  // compile and link
    click(ctl<QAbstractButton>("Command_generate"));
    const QStringList boxes = takeBoxes();
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_EQ(boxes.last(), "Generation Finished|Generation finished!")
        << boxes.join("\n").toStdString();
    EXPECT_TRUE(
        boxes.contains("Automatic Compilation and Linking|Compile and link "
                       "automatically?"));
    EXPECT_EQ(NumberOfErrors(), 0);
    EXPECT_TRUE(QFileInfo::exists(out + "/OXA_Camera_project.dsp")) << listing(out).toStdString();
    EXPECT_TRUE(QFileInfo::exists(out + "/OXA_Camera_project")) << "the built program";
    ASSERT_EQ(steps_.size(), 3) << steps_.join("\n").toStdString();
    EXPECT_EQ(steps_[0], "Verifying the module's code... [busy]");
    EXPECT_EQ(steps_[1], "Generating the code into " + out + "... [busy]");
    EXPECT_EQ(steps_[2], "Compiling and linking the generated project... [busy]");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the wait cursor is gone";
    EXPECT_TRUE(form_->statusBar()->currentMessage().isEmpty());
    expectScriptDone();
}

TEST_F(Generation, BuildErrorsAreListedInTheEditor) {
    makeModule("no_such_planner(42);");
    const QString out = file("broken");
    chooseOutput(out);
    ui_.answer(Answer::Ok);
    QString errors;
    QString title;
    ui_.handleDialog([&](QDialog& d) {
        title = d.windowTitle();
        errors = control<TextBox>(&d, "RichTextBox1")->toPlainText();
        EXPECT_TRUE(control<QWidget>(&d, "Frame_timing")->isHidden());
        click(control<QAbstractButton>(&d, "Command1"));
    });
    click(ctl<QAbstractButton>("Command_generate"));
    const int n = NumberOfErrors();
    ASSERT_GT(n, 0);
    EXPECT_EQ(title, "Edit - Errors (" + QString::number(n) + ")");
    EXPECT_TRUE(errors.startsWith("(0) ")) << errors.toStdString();
    EXPECT_TRUE(errors.contains("no_such_planner")) << errors.toStdString();
    EXPECT_EQ(errors.count('\n'), n - 1);
    EXPECT_EQ(takeBoxes().last(), "Generation Finished|Generation finished!");
    expectScriptDone();
}

TEST_F(Generation, TheExampleIsGeneratedWithTheReminderOfItsDependencies) {
    loadExample("robot_arm.oxa");
    chooseOutput(file("nobuild"));
    ui_.answer(Answer::Cancel);
    click(ctl<QAbstractButton>("Command_generate"));
    const QStringList boxes = takeBoxes();
    EXPECT_TRUE(
        boxes.contains("Important Information|Remember to copy into the directory the "
                       "IDL files of \"client of\" modules"))
        << boxes.join("\n").toStdString();
    EXPECT_EQ(boxes.last(), "Generation Finished|Generation finished!");
    EXPECT_EQ(steps_.size(), 2);
    EXPECT_TRUE(QFileInfo::exists(file("nobuild/OXA_Robot_Arm_project.dsp")))
        << listing(file("nobuild")).toStdString();
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
