// The splash window (Form_showup), the About box (frmAbout) and the
// pictures they share with the main window.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QWidget>

namespace orven::designer {

class Routines;

// The program's logo, drawn at the given size.
QPixmap logoPicture(const QSize& size);
// The small picture that shows a modified module.
QPixmap modifiedPicture();

class SplashWindow : public QWidget {
    Q_OBJECT
  public:
    SplashWindow();
};

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(Routines& routines, QWidget* parent);
    // "&System Info...": the platform's system-information tool.
    void systemInfo();

  private:
    Routines& routines_;
};

}  // namespace orven::designer
