#pragma once
// The application object of both programs. An exception escaping any event handler is
// caught here, shown in the standard error box with its own text, and the program goes on.
// It also sets up what every window of both programs shares: Qt's own texts in Hungarian,
// Enter clicking a focused button, and no settings files written by Qt itself.

#include "controls/errorbox.h"
#include "controls/translations.h"

#include <QApplication>
#include <QString>

#include <exception>
#include <memory>
#include <utility>

class Dialogs;
class QTemporaryDir;
class QWidget;

class ZApplication : public QApplication {
    Q_OBJECT
public:
    ZApplication(int &argc, char **argv);
    ~ZApplication() override;
    bool notify(QObject *receiver, QEvent *event) override;

    // Where errors and every other modal interaction go; must outlive its use.
    void setDialogs(Dialogs *dialogs);
    Dialogs *dialogs() const { return m_dialogs; }
    static ZApplication *instance();

    // The program's own title, shown by message boxes. Window titles carry no suffix: the
    // application display name is never set, so Qt adds nothing to them.
    void setTitle(const QString &title) { errorbox::setTitle(title); }
    QString title() const { return errorbox::title(); }

    // Shows an exception's message through the dialogs (used by notify and by code that
    // runs outside the event loop, such as start-up), in front of `owner` when given.
    void showError(const QString &message, QWidget *owner = nullptr);

private:
    Dialogs *m_dialogs = nullptr;
    std::unique_ptr<QTemporaryDir> m_qtSettings;
};


// A focused push or tool button clicks on Enter and on the keypad's Enter, in every window
// (Qt clicks only on Space outside dialogs). Installed on the application by ZApplication.
class EnterClicksButton : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
