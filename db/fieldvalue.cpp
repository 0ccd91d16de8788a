#include "db/fieldvalue.h"

#include "db/field.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace zdb {

namespace {

int compareNoCase(const QString &a, const QString &b)
{
    const int n = std::min(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        ushort x = a.at(i).unicode();
        ushort y = b.at(i).unicode();
        if (x >= 'A' && x <= 'Z')
            x += 32;
        if (y >= 'A' && y <= 'Z')
            y += 32;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

QString quoted(const QString &name) { return QString::fromUtf8("„%1”").arg(name); }

int typeRank(const QVariant &v)
{
    if (v.isNull())
        return 0;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return 1;
    case QMetaType::QByteArray:
        return 3;
    default:
        return 2;
    }
}


QString asciiLower(const QString &text)
{
    QString out = text;
    QChar *p = out.data();
    for (qsizetype i = 0, n = out.size(); i < n; ++i)
        if (p[i].unicode() >= 'A' && p[i].unicode() <= 'Z')
            p[i] = QChar(ushort(p[i].unicode() + 32));
    return out;
}

int compareSql(const QVariant &a, const QVariant &b, bool nocase)
{
    const int ra = typeRank(a), rb = typeRank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    switch (ra) {
    case 0:
        return 0;
    case 1: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 2:
        return nocase ? compareNoCase(a.toString(), b.toString()) : a.toString().compare(b.toString());
    default: {
        const QByteArray x = a.toByteArray(), y = b.toByteArray();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    }
}

bool toWholeNumber(const QVariant &v, qint64 *out)
{
    bool ok = false;
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9.0e15)
            return false;
        *out = qint64(d);
        return true;
    }
    if (v.typeId() == QMetaType::Bool) {
        *out = v.toBool() ? 1 : 0;
        return true;
    }
    if (v.typeId() == QMetaType::QString) {
        const qint64 n = v.toString().trimmed().toLongLong(&ok);
        if (ok)
            *out = n;
        return ok;
    }
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        *out = n;
    return ok;
}

bool toReal(const QVariant &v, double *out)
{
    bool ok = false;
    double d;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        d = s.toDouble(&ok);
        if (!ok)
            d = QLocale().toDouble(s, &ok);
    } else if (v.typeId() == QMetaType::Bool) {
        d = v.toBool() ? 1 : 0;
        ok = true;
    } else {
        d = v.toDouble(&ok);
    }
    if (!ok || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}

QString locateKey(const QVariant &v, FieldType type, bool ignoreCase, bool *ok)
{
    *ok = true;
    if (v.isNull())
        return QStringLiteral("\x01");
    if (isNumeric(type) || type == FieldType::Boolean) {
        double d;
        if (!toReal(v, &d)) {
            *ok = false;
            return QString();
        }
        return QString::number(d, 'g', 17);
    }
    if (type == FieldType::Date) {
        const QDate date = v.typeId() == QMetaType::QDate ? v.toDate()
                                                           : QDate::fromString(v.toString(), Qt::ISODate);
        return date.toString(Qt::ISODate);
    }
    if (type == FieldType::Graphic)
        return QString::fromLatin1(v.toByteArray().toHex());
    const QString s = v.toString();
    if (s.isEmpty())
        return QStringLiteral("\x01");   // an empty text and an empty field are alike
    return ignoreCase ? foldCase(s) : s;
}


bool isEmptyValue(const QVariant &v)
{
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

QString plainText(FieldType type, const QVariant &v)
{
    if (v.isNull())
        return QString();
    switch (type) {
    case FieldType::Float:
    case FieldType::Money: {
        double d;
        return toReal(v, &d) ? QString::number(d, 'g', 15) : v.toString();
    }
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("yyyy.MM.dd."));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

QString shownText(FieldType type, const QVariant &v)
{
    if (isEmptyValue(v))
        return QString();
    if (type == FieldType::Money) {
        double d;
        if (toReal(v, &d)) {
            const QLocale locale;
            return locale.toCurrencyString(d, locale.currencySymbol(QLocale::CurrencySymbol), 0);
        }
    }
    if (type == FieldType::Float) {
        double d;
        if (toReal(v, &d))
            return QLocale().toString(d, 'g', 15);
    }
    return plainText(type, v);
}


}  // namespace zdb
