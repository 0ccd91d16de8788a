#include "controls/application.h"

#include "controls/dialogs.h"
#include "controls/translations.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>

#include <exception>

ZApplication::ZApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    installHungarianTranslations(this);
    installEventFilter(new EnterClicksButton(this));
    // The only persistent setting of the programs is the database alias in the engine's
    // configuration. What Qt's own dialogs would remember (the file dialog's last folder
    // and view) goes to a folder of this run, removed when the program ends.
    m_qtSettings = std::make_unique<QTemporaryDir>();
    if (m_qtSettings->isValid()) {
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::UserScope, m_qtSettings->path());
            QSettings::setPath(format, QSettings::SystemScope, m_qtSettings->path());
        }
    }
}

ZApplication::~ZApplication() { errorbox::setBox({}); }

ZApplication *ZApplication::instance()
{
    return qobject_cast<ZApplication *>(QCoreApplication::instance());
}

void ZApplication::setDialogs(Dialogs *dialogs)
{
    m_dialogs = dialogs;
    errorbox::setBox(dialogs ? dialogs->errorBox() : errorbox::Box());
}

void ZApplication::showError(const QString &message, QWidget *owner) { showErrorMessage(message, owner); }

bool ZApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        showError(errorMessage(e));
    }
    return false;
}

bool EnterClicksButton::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button || (!qobject_cast<QPushButton *>(button) && !qobject_cast<QToolButton *>(button)))
        return false;
    // A dialog's push buttons click on Enter themselves.
    if (auto *push = qobject_cast<QPushButton *>(button); push && (push->autoDefault() || push->isDefault()))
        return false;
    if (!button->hasFocus() || !button->isEnabled() || !button->isVisible())
        return false;
    if (!key->isAutoRepeat())
        button->click();
    return true;
}

