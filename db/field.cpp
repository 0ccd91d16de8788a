#include "db/field.h"

#include "db/fieldvalue.h"
#include "db/table.h"

#include <QFile>

#include <cmath>
#include <limits>

namespace zdb {

QString foldCase(const QString &text) { return text.toCaseFolded(); }
QString Field::fieldName() const
{
    const int stored = m_table->definition().fields.size();
    return m_index < stored ? m_table->definition().fields[m_index].name
                            : m_table->m_lookups[m_index - stored].name;
}

QString Field::displayLabel() const { return m_table->displayLabel(m_index); }

FieldType Field::dataType() const { return m_table->fieldType(m_index); }

int Field::size() const
{
    const int stored = m_table->definition().fields.size();
    return m_index < stored ? m_table->definition().fields[m_index].size
                            : m_table->m_lookups[m_index - stored].size;
}

std::optional<ValueRange> Field::range() const
{
    const int stored = m_table->definition().fields.size();
    return m_index < stored ? m_table->definition().fields[m_index].range : std::nullopt;
}

bool Field::isLookup() const { return m_index >= m_table->definition().fields.size(); }

bool Field::isReadOnly() const { return m_table->isReadOnlyField(m_index); }

QVariant Field::value() const { return m_table->fieldValue(m_index); }

bool Field::isNull() const { return isEmptyValue(value()); }

QString Field::asString() const { return plainText(dataType(), value()); }

int Field::asInteger() const
{
    const double r = std::nearbyint(asFloat());
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max())
        throw EngineError(QStringLiteral("A(z) %1 mező értéke nem fér el egész számként: %2")
                              .arg(quoted(fieldName()), value().toString()));
    return int(r);
}

double Field::asFloat() const
{
    const QVariant v = value();
    if (isNull())
        throw EngineError(QStringLiteral("A(z) %1 mező üres, nem olvasható számként.").arg(quoted(fieldName())));
    double d;
    if (!toReal(v, &d))
        throw EngineError(QStringLiteral("A(z) %1 mező értéke nem szám: %2")
                              .arg(quoted(fieldName()), v.toString()));
    return d;
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    return !v.isNull() && v.toBool();
}

QDate Field::asDate() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    return QDate::fromString(v.toString(), Qt::ISODate);
}

QByteArray Field::asBytes() const { return value().toByteArray(); }

QString Field::displayText() const { return shownText(dataType(), value()); }

void Field::setValue(const QVariant &value) { m_table->setFieldValue(m_index, value); }

void Field::loadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("A kép nem olvasható be: %1\n%2").arg(path, file.errorString()));
    setValue(file.readAll());
}

}  // namespace zdb
