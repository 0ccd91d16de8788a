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
