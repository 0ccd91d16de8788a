#include "controls/errorbox.h"

#include "controls/errortext.h"

#include <QApplication>
#include <QMessageBox>

namespace {
errorbox::Box &theBox()
{
    static errorbox::Box box;
    return box;
}
QString &programTitle()
{
    static QString title;
    return title;
}
}  // namespace

namespace errorbox {

void setBox(Box box) { theBox() = std::move(box); }

void setTitle(const QString &title) { programTitle() = title; }
QString title() { return programTitle().isEmpty() ? QApplication::applicationName() : programTitle(); }

}  // namespace errorbox

QString errorMessage(const std::exception &error) { return QString::fromUtf8(error.what()); }

void showErrorMessage(const QString &message, QWidget *owner) { showErrorMessage(message, owner, theBox()); }

void showErrorMessage(const QString &message, QWidget *owner, const errorbox::Box &box)
{
    const QString text = friendlyError(message);
    if (box)
        box(owner, text);
    else
        QMessageBox::critical(owner, errorbox::title(), text);
}
