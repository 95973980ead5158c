#include "Screenshots.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>

#include "CodeEditor.h"
#include "MainForm.h"
#include "ScriptedInteraction.h"

namespace orven::designer {

namespace {

// Lets the window system draw for a while.
void settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

}  // namespace

bool saveWindowPicture(QWidget* window, const QString& file, int extraWidth, int extraHeight) {
    QPixmap picture;
    if (QScreen* screen = window->screen(); screen != nullptr) {
        const QRect frame = window->frameGeometry();
        picture = screen->grabWindow(0, frame.x(), frame.y(), frame.width() + extraWidth,
                                     frame.height() + extraHeight);
    }
    if (picture.isNull() || picture.size().isEmpty()) {
        picture = window->grab();
    }
    return picture.save(file);
}

bool editorScreenshot(MainForm& window, ScriptedInteraction& ui, const QString& file) {
    bool saved = false;
    ui.handleDialog([&](QDialog& dialog) {
        auto* editor = qobject_cast<TextEditorForm*>(&dialog);
        if (editor == nullptr) {
            dialog.reject();
            return;
        }
        editor->resize(760, 460);
        editor->move(window.geometry().topLeft() + QPoint(40, 40));
        settle(300);
        QMenu* menu = editor->assistantMenu();
        auto* bar = editor->findChild<QMenuBar*>();
        const QPoint below =
            bar != nullptr ? bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).bottomLeft())
                           : editor->mapToGlobal(QPoint(0, 0));
        menu->popup(below);
        settle(200);
        QMenu* communications = editor->findChild<QMenu*>(QStringLiteral("menuass_comm"));
        QMenu* services = editor->findChild<QMenu*>(QStringLiteral("menuass_servs"));
        if (communications != nullptr && services != nullptr) {
            menu->setActiveAction(communications->menuAction());
            communications->popup(menu->geometry().topRight());
            settle(200);
            communications->setActiveAction(services->menuAction());
            services->popup(communications->geometry().topRight());
            settle(300);
        }
        saved = saveWindowPicture(editor, file, 420, 60);
        for (QMenu* m : {services, communications, menu}) {
            if (m != nullptr) {
                m->hide();
            }
        }
        dialog.reject();
    });
    window.editModuleSection(3);
    return saved;
}

bool implementationScreenshot(MainForm& window, const QString& file) {
    if (auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TabStrip1"))) {
        tabs->setCurrentIndex(2);
    }
    settle(400);
    return saveWindowPicture(&window, file);
}

}  // namespace orven::designer
