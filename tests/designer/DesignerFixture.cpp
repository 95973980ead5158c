#include "DesignerFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Widgets.h"

namespace orven::designer::test {

namespace {

bool copyTree(const QString& from, const QString& to) {
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to)) {
        return false;
    }
    for (const QFileInfo& entry :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir() ? !copyTree(entry.filePath(), target)
                          : !QFile::copy(entry.filePath(), target)) {
            return false;
        }
    }
    return true;
}

}  // namespace

void click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
    // Lay out what was just shown, so that the click lands on the button.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (button->isVisible() && !button->rect().isEmpty()) {
        // Check boxes and option buttons react only on their indicator and
        // caption, which stand at their left.
        const QRect r = button->rect();
        const QPoint at = button->isCheckable() && qobject_cast<QPushButton*>(button) == nullptr
                              ? QPoint(qMin(8, r.width() / 2), r.height() / 2)
                              : r.center();
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    } else {
        button->click();
    }
}

void acceptNameDialog(QDialog& dialog, const QString& name, const QString& description) {
    EXPECT_EQ(dialog.objectName(), QStringLiteral("Dialog_namedescr"));
    auto* text1 = control<QLineEdit>(&dialog, QStringLiteral("Text1"));
    auto* text2 = control<TextBox>(&dialog, QStringLiteral("RichTextBox2"));
    if (text1 == nullptr || text2 == nullptr) {
        dialog.reject();
        return;
    }
    text1->setText(name);
    text2->setText(description);
    click(control<QAbstractButton>(&dialog, QStringLiteral("OKButton")));
}

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

namespace {
QPoint rowCentre(QListWidget* list, int row) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    list->scrollToItem(list->item(row));
    return list->visualItemRect(list->item(row)).center();
}
}  // namespace

void clickRow(QListWidget* list, int row) {
    ASSERT_LT(row, list->count());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

void doubleClickRow(QListWidget* list, int row) {
    ASSERT_LT(row, list->count());
    const QPoint at = rowCentre(list, row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void selectRow(QListWidget* list, int row) {
    ASSERT_GE(row, 0);
    ASSERT_LT(row, list->count());
    list->setCurrentRow(row);
    list->item(row)->setSelected(true);
}

void selectText(QListWidget* list, const QString& text) {
    const QStringList all = items(list);
    const qsizetype row = all.indexOf(text);
    ASSERT_GE(row, 0) << "no item " << text.toStdString() << " in " << all.join("|").toStdString();
    selectRow(list, static_cast<int>(row));
}

void DesignerTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    previousDir_ = QDir::currentPath();
    const QByteArray path = qgetenv("PATH");
    if (!path.contains(ORVEN_TOOLS_DIR)) {
        qputenv("PATH", QByteArray(ORVEN_TOOLS_DIR) + ":" + path);
    }
    options_ = std::make_unique<MainForm::Options>();
    options_->splashMilliseconds = 0;
}

void DesignerTest::TearDown() {
    form_.reset();
    QDir::setCurrent(previousDir_);
}

void DesignerTest::prepareWorkDir(bool withExternals, bool withCatalogue) {
    ASSERT_TRUE(copyTree(QStringLiteral(ORVEN_SOURCE_DIR "/data"), dir_.path()));
    if (!withCatalogue) {
        ASSERT_TRUE(QFile::remove(file(QStringLiteral("nonportable.cps"))));
    }
    if (withExternals) {
        ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("externals")));
    }
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    prepared_ = true;
}

bool DesignerTest::start() {
    if (!prepared_) {
        prepareWorkDir();
    }
    form_ = std::make_unique<MainForm>(ui_, *options_);
    const bool ok = form_->startUp();
    if (ok) {
        form_->show();
    }
    return ok;
}

QString DesignerTest::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

QAction* DesignerTest::action(const QString& name) const {
    QAction* a = form_->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << "no menu entry " << name.toStdString();
    return a;
}

void DesignerTest::newModule(const QString& name, const QString& description) {
    ui_.handleDialog([=](QDialog& d) { acceptNameDialog(d, name, description); });
    action(QStringLiteral("FileMenu_new"))->trigger();
}

void DesignerTest::addGroup(const QString& name, const QString& description) {
    ui_.handleDialog([=](QDialog& d) { acceptNameDialog(d, name, description); });
    action(QStringLiteral("EditMenu_addGroup"))->trigger();
}

void DesignerTest::addService(const QString& group, const QString& name,
                              const QString& description) {
    selectText(ctl<QListWidget>(QStringLiteral("List_Groups")), group);
    ui_.handleDialog([=](QDialog& d) { acceptNameDialog(d, name, description); });
    action(QStringLiteral("EditMenu_newserv"))->trigger();
}

void DesignerTest::selectService(const QString& group, const QString& service) {
    selectText(ctl<QListWidget>(QStringLiteral("List_Groups")), group);
    selectText(ctl<QListWidget>(QStringLiteral("List_Services")), service);
}

void DesignerTest::setAuthor(const QString& author) {
    ui_.handleDialog([=](QDialog& d) {
        control<QLineEdit>(&d, QStringLiteral("Text_au"))->setText(author);
        click(control<QAbstractButton>(&d, QStringLiteral("Command_update")));
        click(control<QAbstractButton>(&d, QStringLiteral("CloseButton")));
    });
    click(ctl<QAbstractButton>(QStringLiteral("Command_geninfo")));
}

void DesignerTest::saveAs(const QString& path) {
    ui_.answerFile(path);
    action(QStringLiteral("FileMenu_save"))->trigger();
}

QStringList DesignerTest::takeBoxes() {
    QStringList boxes = ui_.boxes();
    ui_.clearCalls();
    return boxes;
}

void DesignerTest::expectScriptDone() {
    EXPECT_TRUE(ui_.scriptConsumed()) << "scripted answers were left";
    EXPECT_TRUE(ui_.unanswered().isEmpty()) << ui_.unanswered().join("\n").toStdString();
}

}  // namespace orven::designer::test
