// The module commands of the main window: closing with its questions, the
// module priority, loading with the format transformation, the Tools and
// Help menus and the About box.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "DesignerFixture.h"
#include "FormatTransformer.h"
#include "Texts.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

using Kind = ScriptedInteraction::Kind;

TEST_F(DesignerTest, AnEmptyDeportabilizationCanCancelTheNextModule) {
    ASSERT_TRUE(start());
    newModule("Counter");
    addGroup("Main");
    ui_.clearCalls();
    ui_.answer(Answer::No);
    action("FileMenu_new")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Deportabilization Empty|No deportabilization. Is the module "
                           "completely portable?",
                           "Non-portable Module Detected|Then, go to the non-portable design and "
                           "deportabilize the codification"}));
    EXPECT_TRUE(form_->oxaPresent());
    EXPECT_EQ(ExistGroupOfServices("Main"), 1) << "the module is still there";
    EXPECT_TRUE(ui_.calls().empty()) << "no name dialog";
    expectScriptDone();
}

TEST_F(DesignerTest, CancellingTheSaveKeepsTheModuleAndCancelsTheLoad) {
    ASSERT_TRUE(start());
    newModule("Counter");
    setAuthor("A. Author");
    ui_.clearCalls();
    ui_.answer(Answer::Yes);  // completely portable
    ui_.answer(Answer::No);   // do not discard: save, and the save dialog is cancelled
    action("FileMenu_load")->trigger();
    ASSERT_EQ(ui_.calls().size(), 3u);
    EXPECT_EQ(ui_.calls()[1].text, "Discard module's changes?");
    EXPECT_EQ(ui_.calls()[2].kind, Kind::File);
    EXPECT_EQ(ui_.calls()[2].title, "Save Module As");
    EXPECT_EQ(ui_.calls()[2].text, "*.oxa");
    EXPECT_EQ(ui_.calls()[2].mode, FileMode::Save);
    EXPECT_TRUE(form_->oxaPresent());
    EXPECT_TRUE(form_->oxaChanged());
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 1);
}

TEST_F(DesignerTest, TheModulePriorityIsClampedAndRounded) {
    ASSERT_TRUE(start());
    newModule("Counter");
    struct Case {
        const char* answer;
        int priority;
    };
    const Case cases[] = {{"40000", 32767}, {"-5", 0}, {"12.5", 12},   {"13.5", 14},
                          {" 7 ", 7},       {"x9", 0}, {"250abc", 250}};
    for (const Case& c : cases) {
        ui_.answerInput(QString::fromLatin1(c.answer));
        QTest::mouseClick(ctl<QLabel>("oxaprio"), Qt::LeftButton);
        EXPECT_EQ(OXAModulePriority(), c.priority) << c.answer;
        EXPECT_EQ(ctl<QLabel>("oxaprio")->text(), QString::number(c.priority) + " ") << c.answer;
    }
    ASSERT_FALSE(ui_.calls().empty());
    const auto& last = ui_.calls().back();
    EXPECT_EQ(last.kind, Kind::Input);
    EXPECT_EQ(last.title, "Change Module Priority");
    EXPECT_EQ(last.text, "Enter new priority.");
    EXPECT_EQ(last.defaultText, "0") << "the default is the current priority";
    EXPECT_TRUE(form_->oxaChanged());
    // An empty answer and a cancelled box change nothing.
    ui_.answerInput("   ");
    form_->changeModulePriority();
    ui_.cancelInput();
    form_->changeModulePriority();
    EXPECT_EQ(OXAModulePriority(), 250);
    expectScriptDone();
}

TEST_F(DesignerTest, TheFileDialogKeepsTheWorkingDirectory) {
    ASSERT_TRUE(start());
    const QString before = QDir::currentPath();
    ui_.answerFile([] {
        QDir::setCurrent(QDir::rootPath());
        return QString();
    });
    action("FileMenu_load")->trigger();
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(DesignerTest, ALoadErrorIsReported) {
    ASSERT_TRUE(start());
    const QString path = file("broken.oxa");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\r\nnothing here\r\n");
    f.close();
    ui_.answerFile(path);
    action("FileMenu_load")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList({"Load Module|Error loading module - format information "
                                        "not found (maybe older, try Transformer)"}));
    EXPECT_FALSE(form_->oxaPresent());
    ui_.answerFile(file("missing.oxa"));
    action("FileMenu_load")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Load Module|Error loading module - Could not open module file"}));
}

