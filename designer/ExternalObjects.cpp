#include "ExternalObjects.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "Routines.h"
#include "SmallDialogs.h"
#include "Texts.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer {

namespace {

// The last directory browsed by either picker; empty before the first.
QString& lastBrowsed() {
    static QString dir;
    return dir;
}

QString dateOfFile(const QString& path) {
    EngineBuffer date(128);
    if (GetDateOfFile(toEngine(path).constData(), date.data(), 128) == 0) {
        return {};
    }
    return date.trimmed();
}

constexpr int kEntryRole = Qt::UserRole;

// The engine keeps "\" separators in the paths it stores; they are shown
// and handed back in the platform's own form.
QString shownPath(const QString& enginePath) {
#ifdef Q_OS_WIN
    return enginePath;
#else
    QString path = enginePath;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

}  // namespace

bool isAbsoluteExternalPath(const QString& path) {
    if (path.isEmpty() || path.startsWith(QLatin1Char('.'))) {
        return false;
    }
#ifdef Q_OS_WIN
    if (path.startsWith(QLatin1Char('\\'))) {
        return true;
    }
    return path.size() >= 3 && path.mid(1, 2) == QLatin1String(":\\");
#else
    return path.startsWith(QLatin1Char('/'));
#endif
}

// ---- Dialog_externalobjects -------------------------------------------------------

ExternalObjectsDialog::ExternalObjectsDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_externalobjects"),
                 QStringLiteral("External Object List"), QStringLiteral("Check_changed")) {
    auto* layout = new QVBoxLayout(this);
    labelCount_ = new QLabel(this);
    labelCount_->setObjectName(QStringLiteral("Label_externallist"));
    labelType_ = new QLabel(QStringLiteral("0"), this);
    labelType_->setObjectName(QStringLiteral("Label_typeext"));
    labelType_->hide();
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List_ExternalObjects"));
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    layout->addWidget(labelCount_);
    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    auto* buttons = new QVBoxLayout;
    struct B {
        const char* name;
        const char* caption;
        void (ExternalObjectsDialog::*command)();
    };
    const B commands[] = {
        {"Command_add", "Add One", &ExternalObjectsDialog::addOne},
        {"Command_AddMany", "Add Many", &ExternalObjectsDialog::addMany},
        {"Command_edit", "Edit", &ExternalObjectsDialog::edit},
        {"Command_remove", "Erase", &ExternalObjectsDialog::remove},
        {"Command_clearall", "Erase all", &ExternalObjectsDialog::clearAll},
        {"Command_reload", "Reload", &ExternalObjectsDialog::reload},
        {"Command_export", "Export", &ExternalObjectsDialog::exportFiles},
        {"Command_selectall", "Select All", &ExternalObjectsDialog::selectAll},
        {"Command_deselect", "Deselect", &ExternalObjectsDialog::deselect},
        {"Command_unmark", "Unmark", &ExternalObjectsDialog::unmark},
    };
    for (const B& b : commands) {
        QPushButton* pb = button(QString::fromLatin1(b.name), QString::fromLatin1(b.caption));
        buttons->addWidget(pb);
        connect(pb, &QPushButton::clicked, this, b.command);
    }
    buttons->addStretch();
    QPushButton* close = button(QStringLiteral("Command_close"), QStringLiteral("Close"));
    buttons->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    row->addLayout(buttons);
    layout->addLayout(row, 1);
    auto* notes = new QLabel(
        QStringLiteral("HINTS in the case of C++ language:\n"
                       "-C externals should be wrapped in extern \"C\" declarations.\n"
                       "-In the case of including objects, they should be protected against "
                       "multiple inclusion.\n"
                       "-If a .obj/.lib is added, it must be compiled with MultiThreaded DLL "
                       "option.\n"
                       "-CAUTION: the paths of the files cannot contain the characters [, ] or @."),
        this);
    notes->setObjectName(QStringLiteral("Label_hints"));
    notes->setWordWrap(true);
    layout->addWidget(notes);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        QSignalBlocker block(list_);
        list_->clearSelection();
        item->setSelected(true);
        edit();
    });
    setFlag(0);
    updateCount();
    resize(720, 420);
}

void ExternalObjectsDialog::setKind(int kind) {
    kind_ = kind;
    labelType_->setText(QString::number(kind));
}

