#pragma once

class QApplication;
class QCoreApplication;

namespace shell {

// What the program sets on Qt before its first window: its name (and no display
// name, which the platform would append to every caption), Qt's own texts in
// Spanish and dialogs as wide as their captions.
void prepare(QApplication& application);

// Qt's own texts (file and print dialogs, the text boxes' context menu, standard
// buttons) in Spanish whatever the machine's language, from Qt's Spanish
// catalogue in its translations folder. False when it is not installed: Qt's
// texts then stay in English.
bool installQtSpanish(QCoreApplication& application);

} // namespace shell
