#include "StartupWindows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "Routines.h"

namespace orven::designer {

QPixmap logoPicture(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(20, 52, 96));
    g.setColorAt(1, QColor(48, 120, 168));
    p.fillRect(pixmap.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 70), qMax(1, size.height() / 40)));
    const int step = qMax(6, size.width() / 12);
    for (int x = -size.height(); x < size.width(); x += step) {
        p.drawLine(x, size.height(), x + size.height(), 0);
    }
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(qMax(8, size.height() * 2 / 5));
    p.setFont(title);
    p.setPen(Qt::white);
    QRect upper(0, 0, size.width(), size.height() * 2 / 3);
    p.drawText(upper, Qt::AlignCenter, QStringLiteral("ORVEN"));
    if (size.height() >= 60) {
        QFont sub(QStringLiteral("DejaVu Sans"));
        sub.setPixelSize(qMax(8, size.height() / 9));
        p.setFont(sub);
        QRect lower(0, size.height() * 3 / 5, size.width(), size.height() / 3);
        p.drawText(lower, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("OXA Module Designer"));
    }
    return pixmap;
}

QPixmap modifiedPicture() {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 16, 16);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(14);
    p.setFont(f);
    p.drawText(QRect(0, 1, 18, 18), Qt::AlignCenter, QStringLiteral("*"));
    return pixmap;
}

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form_showup"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(logoPicture(QSize(420, 220)));
    layout->addWidget(picture);
    setFixedSize(picture->pixmap().size());
}

AboutBox::AboutBox(Routines& routines, QWidget* parent) : QDialog(parent), routines_(routines) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ORVEN OXA Module Designer v1.0"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(logoPicture(QSize(360, 180)));
    layout->addWidget(picture);
    auto* text = new QLabel(
        QStringLiteral("Design and code generation of component-based CORBA control "
                       "software: OXA modules, their services, signals and dependencies."),
        this);
    text->setObjectName(QStringLiteral("lblDescription"));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* info = new QPushButton(QStringLiteral("&System Info..."), this);
    info->setObjectName(QStringLiteral("cmdSysInfo"));
    info->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(info);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(info, &QPushButton::clicked, this, &AboutBox::systemInfo);
}

void AboutBox::systemInfo() {
    if (!routines_.interaction().startSystemInformation()) {
        routines_.plain(QString(),
                        QStringLiteral("System Information Is Unavailable At This Time"));
    }
}

}  // namespace orven::designer
