#include "Screenshots.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <vector>

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

bool saveWindowPicture(QWidget* window, const QString& file, const QRect& also) {
    QPixmap picture;
    if (QScreen* screen = window->screen(); screen != nullptr) {
        const QRect area = window->frameGeometry().united(also);
        picture = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
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
        // The chain Execution Platform > Concurrency > Critical Zones.
        std::vector<QMenu*> open{menu};
        for (const char* name : {"menuass_exec", "menuass_concurrency", "menuass_czones"}) {
            QMenu* sub = editor->findChild<QMenu*>(QString::fromLatin1(name));
            if (sub == nullptr) {
                break;
            }
            open.back()->setActiveAction(sub->menuAction());
            const QRect item = open.back()->actionGeometry(sub->menuAction());
            sub->popup(open.back()->mapToGlobal(item.topRight()));
            settle(200);
            open.push_back(sub);
        }
        settle(200);
        QRect menus;
        for (QMenu* m : open) {
            menus = menus.united(m->geometry());
        }
        saved = saveWindowPicture(editor, file, menus);
        for (auto it = open.rbegin(); it != open.rend(); ++it) {
            (*it)->hide();
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
