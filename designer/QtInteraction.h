// The interaction with the user through Qt's standard dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "Interaction.h"

namespace orven::designer {

class QtInteraction : public Interaction {
  public:
    // Message boxes and file dialogs are parented to this window.
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    void message(const QString& title, const QString& text, Icon icon) override;
    Answer question(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    QString fileName(const QString& title, FileMode mode, const QString& pattern) override;
    bool openDocument(const QUrl& url) override;
    bool startSystemInformation() override;
    int showModal(QDialog& dialog) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace orven::designer
