#include "ScriptedInteraction.h"

namespace orven::designer {

void ScriptedInteraction::record(Call call) {
    calls_.push_back(call);
    if (onCall) {
        onCall(calls_.back());
    }
}

QStringList ScriptedInteraction::boxes() const {
    QStringList out;
    for (const Call& c : calls_) {
        if (c.kind == Kind::Message || c.kind == Kind::Question) {
            out << c.title + "|" + c.text;
        }
    }
    return out;
}

void ScriptedInteraction::message(const QString& title, const QString& text, Icon icon) {
    record({Kind::Message, title, text, icon, Buttons::Ok, FileMode::Open, {}});
}

Answer ScriptedInteraction::question(const QString& title, const QString& text, Buttons buttons,
                                     Icon icon) {
    record({Kind::Question, title, text, icon, buttons, FileMode::Open, {}});
    if (answers_.empty()) {
        unanswered_ << "question: " + text;
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<QString> ScriptedInteraction::inputText(const QString& title, const QString& prompt,
                                                      const QString& defaultText) {
    record(
        {Kind::Input, title, prompt, Icon::None, Buttons::OkCancel, FileMode::Open, defaultText});
    if (inputs_.empty()) {
        unanswered_ << "input: " + prompt;
        return std::nullopt;
    }
    const std::pair<bool, QString> a = inputs_.front();
    inputs_.pop_front();
    if (!a.first) {
        return std::nullopt;
    }
    return std::optional<QString>(a.second);
}

QString ScriptedInteraction::fileName(const QString& title, FileMode mode, const QString& pattern) {
    record({Kind::File, title, pattern, Icon::None, Buttons::OkCancel, mode, {}});
    if (!fileProducers_.empty()) {
        auto producer = fileProducers_.front();
        fileProducers_.pop_front();
        return producer();
    }
    if (files_.empty()) {
        unanswered_ << "file: " + title;
        return {};
    }
    QString a = files_.front();
    files_.pop_front();
    return a;
}

bool ScriptedInteraction::openDocument(const QUrl& url) {
    record({Kind::Document, {}, url.toString(), Icon::None, Buttons::Ok, FileMode::Open, {}});
    return documentResult_;
}

bool ScriptedInteraction::startSystemInformation() {
    record({Kind::SystemInfo, {}, {}, Icon::None, Buttons::Ok, FileMode::Open, {}});
    return systemInfoResult_;
}

int ScriptedInteraction::showModal(QDialog& dialog) {
    record({Kind::Dialog,
            dialog.windowTitle(),
            dialog.objectName(),
            Icon::None,
            Buttons::Ok,
            FileMode::Open,
            {}});
    if (dialogs_.empty()) {
        unanswered_ << "dialog: " + dialog.objectName();
        dialog.reject();
        return dialog.result();
    }
    DialogHandler handler = std::move(dialogs_.front());
    dialogs_.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    handler(dialog);
    if (dialog.isVisible()) {
        unanswered_ << "dialog left open: " + dialog.objectName();
        dialog.reject();
    }
    return dialog.result();
}

}  // namespace orven::designer