// A module file in the older format FF200703.
QString olderModuleFile(const QString& path) {
    EXPECT_EQ(CreateNewOXAModule("Pulses", "An older module that counts pulses"), 1);
    EXPECT_EQ(AddNewGroupOfServices("Main", "The main group of the module"), 1);
    EXPECT_EQ(SaveOXAModule(toEngine(path).constData()), 1);
    EXPECT_EQ(DeleteCurrentOXAModule(), 1);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    bytes.replace("Format info: [FF200704]", "Format info: [FF200703]");
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    return path;
}

TEST_F(DesignerTest, AnOlderFormatIsTransformedAndLoaded) {
    ASSERT_TRUE(start());
    const QString path = olderModuleFile(file("old.oxa"));
    ui_.answerFile(path);
    ui_.answer(Answer::Yes);
    QString log;
    ui_.handleDialog([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "Dialog_showlog");
        EXPECT_EQ(d.windowTitle(), "Transformation Log");
        EXPECT_EQ(control<QLabel>(&d, "Label1")->text(),
                  "(You can copy text from this box to the clipboard)");
        log = control<TextBox>(&d, "RichTextBox1")->text();
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    action("FileMenu_load")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Load Module|Error loading module - invalid format: FF200703, "
                           "expected FF200704",
                           "Transform Format|Want to transform to the newest format?"}));
    EXPECT_TRUE(log.contains("Result: converted.")) << log.toStdString();
    EXPECT_TRUE(form_->oxaPresent());
    EXPECT_EQ(form_->oxaPath(), path);
    EXPECT_EQ(ctl<QLabel>("oxaids")->text(), "Pulses ");
    EXPECT_EQ(items(ctl<QListWidget>("List_Groups")), QStringList({"Main"}));
    expectScriptDone();
}

// A transformer that converts nothing.
class RefusingTransformer : public FormatTransformer {
  public:
    explicit RefusingTransformer(int result) : result_(result) {}
    int initialize() override { return 1; }
    int finalize() override { return 1; }
    int numberOfFormats() override { return 3; }
    int idOfFirstFormat(int* id) override {
        *id = 10;
        return 1;
    }
    int idOfNextFormat(int id, int* next) override {
        *next = id + 1;
        return id < 12 ? 1 : 0;
    }
    int nameOfFormat(int id, char* buffer, int size) override {
        std::snprintf(buffer, static_cast<std::size_t>(size), "FMT%d", id);
        return 1;
    }
    int readFileFormat(const char*, char* buffer, int size) override {
        std::snprintf(buffer, static_cast<std::size_t>(size), "FMT10");
        return 1;
    }
    int transformFile(const char*, const char*, int position, char* log, int size) override {
        lastPosition = position;
        std::snprintf(log, static_cast<std::size_t>(size), "  refused  ");
        return result_;
    }
    static inline int lastPosition = -2;

  private:
    int result_;
};

TEST_F(DesignerTest, AFailedTransformationIsReported) {
    options_->transformer = [] { return std::make_unique<RefusingTransformer>(1); };
    ASSERT_TRUE(start());
    const QString path = olderModuleFile(file("old.oxa"));
    ui_.answerFile(path);
    ui_.answer(Answer::Yes);
    ui_.handleDialog([](QDialog& d) {
        EXPECT_EQ(control<TextBox>(&d, "RichTextBox1")->text(), "refused");
        d.accept();
    });
    action("FileMenu_load")->trigger();
    EXPECT_EQ(RefusingTransformer::lastPosition, 2) << "into the newest format";
    const QStringList boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[2], "Transform File Format|Error transforming file");
    EXPECT_FALSE(form_->oxaPresent());
    expectScriptDone();
}

