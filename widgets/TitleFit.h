#pragma once

#include <QObject>

class QWidget;

// A dialog is never narrower than its caption: the window manager would cut a
// short dialog's title ("Cubric..."). Installed once on the application, it
// widens every dialog as it is first shown. Message boxes size themselves to
// their captions already.
class TitleFit : public QObject {
    Q_OBJECT
public:
    static void install();
    // The width the caption of a window needs in its title bar, with room for
    // the window manager's icon and buttons.
    static int titleWidth(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
