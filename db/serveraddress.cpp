#include "db/serveraddress.h"

#include "db/engineerror.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace zdb {

bool ServerAddress::parsePooler(const QString &value)
{
    if (value.compare(QLatin1String("transaction"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("session"), Qt::CaseInsensitive) == 0 || value.isEmpty())
        return false;
    throw EngineError(QStringLiteral("Ismeretlen kapcsolatkezelő-mód: %1 (transaction vagy session).").arg(value));
}

ServerAddress ServerAddress::parse(const QString &text)
{
    const QString t = text.trimmed();
    ServerAddress a;
    a.host = QStringLiteral("localhost");
    auto refusePassword = [&]() {
        throw EngineError(QStringLiteral("A kapcsolat leírása nem tartalmazhat jelszót: a jelszó a "
                                         "PostgreSQL jelszófájljába (~/.pgpass) való."));
    };
    if (t.startsWith(QLatin1String("postgresql://")) || t.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(t);
        if (!url.isValid())
            throw EngineError(QStringLiteral("Érvénytelen kiszolgáló-cím: %1").arg(t));
        if (!url.password().isEmpty() || QUrlQuery(url).hasQueryItem(QStringLiteral("password")))
            refusePassword();
        if (!url.host().isEmpty())
            a.host = url.host();
        a.port = url.port(5432);
        a.database = url.path().mid(1);
        a.user = url.userName();
        const QString pooler = QUrlQuery(url).queryItemValue(QStringLiteral("pooler"));
        if (!pooler.isEmpty())
            a.transactionPooler = parsePooler(pooler);
    } else {
        // Pairs key=value separated by spaces; a value may be quoted with '.
        static const QRegularExpression pair(QStringLiteral("(\\w+)\\s*=\\s*('(?:[^'\\\\]|\\\\.)*'|\\S*)"));
        auto it = pair.globalMatch(t);
        int consumed = 0;
        while (it.hasNext()) {
            const auto m = it.next();
            if (!t.mid(consumed, m.capturedStart() - consumed).trimmed().isEmpty())
                throw EngineError(QStringLiteral("Érvénytelen kiszolgáló-leírás: %1").arg(t));
            consumed = int(m.capturedEnd());
            const QString key = m.captured(1).toLower();
            QString value = m.captured(2);
            if (value.startsWith(QLatin1Char('\'')) && value.size() >= 2) {
                value = value.mid(1, value.size() - 2);
                value.replace(QStringLiteral("\\'"), QStringLiteral("'"));
                value.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
            }
            if (key == QLatin1String("host") || key == QLatin1String("hostaddr")) {
                a.host = value;
            } else if (key == QLatin1String("port")) {
                bool ok = false;
                a.port = value.toInt(&ok);
                if (!ok || a.port <= 0 || a.port > 65535)
                    throw EngineError(QStringLiteral("Érvénytelen kiszolgáló-port: %1").arg(value));
            } else if (key == QLatin1String("dbname")) {
                a.database = value;
            } else if (key == QLatin1String("user")) {
                a.user = value;
            } else if (key == QLatin1String("pooler")) {
                a.transactionPooler = parsePooler(value);
            } else if (key == QLatin1String("password")) {
                refusePassword();
            } else {
                throw EngineError(QStringLiteral("Ismeretlen kiszolgáló-beállítás: %1").arg(key));
            }
        }
        if (!t.mid(consumed).trimmed().isEmpty() || consumed == 0)
            throw EngineError(QStringLiteral("Érvénytelen kiszolgáló-leírás: %1").arg(t));
    }
    if (a.database.isEmpty())
        throw EngineError(QStringLiteral("A kiszolgáló-leírásból hiányzik az adatbázis neve (dbname)."));
    return a;
}

QString ServerAddress::toString() const
{
    const auto value = [](const QString &v) -> QString {
        if (!v.isEmpty() && !v.contains(QRegularExpression(QStringLiteral("[\\s'\\\\]"))))
            return v;
        QString q = v;
        q.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        q.replace(QLatin1Char('\''), QStringLiteral("\\'"));
        return QLatin1Char('\'') + q + QLatin1Char('\'');
    };
    QString s = QStringLiteral("host=%1 port=%2 dbname=%3").arg(value(host)).arg(port).arg(value(database));
    if (!user.isEmpty())
        s += QStringLiteral(" user=") + value(user);
    if (transactionPooler)
        s += QStringLiteral(" pooler=transaction");
    return s;
}

QString ServerAddress::displayName() const { return QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(database); }

}  // namespace zdb
