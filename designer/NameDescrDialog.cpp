#include "NameDescrDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Routines.h"
#include "Texts.h"
#include "Widgets.h"

namespace orven::designer {

NameDescrDialog::NameDescrDialog(Routines& routines, QWidget* parent)
    : QDialog(parent), routines_(routines) {
    setObjectName(QStringLiteral("Dialog_namedescr"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    labelName_ = new QLabel(this);
    labelName_->setObjectName(QStringLiteral("Label1"));
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    labelDescription_ = new QLabel(this);
    labelDescription_->setObjectName(QStringLiteral("Label2"));
    richTextBox2_ = new TextBox(this);
    richTextBox2_->setObjectName(QStringLiteral("RichTextBox2"));
    labelName_->setBuddy(text1_);
    layout->addWidget(labelName_);
    layout->addWidget(text1_);
    layout->addWidget(labelDescription_);
    layout->addWidget(richTextBox2_);
    auto* buttons = new QHBoxLayout;
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("OKButton"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    connect(okButton, &QPushButton::clicked, this, &NameDescrDialog::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(420, 300);
}

void NameDescrDialog::prepare(const QString& title, const QString& name, const QString& description,
                              int maxName, int maxDescription) {
    setWindowTitle(title);
    labelName_->setText("Name (" + QString::number(maxName) + " chrs; '[' or ']' not allowed):");
    labelDescription_->setText("Description (" + QString::number(maxDescription) + " chrs):");
    text1_->setMaxLength(maxName);
    text1_->setText(name);
    richTextBox2_->setMaxLength(maxDescription);
    richTextBox2_->setText(description);
}

QString NameDescrDialog::name() const {
    return text1_->text();
}

QString NameDescrDialog::description() const {
    return richTextBox2_->text();
}

void NameDescrDialog::ok() {
    if (trimBlanks(text1_->text()).isEmpty()) {
        routines_.warning(QStringLiteral("Name"), QStringLiteral("Name is mandatory."));
        return;
    }
    accept();
}

}  // namespace orven::designer
