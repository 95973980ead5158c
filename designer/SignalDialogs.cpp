#include "SignalDialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "Routines.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer {

bool readSignal(bool other, int position, QString& name, QString& kind, QString& code) {
    EngineBuffer nameBuffer(128);
    EngineBuffer codeBuffer(12);
    char kindOut[2] = {' ', '\0'};
    int r =
        other ? ReadOtherDefinedSignal(position, nameBuffer.data(), 128, kindOut, codeBuffer.data(),
                                       12)
              : ReadDefinedSignal(position, nameBuffer.data(), 128, kindOut, codeBuffer.data(), 12);
    name = nameBuffer.text();
    code = codeBuffer.text();
    kind = QString(QLatin1Char(kindOut[0]));
    return r != 0;
}

BetaEventListDialog::BetaEventListDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_betaeventlist"),
                 QStringLiteral("Signals Defined")) {
    auto* layout = new QVBoxLayout(this);
    labelNumber_ = new QLabel(this);
    labelNumber_->setObjectName(QStringLiteral("Label_number"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List_Events"));
    layout->addWidget(labelNumber_);
    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    auto* buttons = new QVBoxLayout;
    QPushButton* add = button(QStringLiteral("Command_add"), QStringLiteral("Add"));
    QPushButton* remove = button(QStringLiteral("Command_remove"), QStringLiteral("Remove"));
    QPushButton* clear = button(QStringLiteral("Command_clear"), QStringLiteral("Clear list"));
    QPushButton* close = button(QStringLiteral("OKButton"), QStringLiteral("Close"));
    for (QPushButton* b : {add, remove, clear}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(close);
    row->addLayout(buttons);
    layout->addLayout(row);
    connect(add, &QPushButton::clicked, this, &BetaEventListDialog::add);
    connect(remove, &QPushButton::clicked, this, &BetaEventListDialog::remove);
    connect(clear, &QPushButton::clicked, this, &BetaEventListDialog::clearList);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(460, 300);
}

void BetaEventListDialog::load() {
    setFlag(0);
    fill();
}

void BetaEventListDialog::fill() {
    const int n = NumberOfDefinedSignals();
    labelNumber_->setText("This module defines " + QString::number(n) + " signal(s):");
    list_->clear();
    for (int i = 0; i < n; ++i) {
        QString name, kind, code;
        if (readSignal(false, i, name, kind, code)) {
            list_->addItem(formatSignalItem(i, name, kind, code));
        } else {
            list_->addItem("<error reading the signal #" + QString::number(i) + ">");
        }
    }
}

int BetaEventListDialog::selectedIndex() const {
    const auto items = list_->selectedItems();
    return items.isEmpty() ? -1 : list_->row(items.front());
}

void BetaEventListDialog::add() {
    auto input = std::make_unique<EventInputDialog>(routines_, this);
    routines_.showModal(*input);
    const bool accepted = input->flag() == 1;
    const QString name = trimBlanks(input->name());
    const QString code = trimBlanks(input->code());
    const bool notification = input->notification();
    input.reset();
    if (!accepted) {
        return;
    }
    if (AddNewDefinedSignal(toEngine(name).constData(), notification ? "N" : "E",
                            toEngine(code).constData()) != 0) {
        setFlag(1);
        fill();
    } else {
        routines_.warning(
            QStringLiteral("Generate event"),
            QStringLiteral("Not possible to add that signal. Maybe duplicated or mispelled?"));
    }
}

void BetaEventListDialog::remove() {
    const int position = selectedIndex();
    if (position < 0) {
        return;
    }
    if (!routines_.askOk(QStringLiteral("Cut signal"),
                         QStringLiteral("Sure to remove selected signal?"))) {
        return;
    }
    if (RemoveDefinedSignal(position) == 0) {
        routines_.warning(QStringLiteral("Cut signal"), QStringLiteral("Error removing signal"));
    }
    setFlag(1);
    fill();
}

void BetaEventListDialog::clearList() {
    if (!routines_.askOk(QStringLiteral("Clear list"),
                         QStringLiteral("Sure to clear all signals in the list?"))) {
        return;
    }
    ClearDefinedSignals();
    setFlag(1);
    fill();
}

EventInputDialog::EventInputDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_eventinput"),
                 QStringLiteral("New Signal Definition")) {
    auto* grid = new QGridLayout(this);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("Event_name"));
    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("Event_code"));
    grid->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("(an identifier)"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Code:"), this), 1, 0);
    grid->addWidget(code_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("(positive number)"), this), 1, 2);
    notification_ = new QCheckBox(QStringLiteral("It is a Notification"), this);
    notification_->setObjectName(QStringLiteral("Check_notification"));
    grid->addWidget(notification_, 2, 1);
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("OK"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    ok->setDefault(true);
    QHBoxLayout* buttons = rightAlignedRow({ok, cancel});
    grid->addLayout(buttons, 3, 0, 1, 3);
    connect(ok, &QPushButton::clicked, this, &EventInputDialog::ok);
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
}

QString EventInputDialog::name() const {
    return name_->text();
}
QString EventInputDialog::code() const {
    return code_->text();
}
bool EventInputDialog::notification() const {
    return notification_->isChecked();
}

void EventInputDialog::ok() {
    if (trimBlanks(name_->text()).isEmpty() || trimBlanks(code_->text()).isEmpty()) {
        routines_.warning(QStringLiteral("New Signal Definition"),
                          QStringLiteral("Both name and code must be filled"));
        return;
    }
    hideWith(1);
}

OtherEventsDialog::OtherEventsDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_otherevents"),
                 QStringLiteral("Signals Defined by Another OXA Module")) {
    auto* layout = new QVBoxLayout(this);
    labelHeader_ = new QLabel(this);
    labelHeader_->setObjectName(QStringLiteral("Label_header"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List_Events"));
    layout->addWidget(labelHeader_);
    layout->addWidget(list_);
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("OK"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    QHBoxLayout* buttons = rightAlignedRow({ok, cancel});
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { hideWith(1); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { hideWith(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
    resize(460, 300);
}

void OtherEventsDialog::load() {
    const int n = NumberOfOtherDefinedSignals();
    list_->clear();
    for (int i = 0; i < n; ++i) {
        QString name, kind, code;
        if (readSignal(true, i, name, kind, code)) {
            list_->addItem(formatSignalItem(i, name, kind, code));
        } else {
            list_->addItem("<error reading signal #" + QString::number(i) + ">");
        }
    }
    labelHeader_->setText("The loaded module defines " + QString::number(n) + " signal(s):");
}

int OtherEventsDialog::selectedIndex() const {
    const auto items = list_->selectedItems();
    return items.isEmpty() ? -1 : list_->row(items.front());
}

}  // namespace orven::designer
