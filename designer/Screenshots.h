// The pictures of the documentation that show more than the main window:
// the code editor with its assistant menu open, and the implementation
// page. They are taken by the designer itself (ORVEN_MD --screenshot FILE
// --module FILE --view editor|implementation) under a real window system.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace orven::designer {

class MainForm;
class ScriptedInteraction;

// Opens the startup logic of the loaded module in the code editor, opens
// the assistant menu with its services entries and saves what the screen
// shows of the editor and its menus.
bool editorScreenshot(MainForm& window, ScriptedInteraction& ui, const QString& file);
// Shows the implementation page and saves the window.
bool implementationScreenshot(MainForm& window, const QString& file);
// Saves what the screen shows of the widget's window and of the area also
// (the widget itself when the screen cannot be read); false when the file
// cannot be written.
bool saveWindowPicture(QWidget* window, const QString& file, const QRect& also = QRect());

}  // namespace orven::designer
