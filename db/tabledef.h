#pragma once
// What the engine knows of a table: its fields with their types, sizes and ranges, its
// indexes, and the file it is stored in. The tables themselves are given to the engine
// (the game's are in schema.h).

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <utility>

namespace zdb {

enum class FieldType {
    AutoInc,  // 32-bit integer given by the engine on post, read-only
    String,   // text of at most `size` characters
    Float,
    Money,    // forints as a double, shown in the money format
    Int16,
    Int32,
    Boolean,
    Date,
    Graphic,  // the complete bytes of a picture file (BMP)
    Memo,     // text of any length
};

bool isNumeric(FieldType type);

// The values a number field may hold, both ends included. `unit` follows the figures in
// messages ("Ft", "m²"); empty for a plain count.
struct ValueRange {
    double low = 0;
    double high = 0;
    QString unit;
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;          // characters (code points), for String only
    bool required = false;
    QString label;         // the title grids and messages give the field; empty: its name
    std::optional<ValueRange> range;   // number fields only; none: the type's own limits

    QString displayLabel() const { return label.isEmpty() ? name : label; }
};

// Characters of a text as a reader counts them: code points, so that a surrogate pair (an
// emoji, for instance) is one character. Text sizes of the schema are in these.
int characterCount(const QString &text);
// The first `count` characters of a text, never ending in half of a surrogate pair.
QString leftCharacters(const QString &text, int count);
// The text with every unpaired surrogate replaced by U+FFFD, so that it has a UTF-8 form.
QString withoutLoneSurrogates(const QString &text);

struct IndexDef {
    QString name;
    QStringList fields;
};

// A field that a later shape of a table added, and what the rows stored before get in it.
struct AddedField {
    int version = 0;   // the shape that added it
    QString name;      // one of the table's fields
    QVariant value;    // for the rows of an older shape; null leaves them empty
};

struct TableDef {
    TableDef() = default;
    TableDef(QString file, QList<FieldDef> fieldDefs, QList<IndexDef> indexDefs = {})
        : fileName(std::move(file)), fields(std::move(fieldDefs)), indexes(std::move(indexDefs))
    {
    }

    QString fileName;   // as stored in the alias folder, e.g. "Hazak.DB"
    QList<FieldDef> fields;
    QList<IndexDef> indexes;
    // The version of the table's shape. 1 is the shape the files had before versions were
    // recorded (a file says 0); each later shape adds fields (`added`). A file records its
    // shape in SQLite's user_version, a server in its table of shapes.
    int version = 1;
    QList<AddedField> added;
    // The schema version that added the table itself: 1 for the original tables. A folder of
    // the tables before it gets the table, holding `rowsWhenAdded`, when it is upgraded.
    int since = 1;
    QList<QVariantList> rowsWhenAdded;

    // The SQL table name inside the file: the file name without its extension.
    QString sqlName() const;
    int fieldIndex(const QString &name) const;  // any letter case, -1 when absent
    int autoIncIndex() const;                   // -1 when the table has none
};

// A name quoted for use as an SQL identifier.
QString quoteIdentifier(const QString &name);

}  // namespace zdb