QString ExternalObjectsDialog::itemText(const ExternalEntryText& entry, bool mark) {
    return QString(mark ? QLatin1Char('*') : QLatin1Char(' ')) + "(" + trimBlanks(entry.name) +
           ") @ [" + trimBlanks(entry.path) + "] : " + trimBlanks(entry.timestamp);
}

void ExternalObjectsDialog::setItem(QListWidgetItem* item, const ExternalEntryText& entry,
                                    bool mark) {
    item->setText(itemText(entry, mark));
    // The parts are kept beside the text, so that names holding ")" or "]"
    // read back whole.
    item->setData(kEntryRole, QStringList{entry.path, entry.name, entry.timestamp});
    item->setSelected(mark);
}

void ExternalObjectsDialog::updateCount() {
    const int n = list_->count();
    labelCount_->setText(n == 1 ? QStringLiteral("There is 1 external object in the list:")
                                : "There are " + QString::number(n) +
                                      " external objects in the list:");
}

bool ExternalObjectsDialog::readEngineEntry(int position, ExternalEntryText& entry) const {
    EngineBuffer path(256), name(128), date(128);
    if (RetrieveExternalDataEntry(kind_, position, path.data(), name.data(), date.data(), 256, 128,
                                  128) == 0) {
        return false;
    }
    entry = {shownPath(path.trimmed()), name.trimmed(), date.trimmed()};
    return true;
}

int ExternalObjectsDialog::updatelistofexternals(bool checktime, bool countinexistent) {
    const int n = NumberOfExternalDataEntries(kind_);
    list_->clear();
    int marked = 0;
    for (int j = 0; j < n; ++j) {
        ExternalEntryText entry;
        bool mark = false;
        if (!readEngineEntry(j, entry)) {
            entry = {QStringLiteral("<retrieving external entry>"), QStringLiteral("<ERROR>"),
                     QStringLiteral("0")};
            mark = true;
        } else if (checktime) {
            const int r = CheckModificationsDataEntry(kind_, j);
            mark = r == 0 || (r == 2 && countinexistent);
        }
        if (mark) {
            ++marked;
        }
        addexternalobjecttolist(entry.path, entry.name, entry.timestamp, false, mark);
    }
    updateCount();
    return marked;
}

bool ExternalObjectsDialog::addexternalobjecttolist(const QString& path, const QString& name,
                                                    const QString& timestamp, bool addtomodule,
                                                    bool mark) {
    ExternalEntryText entry{path, name, timestamp};
    if (addtomodule) {
        const int position = list_->count();
        if (ChangeExternalDataEntry(kind_, position, toEngine(path).constData(),
                                    toEngine(name).constData()) == 0) {
            routines_.warning(QStringLiteral("Updating External Data"),
                              QStringLiteral("Error adding external data. Maybe file does not "
                                             "exist?"));
            return false;
        }
        readEngineEntry(position, entry);
        mark = false;
    }
    auto* item = new QListWidgetItem;
    list_->addItem(item);
    setItem(item, entry, mark);
    updateCount();
    return true;
}

ExternalEntryText ExternalObjectsDialog::readexternalentry(int position) const {
    QListWidgetItem* item = list_->item(position - 1);
    if (item == nullptr) {
        return {};
    }
    const QStringList parts = item->data(kEntryRole).toStringList();
    if (parts.size() == 3) {
        return {parts[0], parts[1], parts[2]};
    }
    // An item without its parts: split its text.
    const QString text = item->text();
    const qsizetype close = text.indexOf(QLatin1Char(')'));
    const qsizetype bracket = close < 0 ? -1 : text.indexOf(QLatin1Char(']'), close);
    if (close < 0 || bracket < 0) {
        return {};
    }
    return {text.mid(close + 5, bracket - close - 5), text.mid(2, close - 2),
            text.mid(bracket + 4)};
}

QList<int> ExternalObjectsDialog::selectedRows() const {
    QList<int> rows;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->isSelected()) {
            rows << i;
        }
    }
    return rows;
}

void ExternalObjectsDialog::addOne() {
    auto picker = std::make_unique<AskExternalObjectDialog>(routines_, this);
    picker->setFields(QString(), QString(), QString());
    routines_.showModal(*picker);
    if (picker->flag() != 1) {
        return;
    }
    const QString path = picker->path();
    const QString name = picker->fileName();
    const QString timestamp = picker->timestamp();
    picker.reset();
    addexternalobjecttolist(path, name, timestamp, true, false);
    setFlag(1);
}

