#include "Widgets.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace orven::designer {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled() && rect().contains(event->pos())) {
        emit clicked();
    }
}

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
    connect(this, &QPlainTextEdit::textChanged, this, &TextBox::enforceLimit);
}

void TextBox::setMaxLength(int length) {
    maxLength_ = length < 0 ? 0 : length;
    enforceLimit();
}

void TextBox::setText(const QString& text) {
    setPlainText(maxLength_ > 0 ? text.left(maxLength_) : text);
}

void TextBox::enforceLimit() {
    if (maxLength_ <= 0) {
        return;
    }
    const QString t = toPlainText();
    if (t.size() <= maxLength_) {
        return;
    }
    QTextCursor cursor = textCursor();
    int position = qMin(cursor.position(), maxLength_);
    setPlainText(t.left(maxLength_));
    cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
}

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(entryPath(item)); });
}

bool DirectoryList::setPath(const QString& path) {
    QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable()) {
        return false;
    }
    QDir dir(info.absoluteFilePath());
    path_ = QDir::cleanPath(dir.absolutePath());
    clear();
    if (!dir.isRoot()) {
        addItem(QStringLiteral(".."));
    }
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        addItem(name);
    }
    emit pathChanged(path_);
    return true;
}

QString DirectoryList::entryPath(const QListWidgetItem* item) const {
    if (item == nullptr) {
        return path_;
    }
    if (item->text() == QLatin1String("..")) {
        return QFileInfo(path_).dir().absolutePath();
    }
    return QDir(path_).filePath(item->text());
}

QString DirectoryList::selectedEntry() const {
    const QList<QListWidgetItem*> items = selectedItems();
    return entryPath(items.isEmpty() ? nullptr : items.front());
}

}  // namespace orven::designer
