// The wizards of the code assistant: four atoms first let the user pick the
// partner of the call (a service to request, an event or a notification to
// send) with the help of the module's own lists, its dependencies or
// another module file. A wizard only collects values; the editor reads
// them after it closed.
#pragma once

#include <array>
#include <functional>

#include "FlagDialog.h"

class QLineEdit;

namespace orven::designer {

// Wizard_ASS_requestservsynchbloc.
class RequestWizard : public FlagDialog {
    Q_OBJECT
  public:
    RequestWizard(Routines& routines, QWidget* parent);
    bool ok() const { return flag() != 0; }
    QString serviceName() const;
    QString moduleName() const;
    QString minimumText() const;
    QString maximumText() const;
    // The time restriction of the picked target service.
    float targetMinimum() const;
    float targetMaximum() const;
    bool ownService() const;
    bool addDependency() const;

    void fromOwn();
    void fromDependencies();
    void fromFile();

    // Called when a list dialog opened from the wizard changed the module.
    std::function<void()> moduleChanged;

  private:
    // Takes the first marked service of Dialog_otherservices; false when
    // none was accepted.
    bool pickOtherService(QString& module, QString& service, float& minimum, float& maximum);
    void setTarget(float minimum, float maximum);

    QLineEdit* text1_;  // server module
    QLineEdit* text2_;  // service
    QLineEdit* textMin_;
    QLineEdit* textMax_;
    QLineEdit* textTrMin_;
    QLineEdit* textTrMax_;
    QCheckBox* checkOwn_;
    QCheckBox* checkAddDep_;
};

// Wizard_ASS_dynrequestservsynchbloc.
class DynamicRequestWizard : public FlagDialog {
    Q_OBJECT
  public:
    static constexpr int kParameters = 8;
    DynamicRequestWizard(Routines& routines, QWidget* parent);
    bool ok() const { return flag() != 0; }
    bool fromThisModule() const;
    QString serviceName() const;
    QString moduleName() const;
    QString parameter(int i) const;
    bool output(int i) const;
    QString minimumText() const;
    QString maximumText() const;

  private:
    QLineEdit* textService_;
    QLineEdit* textModule_;
    QCheckBox* checkFromOwn_;
    std::array<QLineEdit*, kParameters> parms_{};
    std::array<QCheckBox*, kParameters> inout_{};
    QLineEdit* textMin_;
    QLineEdit* textMax_;
};

// Wizard_ASS_sendbetaevent.
class SendBetaEventWizard : public FlagDialog {
    Q_OBJECT
  public:
    SendBetaEventWizard(Routines& routines, QWidget* parent);
    bool ok() const { return flag() != 0; }
    QString eventName() const;
    QString eventModule() const;
    QString moduleText() const;
    bool addDependency() const;

    void fromOwn();
    void fromOther();

    std::function<void()> moduleChanged;

  private:
    QLineEdit* eventName_;
    QLineEdit* eventCode_;
    QLineEdit* eventModule_;
    QLineEdit* moduleText_;
    QCheckBox* checkAddDep_;
};

// Wizard_ASS_sendnotification.
class SendNotificationWizard : public FlagDialog {
    Q_OBJECT
  public:
    SendNotificationWizard(Routines& routines, QWidget* parent);
    bool ok() const { return flag() != 0; }
    QString notificationName() const;

    void fromOwn();

    std::function<void()> moduleChanged;

  private:
    QLineEdit* eventName_;
    QLineEdit* eventCode_;
};

}  // namespace orven::designer
