#pragma once
// A handle to one field of a table's current row: its definition, its value read in the
// types the programs want, and setting it while the table is edited.

#include "db/tabledef.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

namespace zdb {

class Table;

// A handle to one field of a table's current row (or of its edit buffer while editing).
class Field {
public:
    Field(Table *table, int index) : m_table(table), m_index(index) {}
    QString fieldName() const;
    QString displayLabel() const;  // the field's title in grids and messages
    FieldType dataType() const;
    int size() const;              // characters (code points) of a text field
    std::optional<ValueRange> range() const;   // the values a number field may hold
    bool isLookup() const;
    bool isReadOnly() const;       // auto-increment keys and lookup fields

    bool isNull() const;
    QVariant value() const;
    QString asString() const;      // empty for a null value
    int asInteger() const;         // throws for null or non-numeric text
    double asFloat() const;        // throws for null or non-numeric text
    bool asBoolean() const;
    QDate asDate() const;
    QByteArray asBytes() const;
    QString displayText() const;   // money in the locale's money format

    void setValue(const QVariant &value);  // the table must be in Edit or Insert state
    void setAsString(const QString &v) { setValue(v); }
    void setAsInteger(int v) { setValue(v); }
    void setAsFloat(double v) { setValue(v); }
    void clear() { setValue(QVariant()); }
    void loadFromFile(const QString &path);  // a picture field takes the file's bytes

private:
    Table *m_table;
    int m_index;
};

// Compares texts the way "ignoring case" means to the users: Hungarian accented
// capitals fold to their small letters ("ŐRSI ÁGNES" equals "Őrsi Ágnes").
QString foldCase(const QString &text);

}  // namespace zdb
