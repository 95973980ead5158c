// The dialogs of signals: the list of the signals the module defines
// (Dialog_betaeventlist), the editor of a new signal (Dialog_eventinput) and
// the picker of another module's signals (Dialog_otherevents).
#pragma once

#include "FlagDialog.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace orven::designer {

class BetaEventListDialog : public FlagDialog {
    Q_OBJECT
  public:
    BetaEventListDialog(Routines& routines, QWidget* parent);
    // Flag 0 and the list filled from the engine.
    void load();
    void fill();
    // The position of the selected signal, -1 without a selection.
    int selectedIndex() const;

    void add();
    void remove();
    void clearList();

  private:
    QLabel* labelNumber_;
    QListWidget* list_;
};

class EventInputDialog : public FlagDialog {
    Q_OBJECT
  public:
    EventInputDialog(Routines& routines, QWidget* parent);
    QString name() const;
    QString code() const;
    bool notification() const;
    void ok();

  private:
    QLineEdit* name_;
    QLineEdit* code_;
    QCheckBox* notification_;
};

class OtherEventsDialog : public FlagDialog {
    Q_OBJECT
  public:
    OtherEventsDialog(Routines& routines, QWidget* parent);
    // The list filled from the engine's list of another module's signals.
    void load();
    int selectedIndex() const;

  private:
    QLabel* labelHeader_;
    QListWidget* list_;
};

// Reads a signal of the module (other = false) or of the other module's
// list into name, kind letter and code; false when the read fails.
bool readSignal(bool other, int position, QString& name, QString& kind, QString& code);

}  // namespace orven::designer
