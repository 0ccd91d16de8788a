#pragma once
// The application object of both programs. An exception escaping any event handler is
// caught here, shown in the standard error box with its own text, and the program goes on.

#include <QApplication>
#include <QString>

#include <exception>
#include <utility>

class Dialogs;

class ZApplication : public QApplication {
    Q_OBJECT
public:
    ZApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Where errors are shown; must outlive the application object's use of it.
    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }
    Dialogs *dialogs() const { return m_dialogs; }
    static ZApplication *instance();

    // Shows an exception's message through the dialogs (used by notify and by code that
    // runs outside the event loop, such as start-up).
    void showError(const QString &message);

private:
    Dialogs *m_dialogs = nullptr;
};

// Errors of the code run inside a slot stop there: the message goes to the one error box
// and the program goes on. Qt does not let exceptions travel through its signal code, so
// every slot that may fail runs its body through this.
void showErrorMessage(const QString &message);
QString errorMessage(const std::exception &error);

template <class F> bool guarded(F &&body)
{
    try {
        std::forward<F>(body)();
        return true;
    } catch (const std::exception &e) {
        showErrorMessage(errorMessage(e));
    }
    return false;
}