void ExternalObjectsDialog::addMany() {
    auto picker = std::make_unique<AskManyExternalObjectsDialog>(routines_, this);
    routines_.showModal(*picker);
    if (picker->flag() != 1) {
        return;
    }
    for (int i = 0; i < picker->NumberOfSelected(); ++i) {
        const QStringList data = picker->DataNthSelected(i);
        addexternalobjecttolist(data.value(0), data.value(1), data.value(2), true, false);
    }
    setFlag(1);
}

void ExternalObjectsDialog::edit() {
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        routines_.warning(QStringLiteral("No Entry Selected"),
                          QStringLiteral("You must select an entry before editing!"));
        return;
    }
    const int position = rows.front();
    list_->clearSelection();
    const ExternalEntryText old = readexternalentry(position + 1);
    auto picker = std::make_unique<AskExternalObjectDialog>(routines_, this);
    picker->setFields(old.path, old.name, old.timestamp);
    routines_.showModal(*picker);
    if (picker->flag() != 1) {
        return;
    }
    const QString path = picker->path();
    const QString name = picker->fileName();
    picker.reset();
    QListWidgetItem* item = list_->item(position);
    ExternalEntryText changed;
    if (ChangeExternalDataEntry(kind_, position, toEngine(path).constData(),
                                toEngine(name).constData()) != 0 &&
        readEngineEntry(position, changed)) {
        setItem(item, changed, false);
        setFlag(1);
    } else {
        setItem(item, old, true);
        routines_.warning(QStringLiteral("Error Changing Entry"),
                          QStringLiteral("Error changing the external entry."));
    }
}

void ExternalObjectsDialog::remove() {
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        routines_.warning(QStringLiteral("No Entry Selected"),
                          QStringLiteral("You must select an entry before removing!"));
        return;
    }
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (DeleteExternalDataEntry(kind_, *it) != 0) {
            delete list_->takeItem(*it);
            updateCount();
        } else {
            routines_.warning(QStringLiteral("Removing External Entry"),
                              QStringLiteral("Error removing data entry"));
        }
    }
    setFlag(1);
}

void ExternalObjectsDialog::clearAll() {
    if (!routines_.askOk(QStringLiteral("Confirmation"), QStringLiteral("Sure?"))) {
        return;
    }
    if (DeleteExternalDataEntry(kind_, list_->count()) == 0) {
        routines_.warning(QStringLiteral("Clearing List"), QStringLiteral("Error Clearing List"));
    }
    updatelistofexternals(false, true);
    setFlag(1);
}

void ExternalObjectsDialog::reload() {
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        routines_.warning(QStringLiteral("No Entry Selected"),
                          QStringLiteral("You must select an entry before reloading!"));
        return;
    }
    const QString title = QStringLiteral("Reloading Externals");
    int failures = 0;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int position = *it;
        ExternalEntryText entry;
        if (!readEngineEntry(position, entry)) {
            routines_.warning(title, "Error retrieving external entry [" +
                                         readexternalentry(position + 1).name + "]");
            return;
        }
        QListWidgetItem* item = list_->item(position);
        ExternalEntryText reloaded;
        if (ChangeExternalDataEntry(kind_, position, toEngine(entry.path).constData(),
                                    toEngine(entry.name).constData()) != 0 &&
            readEngineEntry(position, reloaded)) {
            setItem(item, reloaded, false);
        } else {
            ++failures;
            setItem(item, entry, true);
        }
        item->setSelected(false);
    }
    if (failures == 0) {
        routines_.information(title, QStringLiteral("All external entries reloaded"));
    } else {
        routines_.warning(QStringLiteral("Error Reloading"),
                          "There are " + withSign(failures) +
                              " entries that could not be reloaded. They have been marked so you "
                              "can edit them.");
    }
    setFlag(1);
}

void ExternalObjectsDialog::exportFiles() {
    if (list_->count() == 0) {
        return;
    }
    QString directory;
    {
        auto ask = std::make_unique<AskDirDialog>(routines_, this);
        ask->setWindowTitle(QStringLiteral("Destination Directory and Drive"));
        ask->load();
        routines_.showModal(*ask);
        if (ask->flag() != 1) {
            return;
        }
        directory = ask->selectedDirectory();
    }
    const QString title = QStringLiteral("Exporting Files");
    WaitCursor wait;
    if (CopyExternalsIntoFiles(kind_, toEngine(directory).constData()) != 0) {
        routines_.information(title, QStringLiteral("Files exported."));
    } else {
        routines_.warning(title, QStringLiteral("Error copying files."));
    }
}

