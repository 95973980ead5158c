#include "FlagDialog.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "Routines.h"

namespace orven::designer {

FlagDialog::FlagDialog(Routines& routines, QWidget* parent, const QString& name,
                       const QString& caption, const QString& flagName)
    : QDialog(parent), routines_(routines) {
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
    flag_ = new QCheckBox(QStringLiteral("res"), this);
    flag_->setObjectName(flagName);
    flag_->setVisible(false);
}

void FlagDialog::hideWith(int value) {
    setFlag(value);
    done(value != 0 ? QDialog::Accepted : QDialog::Rejected);
}

QPushButton* FlagDialog::button(const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* FlagDialog::rightAlignedRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

}  // namespace orven::designer
