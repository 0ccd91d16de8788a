#pragma once
// The application object of both programs. An exception escaping any event handler is
// caught here, shown in the standard error box with its own text, and the program goes on.
// It also sets up what every window of both programs shares: Qt's own texts in Hungarian,
// Enter clicking a focused button, and no settings files written by Qt itself.

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

    // Where errors are shown; must outlive the application object's use of it.
    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }
    Dialogs *dialogs() const { return m_dialogs; }
    static ZApplication *instance();

    // The program's own title, shown by message boxes. Window titles carry no suffix: the
    // application display name is never set, so Qt adds nothing to them.
    void setTitle(const QString &title) { m_title = title; }
    QString title() const { return m_title; }

    // Shows an exception's message through the dialogs (used by notify and by code that
    // runs outside the event loop, such as start-up), in front of `owner` when given.
    void showError(const QString &message, QWidget *owner = nullptr);

private:
    Dialogs *m_dialogs = nullptr;
    QString m_title;
    std::unique_ptr<QTemporaryDir> m_qtSettings;
};

// Loads Qt's own Hungarian texts (file dialogs, context menus, standard buttons, the print
// preview) into the application; false when the translation files are not installed.
bool installHungarianTranslations(QCoreApplication *app);

// A focused push or tool button clicks on Enter and on the keypad's Enter, in every window
// (Qt clicks only on Space outside dialogs). Installed on the application by ZApplication.
class EnterClicksButton : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Errors of the code run inside a slot stop there: the message goes to the one error box
// and the program goes on. Qt does not let exceptions travel through its signal code, so
// every slot that may fail runs its body through this. With an owner, the box comes up in
// front of that window.
void showErrorMessage(const QString &message, QWidget *owner = nullptr);
QString errorMessage(const std::exception &error);

template <class F> bool guarded(QWidget *owner, F &&body)
{
    try {
        std::forward<F>(body)();
        return true;
    } catch (const std::exception &e) {
        showErrorMessage(errorMessage(e), owner);
    }
    return false;
}

template <class F> bool guarded(F &&body)
{
    return guarded(nullptr, std::forward<F>(body));
}