void ExternalObjectsDialog::selectAll() {
    for (int i = 0; i < list_->count(); ++i) {
        list_->item(i)->setSelected(true);
    }
}

void ExternalObjectsDialog::deselect() {
    list_->clearSelection();
}

void ExternalObjectsDialog::unmark() {
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        const bool selected = item->isSelected();
        setItem(item, readexternalentry(i + 1), false);
        item->setSelected(selected);
    }
}

// ---- Browsing ------------------------------------------------------------------

FileBrowser::FileBrowser(Routines& routines, QWidget* owner, QComboBox* drives, DirectoryList* dirs,
                         QListWidget* files)
    : QObject(owner), routines_(routines), drives_(drives), dirs_(dirs), files_(files) {
    connect(dirs_, &DirectoryList::pathChanged, this, [this](const QString& dir) {
        lastBrowsed() = dir;
        fillFiles();
    });
    if (drives_ != nullptr) {
        for (const QFileInfo& drive : QDir::drives()) {
            drives_->addItem(drive.absoluteFilePath());
        }
        connect(drives_, &QComboBox::activated, this, &FileBrowser::driveChosen);
    }
}

QString FileBrowser::lastDirectory(const Routines& routines) {
    return lastBrowsed().isEmpty() ? routines.startDirectory() : lastBrowsed();
}

void FileBrowser::start() {
    if (!browse(lastDirectory(routines_))) {
        browse(QDir::currentPath());
    }
}

bool FileBrowser::browse(const QString& dir) {
    if (!dirs_->setPath(dir)) {
        return false;
    }
    if (drives_ != nullptr) {
        QSignalBlocker block(drives_);
        for (int i = 0; i < drives_->count(); ++i) {
            if (dirs_->path().startsWith(drives_->itemText(i).left(1), Qt::CaseInsensitive)) {
                drives_->setCurrentIndex(i);
                break;
            }
        }
    }
    return true;
}

QString FileBrowser::directory() const {
    return dirs_->path();
}

void FileBrowser::driveChosen(int index) {
    const QString root = drives_->itemText(index);
    const QString before = lastDirectory(routines_);
    if (!browse(root)) {
        routines_.plain(QStringLiteral("Error reading drive"),
                        "Drive " + root.left(1) + ": not ready");
        browse(before);
    }
}

void FileBrowser::fillFiles() {
    files_->clear();
    const QDir dir(dirs_->path());
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        files_->addItem(name);
    }
}

namespace {

// Lays out the drive, directory and file lists of a picker; the drive list
// only where the platform has drives.
QGridLayout* browserControls(QWidget* owner, QComboBox*& drives, DirectoryList*& dirs,
                             QListWidget*& files) {
    auto* grid = new QGridLayout;
    drives = nullptr;
#ifdef Q_OS_WIN
    drives = new QComboBox(owner);
    drives->setObjectName(QStringLiteral("Drive1"));
    grid->addWidget(drives, 0, 0);
#endif
    auto* current = new QLabel(owner);
    current->setObjectName(QStringLiteral("Label_dir"));
    dirs = new DirectoryList(owner);
    dirs->setObjectName(QStringLiteral("Dir1"));
    QObject::connect(dirs, &DirectoryList::pathChanged, current, &QLabel::setText);
    auto* filesLabel = new QLabel(QStringLiteral("Files in the directory:"), owner);
    files = new QListWidget(owner);
    files->setObjectName(QStringLiteral("File1"));
    grid->addWidget(current, 1, 0);
    grid->addWidget(dirs, 2, 0);
    grid->addWidget(filesLabel, 1, 1);
    grid->addWidget(files, 2, 1);
    return grid;
}

}  // namespace

// ---- Dialog_askexternalobject ------------------------------------------------------