TEST_F(DesignerTest, AMissingTransformerLibraryIsReportedInTheLog) {
    ASSERT_TRUE(start());
    const QString path = olderModuleFile(file("old.oxa"));
    qputenv("PATH", "/nonexistent");
    ui_.answerFile(path);
    ui_.answer(Answer::Yes);
    QString log;
    ui_.handleDialog([&](QDialog& d) {
        log = control<TextBox>(&d, "RichTextBox1")->text();
        d.accept();
    });
    action("FileMenu_load")->trigger();
    EXPECT_TRUE(log.contains("ORVEN_transformer_DLL")) << log.toStdString();
    EXPECT_EQ(takeBoxes().last(), "Transform File Format|Error transforming file");
}

TEST_F(DesignerTest, HelpEntriesOpenTheirDocuments) {
    ASSERT_TRUE(start());
    struct Case {
        const char* entry;
        const char* document;
    };
    const Case cases[] = {{"helpmenu_odl", "odl.html"},
                          {"helpmenu_quenoratoms", "quenoratoms.html"},
                          {"helpmenu_voxl", "voxl.html"}};
    for (const Case& c : cases) {
        ui_.clearCalls();
        action(QString::fromLatin1(c.entry))->trigger();
        ASSERT_EQ(ui_.calls().size(), 1u) << c.entry;
        EXPECT_EQ(ui_.calls()[0].kind, Kind::Document);
        const QString url = ui_.calls()[0].text;
        EXPECT_TRUE(url.startsWith("file:///")) << url.toStdString();
        EXPECT_TRUE(url.endsWith(QString::fromLatin1(c.document))) << url.toStdString();
        EXPECT_TRUE(QFile::exists(QUrl(url).toLocalFile())) << url.toStdString();
    }
    // Help documents in the working directory come first.
    ASSERT_TRUE(QDir().mkdir("help"));
    QFile own(file("help/odl.html"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    ui_.clearCalls();
    action("helpmenu_odl")->trigger();
    EXPECT_EQ(QUrl(ui_.calls()[0].text).toLocalFile(), file("help/odl.html"));
    // A viewer that cannot open the document is reported.
    ui_.setDocumentResult(false);
    ui_.clearCalls();
    action("helpmenu_odl")->trigger();
    EXPECT_EQ(ui_.boxes(), QStringList({"Help|The help document " + file("help/odl.html") +
                                        " could not be opened."}));
}

TEST_F(DesignerTest, TheAboutBox) {
    ASSERT_TRUE(start());
    ui_.handleDialog([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "frmAbout");
        EXPECT_EQ(d.windowTitle(), "About ORVEN OXA Module Designer v1.0");
        click(control<QAbstractButton>(&d, "cmdSysInfo"));
        click(control<QAbstractButton>(&d, "cmdOK"));
    });
    action("helpmenu_about")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList({"|System Information Is Unavailable At This Time"}));
    // The logo shows it too.
    ui_.handleDialog([](QDialog& d) { d.accept(); });
    QTest::mouseClick(ctl<QLabel>("Image1"), Qt::LeftButton);
    expectScriptDone();
}

TEST_F(DesignerTest, TheCompactedTextInterpreter) {
    ASSERT_TRUE(start());
    ui_.handleDialog([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Compacted Text Interpreter");
        auto* text = control<TextBox>(&d, "RichTextBox2");
        EXPECT_EQ(text->text(), "");
        text->setText("no block here");
        click(control<QAbstractButton>(&d, "Command_interpret"));
        EXPECT_EQ(text->text(), "");
        text->setText("CompactStr(3)\r\n\t616263\r\nEndCompactStr");
        click(control<QAbstractButton>(&d, "Command_interpret"));
        EXPECT_EQ(text->text(), "abc");
        text->setText("CompactStr(1)\n\t*ffe9\nEndCompactStr");
        click(control<QAbstractButton>(&d, "Command_interpret"));
        EXPECT_EQ(text->text(), QString::fromUtf8("\xc3\xa9"));
        click(control<QAbstractButton>(&d, "Command_clear"));
        EXPECT_EQ(text->text(), "");
        click(control<QAbstractButton>(&d, "Command_interpret"));
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    action("ToolsMenu_compact")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList({"WARNING|No compacted text was detected",
                                        "WARNING|No compacted text was detected"}));
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
