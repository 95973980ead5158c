// The module's external files in the main window: the check of changed
// files after loading and the extraction of external code from a project
// file.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "DesignerFixture.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

void touchLater(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(120),
                              QFileDevice::FileModificationTime));
}

TEST_F(DesignerTest, ChangedExternalFilesAreReportedAfterLoading) {
    ASSERT_TRUE(start());
    newModule("Counter");
    ASSERT_TRUE(QDir().mkdir(file("src")));
    writeText(file("src/pulse.h"), "int pulses;\n");
    writeText(file("src/pulse.cpp"), "int pulses = 0;\n");
    const QByteArray dir = toEngine(file("src"));
    ASSERT_EQ(ChangeExternalDataEntry(0, 0, dir.constData(), "pulse.h"), 1);
    ASSERT_EQ(ChangeExternalDataEntry(1, 0, dir.constData(), "pulse.cpp"), 1);
    setAuthor("A. Author");
    const QString path = file("counter.oxa");
    saveAs(path);
    action("File_close")->trigger();
    EXPECT_TRUE(takeBoxes().isEmpty()) << "a saved module closes without a question";

    // Unchanged files: no question.
    ui_.answerFile(path);
    action("FileMenu_load")->trigger();
    EXPECT_TRUE(takeBoxes().isEmpty());

    // A changed include file is reported for its kind only: when the
    // current module is discarded, and after the new one is loaded.
    touchLater(file("src/pulse.h"));
    int reloads = 0;
    form_->reloadChangedExternals = [&](int kind, const QString& caption) {
        ++reloads;
        EXPECT_EQ(kind, 0);
        EXPECT_EQ(caption, "Modified include/compile externals");
        return true;
    };
    ui_.answerFile(path);
    ui_.answer(Answer::No);
    ui_.answer(Answer::Yes);
    action("FileMenu_load")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList(2,
                                       "External Files Changed|Some external entries have "
                                       "changed from last time. Want to reload?"));
    EXPECT_EQ(reloads, 1);
    EXPECT_TRUE(form_->oxaChanged()) << "the reload changed the module";

    expectScriptDone();
}

TEST_F(DesignerTest, ATransformedModuleIsLoadedWithoutTheExternalFileCheck) {
    ASSERT_TRUE(start());
    newModule("Counter");
    ASSERT_TRUE(QDir().mkdir(file("src")));
    writeText(file("src/pulse.h"), "int pulses;\n");
    ASSERT_EQ(ChangeExternalDataEntry(0, 0, toEngine(file("src")).constData(), "pulse.h"), 1);
    setAuthor("A. Author");
    const QString path = file("counter.oxa");
    saveAs(path);
    action("File_close")->trigger();
    // The file in the older format, and the external file changed since.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.startsWith("Format info: [FF200704]"));
    bytes.replace(0, 23, "Format info: [FF200703]");
    ASSERT_TRUE(f.seek(0));
    ASSERT_EQ(f.write(bytes), bytes.size());
    f.close();
    touchLater(file("src/pulse.h"));
    takeBoxes();
    ui_.answerFile(path);
    ui_.answer(Answer::Yes);
    ui_.handleDialog([](QDialog& d) { d.accept(); });
    action("FileMenu_load")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Load Module|Error loading module - invalid format: FF200703, "
                           "expected FF200704",
                           "Transform Format|Want to transform to the newest format?"}));
    EXPECT_TRUE(form_->oxaPresent());
    EXPECT_EQ(NumberOfExternalDataEntries(0), 1);
    expectScriptDone();
}

TEST_F(DesignerTest, ExternalCodeIsExtractedFromAProjectFile) {
    ASSERT_TRUE(start());
    newModule("Counter");
    ASSERT_TRUE(QDir().mkdir(file("src")));
    writeText(file("src/a.cpp"), "int a;\n");
    writeText(file("src/b.c"), "int b;\n");
    const QByteArray src = file("src").toLatin1();
    writeText(file("project.dsp"), "# project\r\nSOURCE=" + src + "\\a.cpp\r\nSOURCE=" + src +
                                       "\\b.c\r\nSOURCE=" + src + "\\notes.txt\r\n");
    ui_.answerFile(file("project.dsp"));
    ui_.answer(Answer::Ok);
    action("Toolsmenu_extractexternaldsp")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList({"Add to Current External Code|Clear current external code?",
                                        "DSP Interpreted|Interpreted  2 external compile entries",
                                        "Done|External code changed ok."}));
    EXPECT_EQ(NumberOfExternalDataEntries(1), 2);
    EXPECT_TRUE(form_->oxaChanged());

    // A source that does not exist is not taken.
    writeText(file("more.dsp"), "SOURCE=" + src + "\\missing.cpp\n");
    ui_.answerFile(file("more.dsp"));
    ui_.answer(Answer::Cancel);  // add to the current code
    action("Toolsmenu_extractexternaldsp")->trigger();
    EXPECT_EQ(takeBoxes().last(),
              "Retrieving Externals from DSP|Some or all of the entries are not found in their "
              "paths");
    // A file that is not a project file is refused.
    writeText(file("notes.txt"), "SOURCE=x.cpp\n");
    ui_.answerFile(file("notes.txt"));
    ui_.answer(Answer::Ok);
    action("Toolsmenu_extractexternaldsp")->trigger();
    EXPECT_EQ(takeBoxes().last(), "ERROR|Error reading external code.");
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
