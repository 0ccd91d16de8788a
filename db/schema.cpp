#include "db/schema.h"

namespace zdb {

namespace {

using T = FieldType;

FieldDef f(const QString &name, FieldType type, bool required = false, int size = 0)
{
    return FieldDef{name, type, size, required, QString(), std::nullopt};
}

// A figure of the household's or a family's month: a price, a running cost, a wage.
constexpr double kMostForints = 10000000;

// The same field with the values it may hold.
FieldDef ranged(FieldDef def, double low, double high, const QString &unit)
{
    def.range = ValueRange{low, high, unit};
    return def;
}

FieldDef forints(const QString &name, bool required = false)
{
    return ranged(f(name, T::Money, required), 0, kMostForints, QStringLiteral("Ft"));
}

// Gives the fields of `def` the titles the maintenance window shows for them.
void setLabels(TableDef &def, const QList<QPair<QString, QString>> &labels)
{
    for (const auto &l : labels) {
        const int index = def.fieldIndex(l.first);
        Q_ASSERT(index >= 0);
        if (index >= 0)
            def.fields[index].label = l.second;
    }
}

TableDef catalogue(const QString &file, const QString &key, int categorySize)
{
    return TableDef{file,
                    {f(key, T::AutoInc), f("Kategoria", T::String, true, categorySize),
                     forints("Atlagos_Ar", true), f("Kep", T::Graphic), f("Leiras", T::Memo)},
                    {}};
}

void labelTables(QList<TableDef> &tables)
{
    const auto u = [](const char *text) { return QString::fromUtf8(text); };
    for (TableDef &def : tables) {
        const QString file = def.fileName;
        if (file == QLatin1String("Hazak.DB")) {
            setLabels(def, {{"House_Key", u("Azonosító")}, {"Kategoria", u("Kategória")},
                            {"Terulet", u("Terület")}, {"Torleszto_reszlet", u("Törlesztőrészlet")},
                            {"Kep", u("Kép")}, {"Leiras", u("Leírás")}});
        } else if (def.fields.size() == 5 && def.fields.first().type == T::AutoInc &&
                   def.fieldIndex("Atlagos_Ar") == 2) {   // the five other catalogues
            setLabels(def, {{def.fields.first().name, u("Azonosító")}, {"Kategoria", u("Kategória")},
                            {"Atlagos_Ar", u("Átlagos ár")}, {"Kep", u("Kép")}, {"Leiras", u("Leírás")}});
        } else if (file == QLatin1String("adokulcs.db")) {
            setLabels(def, {{"Also", u("Alsó jövedelemhatár (Ft)")}, {"Felso", u("Felső jövedelemhatár (Ft)")},
                            {"Osszeg", u("Összeg (Ft)")}, {"Szazalek", u("Százalék (%)")}});
        } else if (file == QLatin1String("szakma4.DB")) {
            setLabels(def, {{"Szakma_nev", u("Szakmanév")}, {"Brutto_min", u("Bruttó (min)")},
                            {"Brutto_max", u("Bruttó (max)")}, {"Hazastars_netto", u("Házastárs nettó")},
                            {"Gyerekszam", u("Gyerekszám")}});
        } else if (file == QLatin1String("Adoev.DB")) {
            setLabels(def, {{"Ev", u("Adóév")}, {"Gyerek_koltseg", u("Egy gyermek havi költsége")},
                            {"Meglepetes_be", u("A hónap meglepetése")}});
        } else if (file == QLatin1String("Meglepetes.db")) {
            setLabels(def, {{"Event_Key", u("Azonosító")}, {"Megnevezes", u("Megnevezés")},
                            {"Osszeg", u("Összeg (Ft)")}, {"Tortenet", u("Történet")}});
        } else if (file == QLatin1String("gyerek.db")) {
            setLabels(def, {{"Megnevezes", u("Megnevezés")}});
        } else if (file == QLatin1String("jarulek.db")) {
            setLabels(def, {{"Ebizt", u("Egészségügyi bizt. (%)")},
                            {"Mvjarulek", u("Munkavállalói járulék (%)")},
                            {"Nybjarulek", u("Nyugdíjbiztosítási járulék (%)")},
                            {"MUNKALTATO_JARULEK", u("Munkáltatói járulék (%)")},
                            {"Ajhatar", u("Alsó jövedelemhatár (Ft)")},
                            {"Ajosszeg", u("Alsó jövedelemösszeg (Ft)")}});
        }
    }
}

QList<TableDef> buildSchema()
{
    QList<TableDef> tables;
    tables.append(TableDef{"Hazak.DB",
                           {f("House_Key", T::AutoInc), f("Kategoria", T::String, true, 25),
                            ranged(f("Terulet", T::Float, true), 0, 10000, QString::fromUtf8("m²")),
                            forints("Rezsi"), forints("Torleszto_reszlet", true), f("Kep", T::Graphic),
                            f("Leiras", T::Memo)},
                           {}});
    tables.append(catalogue("Elelmiszerek.DB", "Food_Key", 25));
    tables.append(catalogue("Ruhazkodas.db", "Clothing_Key", 20));
    tables.append(catalogue("Kozlekedes.db", "Travel_Key", 25));
    tables.append(catalogue("Hobbi.db", "Hobby_Key", 25));
    tables.append(catalogue("Szorakozas.db", "Entertainment_Key", 25));
    tables.append(TableDef{"Jatekosok.DB",
                           {f("Player_Key", T::AutoInc), f("Nev", T::String, true, 30),
                            f("House_Key", T::Int16), f("Food_Key", T::Int16),
                            f("Clothing_Key", T::Int32), f("Travel_Key", T::Int16),
                            f("Hobby_Key", T::Int16), f("Entertainment_Key", T::Int16),
                            f("Job_Key", T::Int16), f("Kep", T::Graphic), f("Statusz", T::Int16),
                            f("Datum", T::Date), f("Gyerekek", T::Int16), f("Hazastars", T::Boolean),
                            f("Hazastars_jovedelem", T::Money), f("Netto_jov", T::Money),
                            f("Brutto_jov", T::Float), f("Adoev", T::Int16), f("Egyenleg", T::Int32),
                            f("Meglepetes", T::String, false, 40), f("Meglepetes_osszeg", T::Int32)},
                           {IndexDef{"Jatekosok_Nev_Szerint", {"Nev"}}}});
    // Shape 2: the year of each game; the games stored before it were played under 2010.
    // Shape 3: the month's balance of the game's last family costing (net income minus the
    // family total, in forints), and the month's surprise drawn when it balanced (its name
    // and amount as they were then); the games stored before it have neither.
    tables.last().version = 3;
    tables.last().added = {AddedField{2, QStringLiteral("Adoev"), 2010}, AddedField{3, QStringLiteral("Egyenleg"), QVariant()},
                           AddedField{3, QStringLiteral("Meglepetes"), QVariant()},
                           AddedField{3, QStringLiteral("Meglepetes_osszeg"), QVariant()}};
    tables.append(TableDef{"szakma4.DB",
                           {f("Szakma_kod", T::AutoInc), f("Szakma_nev", T::String, false, 100),
                            forints("Brutto_min"), forints("Brutto_max"),
                            f("Munkahelyzet", T::String, false, 255),
                            f("Kotelessegek", T::String, false, 255),
                            f("Tavlatok", T::String, false, 255), forints("Hallgatoi_kolcson"),
                            forints("Hiteltorlesztes_havonta"),
                            forints(QString::fromUtf8("Oktatás/könyvek_havonta")),
                            forints("Hazastars_netto"), ranged(f("Gyerekszam", T::Int32), 0, 10, QString())},
                           {}});
    tables.append(TableDef{"adokulcs.db",
                           {f("Also", T::Float), f("Felso", T::Float), f("Osszeg", T::Float),
                            f("Szazalek", T::Float)},
                           {}});
    tables.append(TableDef{"jarulek.db",
                           {f("Ebizt", T::Float), f("Mvjarulek", T::Float), f("Nybjarulek", T::Float),
                            f("MUNKALTATO_JARULEK", T::Float), f("Ajhatar", T::Float),
                            f("Ajosszeg", T::Float), f("Ajkulcs", T::Float), f("Ajfelsoh", T::Float),
                            f("Ajcsokulcs", T::Float)},
                           {}});
    tables.append(TableDef{"gyerek.db",
                           {f("Megnevezes", T::String, false, 30), f("1gyerek", T::Float),
                            f("2gyerek", T::Float), f("3gyerek", T::Float)},
                           {}});
    // The year whose law and prices the folder teaches, one row: the tax year of the payroll
    // tables and the content's monthly cost of a child in the family budget.
    tables.append(TableDef{"Adoev.DB",
                           {ranged(f("Ev", T::Int16, true), 2010, 2100, QString()),
                            forints("Gyerek_koltseg", true)},
                           {}});
    // A folder made before the table was the game of 2010.
    tables.last().since = 2;
    tables.last().rowsWhenAdded = {{2010, 10000}};
    // Shape 2: whether the month's surprise is drawn after a budget balances; off unless
    // the teacher turns it on.
    tables.last().fields.append(f("Meglepetes_be", T::Boolean));
    tables.last().version = 2;
    tables.last().added = {AddedField{2, QStringLiteral("Meglepetes_be"), false}};
    // The unexpected events of a month, drawn as the month's surprise: a name, an amount
    // (a cost below zero, a gain above) and a one-line story. A folder made before it gets
    // the table empty.
    tables.append(TableDef{"Meglepetes.db",
                           {f("Event_Key", T::AutoInc), f("Megnevezes", T::String, true, 40),
                            ranged(f("Osszeg", T::Money, true), -10000000, 10000000, QStringLiteral("Ft")),
                            f("Tortenet", T::String, true, 255)},
                           {}});
    tables.last().since = 3;
    // The content as the content tool supplied it, kept with the data so that a teacher can
    // go back to it: one row per content table, its file name, the tax year, and its rows as
    // a content file of that one table (contentjson.h). A folder made before it gets the
    // table empty.
    tables.append(TableDef{"Eredeti.db",
                           {f("Tabla", T::String, true, 40), f("Adoev", T::Int16), f("Tartalom", T::Memo)},
                           {}});
    tables.last().since = 4;
    labelTables(tables);
    return tables;
}

QList<LookupDef> buildLookups()
{
    return {
        {"Haz_Kategoria", T::String, 25, "House_Key", "Hazak.DB", "House_Key", "Kategoria"},
        {"Haz_Terulet", T::Int32, 0, "House_Key", "Hazak.DB", "House_Key", "Terulet"},
        {"Haz_Rezsi", T::Money, 0, "House_Key", "Hazak.DB", "House_Key", "Rezsi"},
        {"Haz_Torleszto_Reszlet", T::Money, 0, "House_Key", "Hazak.DB", "House_Key",
         "Torleszto_reszlet"},
        {"Elelmiszer_Kategoria", T::String, 25, "Food_Key", "Elelmiszerek.DB", "Food_Key",
         "Kategoria"},
        {"Elelmiszer_Atlagos_Ar", T::Money, 0, "Food_Key", "Elelmiszerek.DB", "Food_Key",
         "Atlagos_Ar"},
        {"Ruhazkodas_Kategoria", T::String, 25, "Clothing_Key", "Ruhazkodas.db", "Clothing_Key",
         "Kategoria"},
        {"Ruhazkodas_Atlagos_Ar", T::Money, 0, "Clothing_Key", "Ruhazkodas.db", "Clothing_Key",
         "Atlagos_Ar"},
        {"Kozlekedes_Kategoria", T::String, 25, "Travel_Key", "Kozlekedes.db", "Travel_Key",
         "Kategoria"},
        {"Kozlekedes_Atlagos_Ar", T::Money, 0, "Travel_Key", "Kozlekedes.db", "Travel_Key",
         "Atlagos_Ar"},
        {"Hobbi_kategoria", T::String, 20, "Hobby_Key", "Hobbi.db", "Hobby_Key", "Kategoria"},
        {"Hobbi_ar", T::Money, 0, "Hobby_Key", "Hobbi.db", "Hobby_Key", "Atlagos_Ar"},
        {"Szorakozas_kategoria", T::String, 20, "Entertainment_Key", "Szorakozas.db",
         "Entertainment_Key", "Kategoria"},
        {"Szorakozas_Ar", T::Money, 0, "Entertainment_Key", "Szorakozas.db", "Entertainment_Key",
         "Atlagos_Ar"},
    };
}

}  // namespace

const QList<TableDef> &schema()
{
    static const QList<TableDef> tables = buildSchema();
    return tables;
}

const TableDef *findTable(const QString &fileName)
{
    for (const TableDef &t : schema())
        if (t.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const QList<LookupDef> &playerLookups()
{
    static const QList<LookupDef> lookups = buildLookups();
    return lookups;
}

}  // namespace zdb
