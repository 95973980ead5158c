// An interaction that talks to no one: it answers from a script and records
// every call, in order. The tests drive the designer with it; the designer
// uses it too where no user is present (the screenshot mode).
#pragma once

#include <QDialog>
#include <deque>
#include <functional>
#include <vector>

#include "Interaction.h"

namespace orven::designer {

class ScriptedInteraction : public Interaction {
  public:
    enum class Kind { Message, Question, Input, File, Document, SystemInfo, Dialog };

    struct Call {
        Kind kind;
        QString title;
        QString text;  // message, question or prompt; the file pattern; the url; the dialog
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        FileMode mode = FileMode::Open;
        QString defaultText;
    };

    // What a scripted dialog handler does with the dialog: it fills the
    // controls and presses the buttons; the dialog counts as closed with the
    // result it has when it is no longer visible.
    using DialogHandler = std::function<void(QDialog&)>;

    // Queue the answers, in the order the calls come.
    void answer(Answer a) { answers_.push_back(a); }
    void answerInput(const QString& text) { inputs_.push_back({true, text}); }
    void cancelInput() { inputs_.push_back({false, QString()}); }
    void answerFile(QString path) { files_.push_back(std::move(path)); }
    void answerFile(std::function<QString()> producer) { fileProducers_.push_back(producer); }
    void handleDialog(DialogHandler handler) { dialogs_.push_back(std::move(handler)); }
    void setDocumentResult(bool ok) { documentResult_ = ok; }
    void setSystemInformationResult(bool ok) { systemInfoResult_ = ok; }

    const std::vector<Call>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    // The messages and questions only, as "title|text".
    QStringList boxes() const;
    // Calls that found no scripted answer (a question answered with its
    // negative button, an input or file dialog cancelled, a dialog rejected).
    const QStringList& unanswered() const { return unanswered_; }
    bool scriptConsumed() const {
        return answers_.empty() && inputs_.empty() && files_.empty() && dialogs_.empty();
    }

    void message(const QString& title, const QString& text, Icon icon) override;
    Answer question(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    QString fileName(const QString& title, FileMode mode, const QString& pattern) override;
    bool openDocument(const QUrl& url) override;
    bool startSystemInformation() override;
    int showModal(QDialog& dialog) override;

    // Called for every message box (for instance to print it).
    std::function<void(const Call&)> onCall;

  private:
    void record(Call call);

    std::vector<Call> calls_;
    QStringList unanswered_;
    std::deque<Answer> answers_;
    std::deque<std::pair<bool, QString>> inputs_;
    std::deque<QString> files_;
    std::deque<std::function<QString()>> fileProducers_;
    std::deque<DialogHandler> dialogs_;
    bool documentResult_ = true;
    bool systemInfoResult_ = false;
};

}  // namespace orven::designer
