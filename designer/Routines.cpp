#include "Routines.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "NameDescrDialog.h"
#include "Texts.h"
#include "orven.h"

#ifndef ORVEN_HELP_DIR
#define ORVEN_HELP_DIR ""
#endif

namespace orven::designer {

Routines::Routines(Interaction& interaction, QWidget* window)
    : ui_(interaction), window_(window), startDirectory_(QDir::currentPath()) {}

int Routines::showModal(QDialog& dialog) {
    return ui_.showModal(dialog);
}

NameAndDescription Routines::askNameAndDescription(const QString& title, const QString& name,
                                                   const QString& description, int maxName,
                                                   int maxDescription) {
    NameAndDescription out;
    NameDescrDialog dialog(*this, window_);
    dialog.prepare(title, name, description, maxName, maxDescription);
    if (showModal(dialog) != QDialog::Accepted) {
        return out;
    }
    out.accepted = true;
    out.name = dialog.name();
    out.description = dialog.description();
    if (out.description.isEmpty()) {
        out.description = QStringLiteral("<no description>");
    }
    if (ValidateDescription(toEngine(out.description).constData()) == 0) {
        warning(
            QStringLiteral("*** EXPERIMENTAL VALIDATION SERVICE ***"),
            QStringLiteral("From ORVEN MD v1.31, you are encouraged to enter valid descriptions!"));
    }
    return out;
}

QString Routines::askFileName(const QString& title, FileMode mode, const QString& pattern) {
    const QString before = QDir::currentPath();
    QString path = ui_.fileName(title, mode, pattern);
    QDir::setCurrent(before);
    return path;
}

QString Routines::helpFilePath(HelpDocument document) const {
    const char* name = "orvenmd.html";
    switch (document) {
        case HelpDocument::Designer:
            name = "orvenmd.html";
            break;
        case HelpDocument::Odl:
            name = "odl.html";
            break;
        case HelpDocument::Atoms:
            name = "quenoratoms.html";
            break;
        case HelpDocument::Robotics:
            name = "voxl.html";
            break;
    }
    const QString inStart = QDir(startDirectory_).filePath(QStringLiteral("help/") + name);
    if (QFileInfo::exists(inStart)) {
        return inStart;
    }
    const QString installed = QDir(QStringLiteral(ORVEN_HELP_DIR)).filePath(name);
    if (!QStringLiteral(ORVEN_HELP_DIR).isEmpty() && QFileInfo::exists(installed)) {
        return installed;
    }
    return inStart;
}

void Routines::openHelp(HelpDocument document) {
    const QString path = helpFilePath(document);
    if (!QFileInfo::exists(path)) {
        warning(QStringLiteral("Help"), "The help document " + path + " was not found.");
        return;
    }
    if (!ui_.openDocument(QUrl::fromLocalFile(path))) {
        warning(QStringLiteral("Help"), "The help document " + path + " could not be opened.");
    }
}

QString Routines::selectedListText(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    if (items.isEmpty()) {
        return {};
    }
    return trimBlanks(items.front()->text());
}

void Routines::replaceSelectedListText(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    if (!items.isEmpty()) {
        items.front()->setText(text);
    }
}

void Routines::removeSelectedListItem(QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    if (!items.isEmpty()) {
        delete list->takeItem(list->row(items.front()));
    }
}

}  // namespace orven::designer
