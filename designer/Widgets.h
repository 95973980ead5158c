// Small widgets that the designer's windows share.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace orven::designer {

// A label that reports a left click.
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A plain text box with a maximum length (0: no limit); text beyond the
// limit is cut off as it is typed or pasted.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent = nullptr);
    void setMaxLength(int length);
    int maxLength() const { return maxLength_; }
    QString text() const { return toPlainText(); }
    void setText(const QString& text);

  private:
    void enforceLimit();
    int maxLength_ = 0;
};

// A list of the directories of one directory: the entry "..", then its
// subdirectories. A double click enters the directory of the entry.
class DirectoryList : public QListWidget {
    Q_OBJECT
  public:
    explicit DirectoryList(QWidget* parent = nullptr);
    // The directory whose subdirectories are listed.
    QString path() const { return path_; }
    bool setPath(const QString& path);
    // The highlighted entry as a full path, or the listed directory when
    // nothing is highlighted.
    QString selectedEntry() const;
  signals:
    void pathChanged(const QString& path);

  private:
    QString entryPath(const QListWidgetItem* item) const;
    QString path_;
};

}  // namespace orven::designer
