#pragma once
// The application object of both programs. An exception escaping any event handler is
// caught here, shown in the standard error box with its own text, and the program goes on.

#include <QApplication>

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

// Shows an error's user message (EngineError's message(), otherwise what()) in the
// application's error box.
void showErrorOf(const std::exception &error);

// Runs `f` at a slot's boundary: an error it raises is shown in the standard error box
// (the engine's message for the user) and goes no further, so no exception travels
// through Qt's signal code. Returns whether `f` finished without an error.
template <class F>
bool guarded(F &&f)
{
    try {
        std::forward<F>(f)();
        return true;
    } catch (const std::exception &e) {
        showErrorOf(e);
    }
    return false;
}
