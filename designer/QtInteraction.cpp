#include "QtInteraction.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace orven::designer {

namespace {

QString shownTitle(const QString& title) {
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtInteraction::message(const QString& title, const QString& text, Icon icon) {
    QMessageBox box(boxIcon(icon), shownTitle(title), text, QMessageBox::Ok, parent_);
    box.exec();
}

Answer QtInteraction::question(const QString& title, const QString& text, Buttons buttons,
                               Icon icon) {
    QMessageBox::StandardButtons std = QMessageBox::Ok;
    if (buttons == Buttons::OkCancel) {
        std = QMessageBox::Ok | QMessageBox::Cancel;
    } else if (buttons == Buttons::YesNo) {
        std = QMessageBox::Yes | QMessageBox::No;
    }
    QMessageBox box(boxIcon(icon), shownTitle(title), text, std, parent_);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Ok:
            return Answer::Ok;
        default:
            break;
    }
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<QString> QtInteraction::inputText(const QString& title, const QString& prompt,
                                                const QString& defaultText) {
    bool ok = false;
    QString text = QInputDialog::getText(parent_, shownTitle(title), prompt, QLineEdit::Normal,
                                         defaultText, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

QString QtInteraction::fileName(const QString& title, FileMode mode, const QString& pattern) {
    const QString filter = pattern + ";;" + QObject::tr("All files (*)");
    for (;;) {
        QString chosen = mode == FileMode::Open
                             ? QFileDialog::getOpenFileName(parent_, title, QString(), filter)
                             : QFileDialog::getSaveFileName(parent_, title, QString(), filter);
        if (chosen.isEmpty() || mode == FileMode::Open) {
            return chosen;
        }
        QFileInfo info(chosen);
        if (!info.exists() || info.isWritable()) {
            return chosen;
        }
        QMessageBox::warning(parent_, title,
                             chosen + QObject::tr("\nThis file is read-only; choose another."));
    }
}

bool QtInteraction::openDocument(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool QtInteraction::startSystemInformation() {
    static const char* const tools[] = {"hardinfo", "kinfocenter", "gnome-system-monitor",
                                        "xfce4-taskmanager"};
    for (const char* tool : tools) {
        QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (!path.isEmpty() && QProcess::startDetached(path, {})) {
            return true;
        }
    }
    return false;
}

int QtInteraction::showModal(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace orven::designer
