#include "application.h"

#include "dialogs.h"
#include "engine.h"

#include <QMessageBox>
#include <exception>

ZApplication::ZApplication(int &argc, char **argv) : QApplication(argc, argv) {}

ZApplication *ZApplication::instance()
{
    return qobject_cast<ZApplication *>(QCoreApplication::instance());
}

void ZApplication::showError(const QString &message)
{
    if (m_dialogs)
        m_dialogs->error(message);
    else
        QMessageBox::critical(nullptr, applicationDisplayName(), message);
}

bool ZApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const zdb::EngineError &e) {
        showError(e.message());
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    }
    return false;
}

QString errorMessage(const std::exception &error)
{
    if (const auto *engine = dynamic_cast<const zdb::EngineError *>(&error))
        return engine->message();
    return QString::fromUtf8(error.what());
}

void showErrorMessage(const QString &message)
{
    if (ZApplication *app = ZApplication::instance())
        app->showError(message);
    else
        QMessageBox::critical(nullptr, QString(), message);
}