AskExternalObjectDialog::AskExternalObjectDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_askexternalobject"),
                 QStringLiteral("External Object Dialog"), QStringLiteral("Check_okcancel")) {
    auto* layout = new QVBoxLayout(this);
    QComboBox* drives;
    DirectoryList* dirs;
    QListWidget* files;
    layout->addLayout(browserControls(this, drives, dirs, files));
    auto* fields = new QGridLayout;
    textPath_ = new QLineEdit(this);
    textPath_->setObjectName(QStringLiteral("Text_path"));
    textFileName_ = new QLineEdit(this);
    textFileName_->setObjectName(QStringLiteral("Text_filename"));
    textLastMod_ = new QLineEdit(this);
    textLastMod_->setObjectName(QStringLiteral("Text_lastmod"));
    fields->addWidget(new QLabel(QStringLiteral("Absolute path:"), this), 0, 0);
    fields->addWidget(textPath_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("File name:"), this), 1, 0);
    fields->addWidget(textFileName_, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Timestamp:"), this), 2, 0);
    fields->addWidget(textLastMod_, 2, 1);
    layout->addLayout(fields);
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("OK"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    QHBoxLayout* buttons = rightAlignedRow({ok, cancel});
    layout->addLayout(buttons);
    browser_ = new FileBrowser(routines, this, drives, dirs, files);
    connect(files, &QListWidget::itemClicked, this, &AskExternalObjectDialog::fileClicked);
    connect(ok, &QPushButton::clicked, this, &AskExternalObjectDialog::ok);
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
    browser_->start();
    resize(620, 440);
}

void AskExternalObjectDialog::setFields(const QString& path, const QString& name,
                                        const QString& timestamp) {
    textPath_->setText(path);
    textFileName_->setText(name);
    textLastMod_->setText(timestamp);
}

QString AskExternalObjectDialog::path() const {
    return trimBlanks(textPath_->text());
}
QString AskExternalObjectDialog::fileName() const {
    return trimBlanks(textFileName_->text());
}
QString AskExternalObjectDialog::timestamp() const {
    return trimBlanks(textLastMod_->text());
}

void AskExternalObjectDialog::fileClicked(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    const QString dir = trimBlanks(browser_->directory());
    textPath_->setText(dir);
    textFileName_->setText(trimBlanks(item->text()));
    textLastMod_->setText(dateOfFile(QDir(dir).filePath(item->text())));
}

void AskExternalObjectDialog::ok() {
    if (fileName().isEmpty()) {
        routines_.warning(QStringLiteral("ERROR"), QStringLiteral("You must choose a file."));
        return;
    }
    if (!isAbsoluteExternalPath(path()) &&
        !routines_.askOk(QStringLiteral("Suggestion"),
                         QStringLiteral("Sure? Paths should be absolute for the file to be found "
                                        "and copied to the compilation directory."))) {
        return;
    }
    hideWith(1);
}

// ---- Dialog_askmanyexternalobjects --------------------------------------------------

AskManyExternalObjectsDialog::AskManyExternalObjectsDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_askmanyexternalobjects"),
                 QStringLiteral("External Objects Dialog"), QStringLiteral("Check_okcancel")) {
    auto* layout = new QVBoxLayout(this);
    QComboBox* drives;
    DirectoryList* dirs;
    layout->addLayout(browserControls(this, drives, dirs, files_));
    files_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* buttons = new QHBoxLayout;
    QPushButton* all = button(QStringLiteral("Command_selectall"), QStringLiteral("Select All"));
    QPushButton* clear = button(QStringLiteral("Command_clearselected"), QStringLiteral("Clear"));
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("OK"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    buttons->addWidget(all);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    browser_ = new FileBrowser(routines, this, drives, dirs, files_);
    connect(all, &QPushButton::clicked, files_, &QListWidget::selectAll);
    connect(clear, &QPushButton::clicked, files_, &QListWidget::clearSelection);
    connect(ok, &QPushButton::clicked, this, &AskManyExternalObjectsDialog::ok);
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
    browser_->start();
    resize(620, 420);
}

int AskManyExternalObjectsDialog::NumberOfSelected() const {
    int n = 0;
    for (int i = 0; i < files_->count(); ++i) {
        n += files_->item(i)->isSelected() ? 1 : 0;
    }
    return n;
}

QStringList AskManyExternalObjectsDialog::DataNthSelected(int n) const {
    int seen = 0;
    for (int i = 0; i < files_->count(); ++i) {
        if (!files_->item(i)->isSelected()) {
            continue;
        }
        if (seen++ == n) {
            const QString dir = trimBlanks(browser_->directory());
            const QString name = trimBlanks(files_->item(i)->text());
            return {dir, name, dateOfFile(QDir(dir).filePath(name))};
        }
    }
    return {};
}

void AskManyExternalObjectsDialog::ok() {
    if (NumberOfSelected() == 0) {
        routines_.warning(QStringLiteral("External Objects"),
                          QStringLiteral("You must select at least one file!"));
        return;
    }
    hideWith(1);
}

}  // namespace orven::designer
