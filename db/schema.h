#pragma once
// The game database: eleven tables, each stored in its own file of the alias folder.

#include <QList>
#include <QString>
#include <QStringList>

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

QString fieldTypeName(FieldType type);
bool isNumeric(FieldType type);

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;          // characters, for String only
    bool required = false;
    QString label;         // the title grids and messages give the field; empty: its name

    QString displayLabel() const { return label.isEmpty() ? name : label; }
};

struct IndexDef {
    QString name;
    QStringList fields;
};

struct TableDef {
    QString fileName;   // as stored in the alias folder, e.g. "Hazak.DB"
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    // The SQL table name inside the file: the file name without its extension.
    QString sqlName() const;
    int fieldIndex(const QString &name) const;  // any letter case, -1 when absent
    int autoIncIndex() const;                   // -1 when the table has none
};

struct LookupDef {
    QString name;
    FieldType type;
    int size;
    QString keyField;       // field of the player table
    QString sourceFile;     // table the value comes from
    QString sourceKeyField;
    QString resultField;
};

// Every table of the game, in the order of the table list.
const QList<TableDef> &schema();
// The schema entry for a file name (any letter case), or nullptr.
const TableDef *findTable(const QString &fileName);
// The fourteen computed fields of the player table.
const QList<LookupDef> &playerLookups();

// A name quoted for use as an SQL identifier.
QString quoteIdentifier(const QString &name);

// Creates an empty table file from its schema in `folder` (which must exist).
// An existing file of that name is replaced. Throws EngineError on failure.
void createTable(const QString &folder, const TableDef &def);

}  // namespace zdb
