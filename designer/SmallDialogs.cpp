#include "SmallDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

#include "Routines.h"
#include "Texts.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer {

// ---- geninfo_dialog ----------------------------------------------------

GenInfoDialog::GenInfoDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("geninfo_dialog"),
                 QStringLiteral("Module's General Information")) {
    auto* grid = new QGridLayout(this);
    version_ = new QLineEdit(this);
    version_->setObjectName(QStringLiteral("Text_vr"));
    date_ = new QLineEdit(this);
    date_->setObjectName(QStringLiteral("Text_dt"));
    author_ = new QLineEdit(this);
    author_->setObjectName(QStringLiteral("Text_au"));
    otherDependencies_ = new TextBox(this);
    otherDependencies_->setObjectName(QStringLiteral("RichTextBox1"));
    comments_ = new TextBox(this);
    comments_->setObjectName(QStringLiteral("RichTextBox2"));
    grid->addWidget(new QLabel(QStringLiteral("Version:"), this), 0, 0);
    grid->addWidget(version_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Date:"), this), 1, 0);
    grid->addWidget(date_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Author:"), this), 2, 0);
    grid->addWidget(author_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Other dependencies:"), this), 3, 0, Qt::AlignTop);
    grid->addWidget(otherDependencies_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Comments:"), this), 4, 0, Qt::AlignTop);
    grid->addWidget(comments_, 4, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* update =
        button(QStringLiteral("Command_update"), QStringLiteral("Update Information"));
    QPushButton* close = button(QStringLiteral("CloseButton"), QStringLiteral("Close"));
    buttons->addStretch();
    buttons->addWidget(update);
    buttons->addWidget(close);
    grid->addLayout(buttons, 5, 0, 1, 2);
    connect(update, &QPushButton::clicked, this, &GenInfoDialog::update);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(480, 420);
}

bool GenInfoDialog::load() {
    setFlag(0);
    version_->setMaxLength(16);
    date_->setMaxLength(32);
    author_->setMaxLength(48);
    otherDependencies_->setMaxLength(512);
    comments_->setMaxLength(1024);
    EngineBuffer v(16), d(32), a(48), o(512), c(1024);
    if (GetOXAModuleGeneralInfo(16, v.data(), 32, d.data(), 48, a.data(), 512, o.data(), 1024,
                                c.data()) == 0) {
        routines_.warning(QString(), QStringLiteral("Error reading information"));
        return false;
    }
    version_->setText(v.text());
    date_->setText(d.text());
    author_->setText(a.text());
    otherDependencies_->setText(o.text());
    comments_->setText(c.text());
    return true;
}

void GenInfoDialog::update() {
    setFlag(1);
    if (SetOXAModuleGeneralInfo(
            toEngine(version_->text()).constData(), toEngine(date_->text()).constData(),
            toEngine(author_->text()).constData(), toEngine(otherDependencies_->text()).constData(),
            toEngine(comments_->text()).constData()) == 0) {
        routines_.warning(QString(), QStringLiteral("Error recording information"));
    }
}

// ---- Dialog_compacted --------------------------------------------------

CompactedDialog::CompactedDialog(Routines& routines, QWidget* parent)
    : QDialog(parent), routines_(routines) {
    setObjectName(QStringLiteral("Dialog_compacted"));
    setWindowTitle(QStringLiteral("Compacted Text Interpreter"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(
        QStringLiteral("Paste on the text area below the compacted string, then \"Interpret\"."),
        this);
    label->setObjectName(QStringLiteral("Label1"));
    text_ = new TextBox(this);
    text_->setObjectName(QStringLiteral("RichTextBox2"));
    text_->setFont(QFont(QStringLiteral("Monospace")));
    layout->addWidget(label);
    layout->addWidget(text_);
    auto* buttons = new QHBoxLayout;
    auto make = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* interpret = make("Command_interpret", "INTERPRET");
    QPushButton* clear = make("Command_clear", "Clear text");
    QPushButton* close = make("OKButton", "Close");
    buttons->addWidget(interpret);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(interpret, &QPushButton::clicked, this, &CompactedDialog::interpret);
    connect(clear, &QPushButton::clicked, this, &CompactedDialog::clearText);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(520, 360);
}

void CompactedDialog::interpret() {
    const QByteArray t = toEngine(text_->text());
    // A decoded block is never longer than its encoding; one byte more
    // holds the terminating zero.
    const int size = static_cast<int>(t.size()) + 1;
    EngineBuffer out(size);
    if (DecompactText(t.constData(), out.data(), size) == 0) {
        routines_.warning(QStringLiteral("ERROR"), QStringLiteral("Error decompacting text"));
        return;
    }
    const QString result = out.text();
    if (result.isEmpty()) {
        routines_.warning(QStringLiteral("WARNING"),
                          QStringLiteral("No compacted text was detected"));
    }
    text_->setText(result);
}

void CompactedDialog::clearText() {
    text_->setText(QString());
}

// ---- Dialog_showlog ----------------------------------------------------

ShowLogDialog::ShowLogDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Dialog_showlog"));
    setWindowTitle(QStringLiteral("Generated Log"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    log_ = new TextBox(this);
    log_->setObjectName(QStringLiteral("RichTextBox1"));
    log_->setReadOnly(true);
    log_->setFont(QFont(QStringLiteral("Monospace")));
    label_ = new QLabel(QStringLiteral("(You can copy text from this box to the clipboard)"), this);
    label_->setObjectName(QStringLiteral("Label1"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("OKButton"));
    layout->addWidget(label_);
    layout->addWidget(log_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(560, 400);
}

void ShowLogDialog::setLabel(const QString& label) {
    label_->setText(label);
}
void ShowLogDialog::setLog(const QString& log) {
    log_->setText(log);
}

// ---- DialogNewDir ------------------------------------------------------

NewDirDialog::NewDirDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("DialogNewDir"),
                 QStringLiteral("New Directory")) {
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Name for the Directory:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("TextDirName"));
    layout->addWidget(label);
    layout->addWidget(name_);
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("OK"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &NewDirDialog::ok);
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
}

QString NewDirDialog::name() const {
    return name_->text();
}

void NewDirDialog::ok() {
    if (trimBlanks(name_->text()).isEmpty()) {
        routines_.warning(QString(), QStringLiteral("A name must be entered"));
        return;
    }
    hideWith(1);
}

// ---- Form_askdir -------------------------------------------------------

AskDirDialog::AskDirDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Form_askdir"),
                 QStringLiteral("Select Directory")) {
    auto* layout = new QVBoxLayout(this);
    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive1"));
    dirs_ = new DirectoryList(this);
    dirs_->setObjectName(QStringLiteral("Dir1"));
    auto* current = new QLabel(this);
    current->setObjectName(QStringLiteral("Label_path"));
    layout->addWidget(drives_);
    layout->addWidget(current);
    layout->addWidget(dirs_);
    auto* buttons = new QHBoxLayout;
    QPushButton* create = button(QStringLiteral("Command_createdir"), QStringLiteral("New Dir..."));
    QPushButton* ok = button(QStringLiteral("Command_okdir"), QStringLiteral("Ok"));
    QPushButton* cancel = button(QStringLiteral("Command_cancel"), QStringLiteral("Cancel"));
    buttons->addWidget(create);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(dirs_, &DirectoryList::pathChanged, current, &QLabel::setText);
    connect(drives_, &QComboBox::activated, this, &AskDirDialog::driveChanged);
    connect(create, &QPushButton::clicked, this, &AskDirDialog::newDirectory);
    connect(ok, &QPushButton::clicked, this, [this] { hideWith(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
    resize(420, 380);
}

void AskDirDialog::load() {
    QSignalBlocker block(drives_);
    drives_->clear();
    const QString cwd = QDir::currentPath();
    int current = 0;
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath();
        if (cwd.startsWith(root, Qt::CaseInsensitive)) {
            current = drives_->count();
        }
        drives_->addItem(root);
    }
    drives_->setCurrentIndex(current);
    dirs_->setPath(cwd);
}

QString AskDirDialog::selectedDirectory() const {
    return dirs_->selectedEntry();
}

void AskDirDialog::driveChanged(int index) {
    const QString root = drives_->itemText(index);
    if (!dirs_->setPath(root)) {
        QString letter = root;
        while (letter.endsWith(QLatin1Char('/')) || letter.endsWith(QLatin1Char('\\')) ||
               letter.endsWith(QLatin1Char(':'))) {
            letter.chop(1);
        }
        routines_.plain(QStringLiteral("Error reading drive"),
                        "Drive " + (letter.isEmpty() ? root : letter) + ": not ready");
        load();
    }
}

QString AskDirDialog::newDirectoryPath(const QString& parent, const QString& name) {
    const QString separator = QDir::separator();
    return parent + (parent.endsWith(separator) ? QString() : separator) + trimBlanks(name);
}

void AskDirDialog::newDirectory() {
    auto dialog = std::make_unique<NewDirDialog>(routines_, this);
    routines_.showModal(*dialog);
    const QString path = newDirectoryPath(dirs_->selectedEntry(), dialog->name());
    if (dialog->flag() == 1) {
        if (!QDir().mkdir(path) || !dirs_->setPath(path)) {
            routines_.warning(QStringLiteral("Create Directory"),
                              QStringLiteral("Could not create the directory"));
        }
    }
}

// ---- Auto_form ---------------------------------------------------------

AutoForm::AutoForm(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Auto_form"), QStringLiteral("Auto_form")) {
    auto* layout = new QVBoxLayout(this);
    frame_ = new QGroupBox(QStringLiteral("Substitution Form"), this);
    frame_->setObjectName(QStringLiteral("Frame_auto"));
    rows_ = new QGridLayout(frame_);
    rows_->setColumnStretch(1, 1);
    layout->addWidget(frame_);
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = button(QStringLiteral("Command1"), QStringLiteral("Ok"));
    QPushButton* cancel = button(QStringLiteral("Command2"), QStringLiteral("Cancel"));
    QPushButton* help = button(QStringLiteral("Command3"), QStringLiteral("Help"));
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, [this] { hideWith(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
    connect(help, &QPushButton::clicked, this, [this] { routines_.openHelp(HelpDocument::Atoms); });
}

void AutoForm::setFrameCaption(const QString& caption) {
    frame_->setTitle(caption);
}

void AutoForm::addentry(const QString& label, const QString& defaultText) {
    const int i = numentries();
    const bool disabled = label.startsWith(QLatin1Char('!'));
    auto* l = new QLabel(disabled ? label.mid(1) : label, frame_);
    l->setObjectName("autolabel" + QString::number(i));
    l->setMaximumWidth(280);
    auto* box = new QLineEdit(defaultText, frame_);
    box->setObjectName("autotextbox" + QString::number(i));
    box->setMinimumWidth(160);
    l->setEnabled(!disabled);
    box->setEnabled(!disabled);
    rows_->addWidget(l, i, 0);
    rows_->addWidget(box, i, 1);
    entries_.push_back({l, box, disabled});
}

void AutoForm::resetentries() {
    for (Entry& e : entries_) {
        delete e.label;
        delete e.box;
    }
    entries_.clear();
}

std::pair<QString, bool> AutoForm::readentrylabel(int position) const {
    if (position < 0 || position >= numentries()) {
        return {QString(), false};
    }
    const Entry& e = entries_[static_cast<std::size_t>(position)];
    return {(e.disabled ? QStringLiteral("!") : QString()) + e.label->text(), true};
}

std::pair<QString, bool> AutoForm::readentryvalue(int position) const {
    if (position < 0 || position >= numentries()) {
        return {QString(), false};
    }
    return {entries_[static_cast<std::size_t>(position)].box->text(), true};
}

}  // namespace orven::designer
