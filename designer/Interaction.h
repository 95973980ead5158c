// Every modal interaction of the designer with its user goes through this
// interface: message boxes, questions, the input box, the file dialog, the
// opening of help documents, the system-information tool and the modal
// showing of the designer's own dialogs. The Qt implementation talks to the
// user; the scripted one answers from a script and records every call.
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QDialog;

namespace orven::designer {

enum class Icon { None, Information, Warning, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };
enum class FileMode { Open, Save };

class Interaction {
  public:
    virtual ~Interaction() = default;

    // A message box with one "OK" button. An empty title stands for the
    // program's default title.
    virtual void message(const QString& title, const QString& text, Icon icon) = 0;
    // A question with the given buttons.
    virtual Answer question(const QString& title, const QString& text, Buttons buttons,
                            Icon icon = Icon::None) = 0;
    // The input box; nothing when it is cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& defaultText) = 0;
    // The platform's file dialog, with the pattern (such as "*.oxa") as the
    // initial file name: for opening the file must exist, for saving an
    // existing file must be confirmed and read-only files are refused.
    // Empty when cancelled.
    virtual QString fileName(const QString& title, FileMode mode, const QString& pattern) = 0;
    // Opens a document (a help file) with the platform's viewer.
    virtual bool openDocument(const QUrl& url) = 0;
    // Starts the platform's system-information tool; false when none is found.
    virtual bool startSystemInformation() = 0;
    // Shows one of the designer's own dialogs modally and returns its
    // QDialog result code.
    virtual int showModal(QDialog& dialog) = 0;
};

}  // namespace orven::designer
