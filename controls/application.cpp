#include "application.h"

#include "dialogs.h"
#include "engine.h"
#include "errortext.h"

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

ZApplication::~ZApplication() = default;

ZApplication *ZApplication::instance()
{
    return qobject_cast<ZApplication *>(QCoreApplication::instance());
}

void ZApplication::showError(const QString &message, QWidget *owner)
{
    const QString text = friendlyError(message);
    if (m_dialogs)
        m_dialogs->errorOver(owner, text);
    else
        QMessageBox::critical(owner, m_title, text);
}

bool ZApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        showError(errorMessage(e));
    }
    return false;
}

bool installHungarianTranslations(QCoreApplication *app)
{
    auto *translator = new QTranslator(app);
    if (!translator->load(QLocale(QLocale::Hungarian, QLocale::Hungary), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    app->installTranslator(translator);
    return true;
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

QString errorMessage(const std::exception &error)
{
    if (const auto *engine = dynamic_cast<const zdb::EngineError *>(&error))
        return engine->message();
    return QString::fromUtf8(error.what());
}

void showErrorMessage(const QString &message, QWidget *owner)
{
    if (ZApplication *app = ZApplication::instance())
        app->showError(message, owner);
    else
        QMessageBox::critical(owner, QString(), friendlyError(message));
}
