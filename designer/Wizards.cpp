#include "Wizards.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "CodeEditor.h"
#include "DependencyDialogs.h"
#include "Routines.h"
#include "SignalDialogs.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer {

namespace {

QLineEdit* field(QWidget* parent, const char* name) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

QLabel* label(QWidget* parent, const char* name, const char* caption) {
    auto* l = new QLabel(QString::fromLatin1(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QString identifierOf(const QString& text) {
    EngineBuffer out(32);
    ConvertToIdentifier(toEngine(text).constData(), out.data(), 32);
    return out.trimmed();
}

QString thisModuleName() {
    EngineBuffer name(32);
    NameOXAModule(name.data(), 32);
    return name.trimmed();
}

// The "Accept Wizard" and "Dismiss Wizard" buttons of a wizard.
QHBoxLayout* wizardButtons(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

// The time-interval frame of the request wizards.
QGroupBox* timingFrame(QWidget* parent, QLineEdit*& minimum, QLineEdit*& maximum) {
    auto* frame =
        new QGroupBox(QStringLiteral("Time interval that the request should take"), parent);
    frame->setObjectName(QStringLiteral("Frame_timing"));
    auto* grid = new QGridLayout(frame);
    minimum = field(frame, "Text_mint");
    maximum = field(frame, "Text_maxt");
    minimum->setText(QStringLiteral("0"));
    maximum->setText(QStringLiteral("INF"));
    grid->addWidget(label(frame, "Label_mint", "Minimum Time:"), 0, 0);
    grid->addWidget(minimum, 0, 1);
    grid->addWidget(label(frame, "Label_maxt", "Maximum Time:"), 1, 0);
    grid->addWidget(maximum, 1, 1);
    return frame;
}

}  // namespace

// ---- Wizard_ASS_requestservsynchbloc ----------------------------------------------

RequestWizard::RequestWizard(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Wizard_ASS_requestservsynchbloc"),
                 QStringLiteral("Assistant Wizard - request-synchronous&blocking"),
                 QStringLiteral("ok")) {
    auto* layout = new QVBoxLayout(this);
    auto* frame1 = new QGroupBox(QStringLiteral("Wizards"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* sources = new QVBoxLayout(frame1);
    QPushButton* own = button(QStringLiteral("Command_fromown"),
                              QStringLiteral("Get service from this very module"));
    QPushButton* deps = button(QStringLiteral("Command_fromdeps"),
                               QStringLiteral("Get service from current dependencies"));
    QPushButton* file =
        button(QStringLiteral("Command_fromfile"), QStringLiteral("Get service from .OXA file"));
    for (QPushButton* b : {own, deps, file}) {
        b->setParent(frame1);
        sources->addWidget(b);
    }
    layout->addWidget(frame1);

    auto* grid = new QGridLayout;
    text2_ = field(this, "Text2");
    text1_ = field(this, "Text1");
    grid->addWidget(label(this, "Label2", "Service Name:"), 0, 0);
    grid->addWidget(text2_, 0, 1);
    grid->addWidget(label(this, "Label1", "Server Module Name:"), 1, 0);
    grid->addWidget(text1_, 1, 1);
    layout->addLayout(grid);
    layout->addWidget(timingFrame(this, textMin_, textMax_));
    textTrMin_ = field(this, "Text_trmin");
    textTrMax_ = field(this, "Text_trmax");
    textTrMin_->hide();
    textTrMax_->hide();
    checkOwn_ = new QCheckBox(this);
    checkOwn_->setObjectName(QStringLiteral("Check_own"));
    checkOwn_->hide();
    checkAddDep_ = new QCheckBox(QStringLiteral("Add to \"client of\" list"), this);
    checkAddDep_->setObjectName(QStringLiteral("Check_adddep"));
    layout->addWidget(checkAddDep_);
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("Accept Wizard"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Dismiss Wizard"));
    layout->addLayout(wizardButtons(ok, cancel));
    new TimeFields(this, textMin_, textMax_);

    connect(own, &QPushButton::clicked, this, &RequestWizard::fromOwn);
    connect(deps, &QPushButton::clicked, this, &RequestWizard::fromDependencies);
    connect(file, &QPushButton::clicked, this, &RequestWizard::fromFile);
    connect(ok, &QPushButton::clicked, this, [this] { hideWith(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
}

QString RequestWizard::serviceName() const {
    return trimBlanks(text2_->text());
}
QString RequestWizard::moduleName() const {
    return trimBlanks(text1_->text());
}
QString RequestWizard::minimumText() const {
    return trimBlanks(textMin_->text());
}
QString RequestWizard::maximumText() const {
    return trimBlanks(textMax_->text());
}
float RequestWizard::targetMinimum() const {
    return timeValue(textTrMin_->text());
}
float RequestWizard::targetMaximum() const {
    return timeValue(textTrMax_->text());
}
bool RequestWizard::ownService() const {
    return checkOwn_->isChecked();
}
bool RequestWizard::addDependency() const {
    return checkAddDep_->isChecked();
}

void RequestWizard::setTarget(float minimum, float maximum) {
    textTrMin_->setText(TimeFields::textOf(minimum));
    textTrMax_->setText(TimeFields::textOf(maximum));
}

void RequestWizard::fromDependencies() {
    QString text;
    {
        auto list = std::make_unique<ClientListDialog>(routines_, this);
        list->load();
        routines_.showModal(*list);
        if (list->flag() == 1 && moduleChanged) {
            moduleChanged();  // dependencies were added or removed in the list
        }
        if (list->selectedIndex() >= 0) {
            auto* items = list->findChild<QListWidget*>(QStringLiteral("List_Clients"));
            text = Routines::selectedListText(items);
        }
    }
    if (!text.isEmpty()) {
        const ServiceReference ref = parseServiceReference(text);
        text1_->setText(ref.module);
        text2_->setText(ref.service);
        setTarget(ref.minimum, ref.maximum);
    }
    checkAddDep_->setChecked(false);
    checkAddDep_->setEnabled(false);
}

bool RequestWizard::pickOtherService(QString& module, QString& service, float& minimum,
                                     float& maximum) {
    bool taken = false;
    {
        auto dialog = std::make_unique<OtherServicesDialog>(routines_, this);
        dialog->load();
        routines_.showModal(*dialog);
        if (dialog->flag() == 1) {
            const qsizetype k = dialog->selected().indexOf(QLatin1Char('*'));
            if (k >= 0) {
                const ServiceReference ref = parseServiceReference(dialog->itemText(int(k)));
                module = ref.module;
                service = ref.service;
                minimum = ref.minimum;
                maximum = ref.maximum;
                taken = true;
            }
        }
    }
    ClearOtherModuleDependencies();
    return taken;
}

void RequestWizard::fromOwn() {
    if (LoadThisModuleAsDependencies() == 0) {
        routines_.warning(QString(), QStringLiteral("Error reading services from this module"));
        return;
    }
    QString module, service;
    float minimum = 0, maximum = -1;
    if (!pickOtherService(module, service, minimum, maximum)) {
        return;
    }
    text2_->setText(service);
    text1_->setText(QStringLiteral("<this very module>"));
    setTarget(minimum, maximum);
    checkOwn_->setChecked(true);
    checkAddDep_->setChecked(false);
    checkAddDep_->setEnabled(false);
}

void RequestWizard::fromFile() {
    const QString path = routines_.askFileName(QStringLiteral("Server Module"), FileMode::Open,
                                               QStringLiteral("*.oxa"));
    if (path.isEmpty()) {
        return;
    }
    if (LoadOtherModuleAsDependencies(toEngine(path).constData()) == 0) {
        routines_.warning(QString(), QStringLiteral("Error reading services from module"));
        return;
    }
    QString module, service;
    float minimum = 0, maximum = -1;
    if (!pickOtherService(module, service, minimum, maximum)) {
        return;
    }
    text1_->setText(module);
    text2_->setText(service);
    setTarget(minimum, maximum);
    checkAddDep_->setEnabled(true);
    checkAddDep_->setChecked(true);
}

// ---- Wizard_ASS_dynrequestservsynchbloc -------------------------------------------

DynamicRequestWizard::DynamicRequestWizard(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Wizard_ASS_dynrequestservsynchbloc"),
                 QStringLiteral("Assistant Wizard - dynamic-request-synchronous&blocking"),
                 QStringLiteral("ok")) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    textService_ = field(this, "Text_service");
    textModule_ = field(this, "Text_module");
    checkFromOwn_ = new QCheckBox(QStringLiteral("From this module"), this);
    checkFromOwn_->setObjectName(QStringLiteral("Check_fromown"));
    grid->addWidget(label(this, "Label2", "Requested Service:"), 0, 0);
    grid->addWidget(textService_, 0, 1);
    grid->addWidget(label(this, "Label1", "From module:"), 1, 0);
    grid->addWidget(textModule_, 1, 1);
    grid->addWidget(checkFromOwn_, 1, 2);
    layout->addLayout(grid);
    auto* frame1 = new QGroupBox(QStringLiteral("Parameters (all must be variables)"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* parms = new QGridLayout(frame1);
    for (int i = 0; i < kParameters; ++i) {
        auto* p = new QLineEdit(frame1);
        p->setObjectName("Text_parms" + QString::number(i));
        auto* io = new QCheckBox(QStringLiteral("Output"), frame1);
        io->setObjectName("inout" + QString::number(i));
        parms->addWidget(p, i, 0);
        parms->addWidget(io, i, 1);
        parms_[static_cast<std::size_t>(i)] = p;
        inout_[static_cast<std::size_t>(i)] = io;
    }
    layout->addWidget(frame1);
    layout->addWidget(timingFrame(this, textMin_, textMax_));
    auto* own = new QCheckBox(this);
    own->setObjectName(QStringLiteral("Check_own"));
    own->hide();
    auto* notes = new QLabel(
        QStringLiteral("NOTES:\n-Output parameter variables must be of simple types.\n"
                       "-String constants must be written with their enclosing double-quote "
                       "character.\n-Remember to add any module used to the \"Deps\" list."),
        this);
    notes->setObjectName(QStringLiteral("Label_notes"));
    layout->addWidget(notes);
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("Accept Wizard"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Dismiss Wizard"));
    layout->addLayout(wizardButtons(ok, cancel));
    new TimeFields(this, textMin_, textMax_);
    connect(checkFromOwn_, &QCheckBox::toggled, textModule_,
            [this](bool on) { textModule_->setVisible(!on); });
    connect(ok, &QPushButton::clicked, this, [this] { hideWith(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
}

bool DynamicRequestWizard::fromThisModule() const {
    return checkFromOwn_->isChecked();
}
QString DynamicRequestWizard::serviceName() const {
    return trimBlanks(textService_->text());
}
QString DynamicRequestWizard::moduleName() const {
    return trimBlanks(textModule_->text());
}
QString DynamicRequestWizard::parameter(int i) const {
    return trimBlanks(parms_[static_cast<std::size_t>(i)]->text());
}
bool DynamicRequestWizard::output(int i) const {
    return inout_[static_cast<std::size_t>(i)]->isChecked();
}
QString DynamicRequestWizard::minimumText() const {
    return trimBlanks(textMin_->text());
}
QString DynamicRequestWizard::maximumText() const {
    return trimBlanks(textMax_->text());
}

// ---- Wizard_ASS_sendbetaevent ---------------------------------------------------

SendBetaEventWizard::SendBetaEventWizard(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Wizard_ASS_sendbetaevent"),
                 QStringLiteral("Assistant Wizard - Send Beta Event")) {
    auto* layout = new QVBoxLayout(this);
    auto* frame1 = new QGroupBox(QStringLiteral("Wizards"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* sources = new QHBoxLayout(frame1);
    QPushButton* own =
        button(QStringLiteral("Command_fromown"), QStringLiteral("Event from this module"));
    QPushButton* other =
        button(QStringLiteral("Command_fromother"), QStringLiteral("Event from .oxa file"));
    for (QPushButton* b : {own, other}) {
        b->setParent(frame1);
        sources->addWidget(b);
    }
    layout->addWidget(frame1);
    auto* grid = new QGridLayout;
    eventName_ = field(this, "Text_eventname");
    eventCode_ = field(this, "Text_eventcode");
    eventModule_ = field(this, "Text_eventmodule");
    moduleText_ = field(this, "Text_moduletext");
    grid->addWidget(label(this, "Label_eventname", "Name of the Event (an identifier):"), 0, 0);
    grid->addWidget(eventName_, 0, 1);
    grid->addWidget(label(this, "Label_eventcode", "Code of the Event:"), 1, 0);
    grid->addWidget(eventCode_, 1, 1);
    grid->addWidget(label(this, "Label1", "Module that defines the Event (an identifier):"), 2, 0);
    grid->addWidget(eventModule_, 2, 1);
    grid->addWidget(label(this, "Label2", "Module that defines the Event (text):"), 3, 0);
    grid->addWidget(moduleText_, 3, 1);
    layout->addLayout(grid);
    checkAddDep_ = new QCheckBox(QStringLiteral("Add to \"client of\" list"), this);
    checkAddDep_->setObjectName(QStringLiteral("Check_adddep"));
    layout->addWidget(checkAddDep_);
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("Accept Wizard"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Dismiss Wizard"));
    layout->addLayout(wizardButtons(ok, cancel));
    connect(own, &QPushButton::clicked, this, &SendBetaEventWizard::fromOwn);
    connect(other, &QPushButton::clicked, this, &SendBetaEventWizard::fromOther);
    connect(ok, &QPushButton::clicked, this, [this] { hideWith(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
}

QString SendBetaEventWizard::eventName() const {
    return trimBlanks(eventName_->text());
}
QString SendBetaEventWizard::eventModule() const {
    return trimBlanks(eventModule_->text());
}
QString SendBetaEventWizard::moduleText() const {
    return trimBlanks(moduleText_->text());
}
bool SendBetaEventWizard::addDependency() const {
    return checkAddDep_->isChecked();
}

void SendBetaEventWizard::fromOwn() {
    int index;
    {
        auto list = std::make_unique<BetaEventListDialog>(routines_, this);
        list->load();
        routines_.showModal(*list);
        if (list->flag() == 1 && moduleChanged) {
            moduleChanged();  // signals were added or removed in the list
        }
        index = list->selectedIndex();
    }
    if (index < 0) {
        return;
    }
    const QString title = QStringLiteral("Send Beta Event Wizard");
    QString name, kind, code;
    if (!readSignal(false, index, name, kind, code)) {
        routines_.plain(title, QStringLiteral("Error reading signal from list of defined signals"));
        return;
    }
    if (kind == QLatin1String("N")) {
        routines_.warning(title,
                          QStringLiteral("This quenor atom is not for sending notifications"));
        return;
    }
    eventName_->setText(trimBlanks(name));
    eventCode_->setText(trimBlanks(code));
    moduleText_->setText(thisModuleName());
    eventModule_->setText(identifierOf(moduleText_->text()));
    checkAddDep_->setChecked(false);
}

void SendBetaEventWizard::fromOther() {
    const QString path = routines_.askFileName(QStringLiteral("Server Module"), FileMode::Open,
                                               QStringLiteral("*.oxa"));
    if (path.isEmpty()) {
        return;
    }
    const QString listTitle = QStringLiteral("Reading Signal List");
    if (ReadOtherModuleDefinedSignals(toEngine(path).constData()) == 0) {
        routines_.warning(listTitle, QStringLiteral("Error reading signals from module"));
        return;
    }
    if (NumberOfOtherDefinedSignals() == 0) {
        routines_.warning(listTitle, QStringLiteral("The module defines no signal"));
        return;
    }
    auto dialog = std::make_unique<OtherEventsDialog>(routines_, this);
    dialog->load();
    routines_.showModal(*dialog);
    const int index = dialog->selectedIndex();
    if (dialog->flag() != 1 || index < 0) {
        return;
    }
    const QString title = QStringLiteral("Send Beta Event Wizard");
    QString name, kind, code;
    if (!readSignal(true, index, name, kind, code)) {
        routines_.plain(title, QStringLiteral("Error reading beta event information"));
        return;
    }
    if (kind == QLatin1String("N")) {
        routines_.warning(title,
                          QStringLiteral("This quenor atom is not for sending notifications"));
        return;
    }
    eventName_->setText(trimBlanks(name));
    eventCode_->setText(trimBlanks(code));
    EngineBuffer module(32);
    OtherDefinedSignalsModuleName(module.data(), 32);
    moduleText_->setText(module.trimmed());
    eventModule_->setText(identifierOf(moduleText_->text()));
}

// ---- Wizard_ASS_sendnotification -------------------------------------------------

SendNotificationWizard::SendNotificationWizard(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Wizard_ASS_sendnotification"),
                 QStringLiteral("Assistant Wizard - Send Notification")) {
    auto* layout = new QVBoxLayout(this);
    auto* frame1 = new QGroupBox(QStringLiteral("Wizards"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* sources = new QHBoxLayout(frame1);
    QPushButton* own =
        button(QStringLiteral("Command_fromown"), QStringLiteral("Get from the module"));
    own->setParent(frame1);
    sources->addWidget(own);
    layout->addWidget(frame1);
    auto* grid = new QGridLayout;
    eventName_ = field(this, "Text_eventname");
    eventCode_ = field(this, "Text_eventcode");
    grid->addWidget(label(this, "Label_eventname", "Name of the Notification (an identifier):"), 0,
                    0);
    grid->addWidget(eventName_, 0, 1);
    grid->addWidget(label(this, "Label_eventcode", "Code of the Notification:"), 1, 0);
    grid->addWidget(eventCode_, 1, 1);
    layout->addLayout(grid);
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("Accept Wizard"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Dismiss Wizard"));
    layout->addLayout(wizardButtons(ok, cancel));
    connect(own, &QPushButton::clicked, this, &SendNotificationWizard::fromOwn);
    connect(ok, &QPushButton::clicked, this, [this] { hideWith(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
}

QString SendNotificationWizard::notificationName() const {
    return trimBlanks(eventName_->text());
}

void SendNotificationWizard::fromOwn() {
    int index;
    {
        auto list = std::make_unique<BetaEventListDialog>(routines_, this);
        list->load();
        routines_.showModal(*list);
        if (list->flag() == 1 && moduleChanged) {
            moduleChanged();
        }
        index = list->selectedIndex();
    }
    if (index < 0) {
        return;
    }
    const QString title = QStringLiteral("Send Notification Wizard");
    QString name, kind, code;
    if (!readSignal(false, index, name, kind, code)) {
        routines_.plain(title, QStringLiteral("Error reading signal from list of defined signals"));
        return;
    }
    if (kind != QLatin1String("N")) {
        routines_.warning(title,
                          QStringLiteral("This quenor atom is only for sending notifications"));
        return;
    }
    eventName_->setText(trimBlanks(name));
    eventCode_->setText(trimBlanks(code));
}

}  // namespace orven::designer
