#pragma once
// The one way both programs report a failure: the work of a slot runs through guarded(),
// an error stops it there, and its message goes to the one error box of the dialog service
// (which shows it in words a student can read, errortext.h). The application object and
// the dialog service both build on this unit, which needs neither of them.

#include <QString>

#include <exception>
#include <utility>

#include <functional>

class QWidget;

namespace errorbox {

// What shows an error's readable text in front of a window: the application hands in its
// dialog service's error box. Without one, a plain message box shows it.
using Box = std::function<void(QWidget *owner, const QString &text)>;
void setBox(Box box);

// The program's own title, which message boxes carry.
void setTitle(const QString &title);
QString title();

}  // namespace errorbox

// The user's message of an error: every error of ours and of the engine holds it in UTF-8.
QString errorMessage(const std::exception &error);

// Shows a message in the error box, in front of `owner` when given: the one place where an
// error's text is made readable (errortext.h) before the dialog service shows it.
void showErrorMessage(const QString &message, QWidget *owner = nullptr);
// The same in a given box (a window's own dialog service).
void showErrorMessage(const QString &message, QWidget *owner, const errorbox::Box &box);

// Errors of the code run inside a slot stop there: the message goes to the one error box
// and the program goes on. Qt does not let exceptions travel through its signal code, so
// every slot that may fail runs its body through this. With an owner, the box comes up in
// front of that window.
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
