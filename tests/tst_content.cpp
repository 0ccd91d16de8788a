// The built working folder (ZOMIR_WORKFOLDER), opened through the table engine: the eleven
// tables and their rows, the profession pictures and career sheets at the paths the
// profession choice uses, the text files' encoding, the payroll figures of the tax year
// and the balance of the household budget.

#include "db/engine.h"
#include "db/schema.h"
#include "rules/interest.h"
#include "tests/support/pgserver.h"
#include "tests/support/testenv.h"
#include "tests/support/testserver.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>
#include <memory>

using namespace zdb;

namespace {

QString local(const char *gamePath)
{
    return QString::fromUtf8(gamePath).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// Round to the nearest integer, halves to even; RoundToFive as the payroll rules define it.
qint64 roundEven(double x)
{
    return qint64(std::nearbyint(x));
}
qint64 roundToFive(qint64 x)
{
    const qint64 r = x % 5;
    return r > 2 ? x - r + 5 : x - r;
}

// The payroll figures read from the built tables, and the income calculator's way of
// turning a gross wage into the family's net income.
struct Payroll {
    struct Band {
        double also, felso, osszeg, szazalek;
    };
    QVector<Band> bands;
    double employee = 0, pension = 0, health = 0, employer = 0;
    qint64 creditLimit = 0, creditMax = 0, creditUpper = 0;
    double creditRate = 0, creditReduction = 0;
    qint64 allowance[4] = {}, taxAllowance[4] = {};

    double credit(qint64 a) const
    {
        if (a <= creditLimit)
            return a >= creditMax / creditRate ? double(creditMax) : a * creditRate;
        return a < creditUpper ? creditMax - (a - creditLimit) * creditReduction : 0.0;
    }
    qint64 taxAdvance(qint64 g) const
    {
        const qint64 a = roundEven((1.0 + employer) * double(g * 12));
        int i = 0;
        while (i < bands.size() - 1 && bands[i].felso <= a)
            ++i;
        const Band &b = bands[i];
        const double t = (a - roundEven(b.also - 1)) * (b.szazalek / 100) + b.osszeg;
        return roundToFive(roundEven(double(roundEven(t - credit(a))) / 12));
    }
    qint64 contribution(qint64 g, double rate) const { return roundToFive(roundEven(g * rate)); }
    qint64 netWage(qint64 g) const
    {
        return g - taxAdvance(g) - contribution(g, health) - contribution(g, employee)
               - contribution(g, pension);
    }
    qint64 familyNet(qint64 g, int n, qint64 spouse) const
    {
        const int k = n == 0 ? 1 : qMin(n, 3);
        const qint64 fa = n == 0 ? 0 : roundToFive(n * allowance[k]);
        const qint64 fta = qMin<qint64>(n == 0 ? 0 : n * taxAllowance[k], taxAdvance(g));
        return netWage(g) + spouse + fa + fta;
    }
};

struct Home {
    double rezsi, torleszto;
};

}  // namespace

class TestContent : public QObject {
    Q_OBJECT

private:
    QString m_folder;
    QString m_folder2026;   // the folder built with --year 2026, when the run has one
    QTemporaryDir m_config;
    std::unique_ptr<Session> m_session;

    void require2026()
    {
        if (m_folder2026.isEmpty())
            QSKIP("No built working folder of 2026 (ZOMIR_WORKFOLDER_2026)");
    }

    // One content source of a year, as written in the source tree.
    static QJsonObject contentSource(int year, const QString &file)
    {
        QFile f(testenv::dataDir() + QStringLiteral("/../../data/content/%1/%2").arg(year).arg(file));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }

    std::unique_ptr<Table> open(const QString &file, const QString &alias = QStringLiteral("DB_ZOMIR"))
    {
        auto t = std::make_unique<Table>(m_session.get());
        t->setAliasName(alias);
        t->setTableName(file);
        t->open();
        return t;
    }

    // Every field of every row, pictures as digests, in stored order.
    QStringList dump(const QString &alias)
    {
        QStringList out;
        for (const TableDef &def : schema()) {
            auto t = open(def.fileName, alias);
            for (t->first(); !t->eof(); t->next()) {
                QStringList row{def.fileName};
                for (int i = 0; i < def.fields.size(); ++i) {
                    const QVariant v = t->fieldValue(i);
                    row << (def.fields[i].type == FieldType::Graphic
                                ? QString::fromLatin1(QCryptographicHash::hash(v.toByteArray(),
                                                                               QCryptographicHash::Sha1)
                                                          .toHex())
                                : v.toString());
                }
                out << row.join(QLatin1Char('|'));
            }
        }
        return out;
    }

    static constexpr int kStoredGames = 300;

    struct ToolRun {
        int exitCode = -1;
        QString errors;   // what the tool wrote to its error output
    };
    static ToolRun runTool(const QString &folder)
    {
        ToolRun run;
#ifdef ZOMIR_DATA_TOOL
        QProcess tool;
        tool.start(QStringLiteral(ZOMIR_DATA_TOOL), {folder});
        if (!tool.waitForFinished(120000))
            return run;
        run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
        run.errors = QString::fromUtf8(tool.readAllStandardError()).trimmed();
#else
        Q_UNUSED(folder);
#endif
        return run;
    }

    // The damaged players' tables kept aside in a database folder, by name.
    static QStringList asideFiles(const QString &db)
    {
        QStringList names = QDir(db).entryList({QStringLiteral("Jatekosok.serult-*")}, QDir::Files, QDir::Name);
        static const QRegularExpression pattern(QStringLiteral("^Jatekosok\\.serult-\\d{8}-\\d{6}(-\\d+)?\\.DB$"));
        for (const QString &n : names)
            if (!pattern.match(n).hasMatch())
                return {QStringLiteral("unexpected name: ") + n};
        return names;
    }

    // Every stored game of the alias's players' table, its fields joined, by key.
    QMap<int, QString> games(const QString &alias)
    {
        QMap<int, QString> out;
        auto t = open(QStringLiteral("Jatekosok.DB"), alias);
        for (t->first(); !t->eof(); t->next()) {
            QStringList fields;
            for (int i = 1; i < t->definition().fields.size(); ++i)
                fields << t->field(i).asString();
            out.insert(t->field(0).asInteger(), fields.join(QLatin1Char('|')));
        }
        return out;
    }

    // Stores kStoredGames games of every kind of field in the alias's players' table, enough
    // to fill several pages of the file.
    QMap<int, QString> storeGames(const QString &alias)
    {
        auto t = open(QStringLiteral("Jatekosok.DB"), alias);
        for (int i = 1; i <= kStoredGames; ++i) {
            EditGuard game(t.get(), EditGuard::Append);
            game.set(QStringLiteral("Nev"), QString::fromUtf8("Őrsi Ágnes %1. játéka").arg(i));
            game.set(QStringLiteral("House_Key"), 1 + i % 6);
            game.set(QStringLiteral("Food_Key"), 1 + i % 5);
            game.set(QStringLiteral("Clothing_Key"), 1 + i % 5);
            game.set(QStringLiteral("Travel_Key"), 1 + i % 5);
            game.set(QStringLiteral("Hobby_Key"), i % 64);
            game.set(QStringLiteral("Entertainment_Key"), (i * 7) % 64);
            game.set(QStringLiteral("Job_Key"), 1 + i % 30);
            game.set(QStringLiteral("Statusz"), i % 2);
            game.set(QStringLiteral("Datum"), QDate(2026, 11, 1).addDays(i));
            game.set(QStringLiteral("Netto_jov"), 150000 + i * 10.5);
            game.set(QStringLiteral("Brutto_jov"), 200000 + i);
            game.commit();
        }
        t->close();
        return games(alias);
    }

    // Damages the players' table file the way `kind` says; `other` is another table's file.
    static bool damageFile(const QString &path, const QString &kind, const QString &other)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        QByteArray bytes = f.readAll();
        f.close();
        constexpr int kPage = 4096;
        if (kind == QLatin1String("empty")) {
            bytes.clear();
        } else if (kind == QLatin1String("random")) {
            QRandomGenerator random(21);
            bytes = QByteArray(20000, Qt::Uninitialized);
            for (char &c : bytes)
                c = char(random.bounded(256));
        } else if (kind == QLatin1String("truncated")) {
            bytes.truncate(bytes.size() * 7 / 10);
        } else if (kind == QLatin1String("header")) {
            bytes.truncate(60);
        } else if (kind == QLatin1String("hole")) {
            // A leaf page of rows in the middle of the file, as lost to a bad sector.
            const int pages = int(bytes.size() / kPage);
            int page = pages / 2;
            while (page < pages && bytes.at(page * kPage) != char(0x0D))
                ++page;
            if (page >= pages - 1)
                return false;
            bytes.replace(page * kPage, kPage, QByteArray(kPage, '\0'));
        } else if (kind == QLatin1String("other")) {
            QFile o(other);
            if (!o.open(QIODevice::ReadOnly))
                return false;
            bytes = o.readAll();
        } else {
            return false;
        }
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        return f.write(bytes) == bytes.size();
    }

    Payroll payroll()
    {
        Payroll p;
        auto bands = open(QStringLiteral("adokulcs.db"));
        for (bands->first(); !bands->eof(); bands->next())
            p.bands.append({bands->fieldByName("Also").asFloat(), bands->fieldByName("Felso").asFloat(),
                            bands->fieldByName("Osszeg").asFloat(), bands->fieldByName("Szazalek").asFloat()});
        auto j = open(QStringLiteral("jarulek.db"));
        p.employee = j->fieldByName("Mvjarulek").asFloat() / 100;
        p.pension = j->fieldByName("Nybjarulek").asFloat() / 100;
        p.health = j->fieldByName("Ebizt").asFloat() / 100;
        p.employer = j->fieldByName("MUNKALTATO_JARULEK").asFloat() / 100;
        p.creditLimit = roundEven(j->fieldByName("Ajhatar").asFloat());
        p.creditMax = roundEven(j->fieldByName("Ajosszeg").asFloat());
        p.creditUpper = roundEven(j->fieldByName("Ajfelsoh").asFloat());
        p.creditRate = j->fieldByName("Ajkulcs").asFloat() / 100;
        p.creditReduction = j->fieldByName("Ajcsokulcs").asFloat() / 100;
        auto g = open(QStringLiteral("gyerek.db"));
        for (int k = 1; k <= 3; ++k)
            p.allowance[k] = roundEven(g->fieldByName(QStringLiteral("%1gyerek").arg(k)).asFloat());
        g->next();
        for (int k = 1; k <= 3; ++k)
            p.taxAllowance[k] = roundEven(g->fieldByName(QStringLiteral("%1gyerek").arg(k)).asFloat());
        return p;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_folder = qEnvironmentVariable("ZOMIR_WORKFOLDER");
        if (m_folder.isEmpty() || !QDir(m_folder).exists(QStringLiteral("DB")))
            QSKIP("No built working folder (ZOMIR_WORKFOLDER)");
        QVERIFY(m_config.isValid());
        m_session = std::make_unique<Session>(m_config.filePath(QStringLiteral("engine.ini")));
        m_session->addStandardAlias(QStringLiteral("DB_ZOMIR"), QDir(m_folder).filePath(QStringLiteral("DB")));
        const QString folder2026 = qEnvironmentVariable("ZOMIR_WORKFOLDER_2026");
        if (!folder2026.isEmpty() && QDir(folder2026).exists(QStringLiteral("DB"))) {
            m_folder2026 = folder2026;
            m_session->addStandardAlias(QStringLiteral("DB_2026"), QDir(folder2026).filePath(QStringLiteral("DB")));
        }
    }

    void rowCounts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rows");
        const QList<QPair<const char *, int>> counts = {
            {"Hazak.DB", 6},      {"Elelmiszerek.DB", 5}, {"Ruhazkodas.db", 5}, {"Kozlekedes.db", 5},
            {"Hobbi.db", 6},      {"Szorakozas.db", 6},   {"Jatekosok.DB", 0},  {"szakma4.DB", 30},
            {"adokulcs.db", 2},   {"jarulek.db", 1},      {"gyerek.db", 2},       {"Adoev.DB", 1},
            {"Meglepetes.db", 8}, {"Eredeti.db", 12},
        };
        QCOMPARE(counts.size(), schema().size());
        for (const auto &c : counts)
            QTest::addRow("%s", c.first) << QString::fromLatin1(c.first) << c.second;
    }
    void rowCounts()
    {
        QFETCH(QString, file);
        QFETCH(int, rows);
        QVERIFY2(QFile::exists(QDir(m_folder).filePath(QStringLiteral("DB/") + file)), qPrintable(file));
        QCOMPARE(open(file)->recordCount(), rows);
    }

    // Catalogue rows: keys 1..n in stored order, every required field filled, texts within
    // their sizes, a positive price and a 24-bit BMP picture of about 233 x 233.
    void catalogues_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *f : {"Hazak.DB", "Elelmiszerek.DB", "Ruhazkodas.db", "Kozlekedes.db", "Hobbi.db",
                              "Szorakozas.db"})
            QTest::addRow("%s", f) << QString::fromLatin1(f);
    }
    void catalogues()
    {
        QFETCH(QString, file);
        const TableDef *def = findTable(file);
        QVERIFY(def);
        auto t = open(file);
        const bool home = file == QLatin1String("Hazak.DB");
        int expectedKey = 1;
        double lastPrice = -1;
        for (t->first(); !t->eof(); t->next(), ++expectedKey) {
            QCOMPARE(t->field(0).asInteger(), expectedKey);
            const QString name = t->fieldByName("Kategoria").asString();
            QVERIFY(!name.isEmpty());
            QVERIFY(name.size() <= def->fields[def->fieldIndex("Kategoria")].size);
            const QString text = t->fieldByName("Leiras").asString();
            QVERIFY2(text.size() > 60 && text.endsWith(QLatin1Char('.')), qPrintable(name));
            const double price = home ? t->fieldByName("Rezsi").asFloat() + t->fieldByName("Torleszto_reszlet").asFloat()
                                      : t->fieldByName("Atlagos_Ar").asFloat();
            QVERIFY(price > 0);
            if (home || file.startsWith(QLatin1String("Elelmiszerek")) || file.startsWith(QLatin1String("Ruhazkodas"))) {
                QVERIFY2(price > lastPrice, qPrintable(name));   // levels run from thrifty to lavish
                lastPrice = price;
            }
            if (home)
                QVERIFY(t->fieldByName("Terulet").asFloat() > 0);

            const QByteArray bmp = t->fieldByName("Kep").asBytes();
            QVERIFY2(bmp.startsWith("BM"), qPrintable(name));
            const QImage image = QImage::fromData(bmp, "BMP");
            QVERIFY2(!image.isNull(), qPrintable(name));
            QVERIFY(qAbs(image.width() - 233) <= 20 && qAbs(image.height() - 233) <= 20);
        }
    }

    void activityRows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addRow("Hobbi") << "Hobbi.db"
                               << QStringList{"Macska", "Kutya", "Egér", "Papagáj", "Ló", "Halak"};
        QTest::addRow("Szorakozas") << "Szorakozas.db"
                                    << QStringList{"Kirándulás", "Mozi", "Kávéház", "Színház", "Diszkó", "Internet"};
    }
    void activityRows()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, names);
        auto t = open(file);
        t->first();
        for (int key = 1; key <= 6; ++key, t->next()) {
            QVERIFY(!t->eof());
            QCOMPARE(t->field(0).asInteger(), key);
            QCOMPARE(t->fieldByName("Kategoria").asString(), names[key - 1]);
        }
    }

    void transportPerPerson()
    {
        auto t = open(QStringLiteral("Kozlekedes.db"));
        QVERIFY(t->locate(QStringLiteral("Travel_Key"), 1));
        QCOMPARE(t->fieldByName("Kategoria").asString(), QStringLiteral("Bérlet"));
    }

    void professions_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("sheet");
        // The profession choice's table is the one owner of code, caption, picture and sheet.
        for (const career::Profession &p : career::professions())
            QTest::addRow("%d", p.code) << p.code << QString::fromUtf8(p.caption) << local(p.picture)
                                        << local(p.sheet);
    }
    void professions()
    {
        QFETCH(int, code);
        QFETCH(QString, caption);
        QFETCH(QString, picture);
        QFETCH(QString, sheet);
        auto t = open(QStringLiteral("szakma4.DB"));
        t->setRecNo(code);
        QCOMPARE(t->fieldByName("Szakma_kod").asInteger(), code);
        QCOMPARE(t->fieldByName("Szakma_nev").asString(), caption);
        const double min = t->fieldByName("Brutto_min").asFloat();
        const double max = t->fieldByName("Brutto_max").asFloat();
        QVERIFY(min >= 73500 && max > min && max < 1000000);
        const int children = t->fieldByName("Gyerekszam").asInteger();
        QVERIFY(children >= 0 && children <= 4);
        QVERIFY(t->fieldByName("Hazastars_netto").asFloat() > 0);
        for (const char *f : {"Munkahelyzet", "Kotelessegek", "Tavlatok"})
            QVERIFY2(t->fieldByName(f).asString().size() > 40, f);
        QVERIFY(!t->fieldByName(QString::fromUtf8("Oktatás/könyvek_havonta")).isNull());

        // The picture at the exact path, of the kind its extension says.
        const QString picturePath = QDir(m_folder).filePath(picture);
        QFile pf(picturePath);
        QVERIFY2(pf.open(QIODevice::ReadOnly), qPrintable(picturePath));
        const QByteArray bytes = pf.readAll();
        const bool jpeg = picture.endsWith(QLatin1String(".jpg"));
        QVERIFY(jpeg ? bytes.startsWith("\xFF\xD8\xFF") : bytes.startsWith("BM"));
        const QImage image = QImage::fromData(bytes, jpeg ? "JPG" : "BMP");
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 60 && image.height() >= 60);

        // The sheet: rich text in code page 1250, titled with the profession's name.
        QFile sf(QDir(m_folder).filePath(sheet));
        QVERIFY2(sf.open(QIODevice::ReadOnly), qPrintable(sheet));
        const QByteArray rtf = sf.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
        QVERIFY(rtf.trimmed().endsWith('}'));
        QCOMPARE(rtf.count('{'), rtf.count('}'));
        for (const char *control : {"\\b", "\\fs40", "\\pntext", "\\par"})
            QVERIFY2(rtf.contains(control), control);
        for (const char c : rtf)
            QVERIFY2(uchar(c) < 0x80, "a sheet carries its accented letters as \\'xx escapes");
        // Undo the \'xx escapes with the system's own code-page decoder.
        QByteArray raw;
        for (int i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\\' && i + 3 < rtf.size() && rtf[i + 1] == '\'') {
                raw += char(rtf.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else {
                raw += rtf[i];
            }
        }
        QStringDecoder cp1250("windows-1250");
        QVERIFY(cp1250.isValid());
        const QString text = cp1250(raw);
        QVERIFY2(text.contains(caption.trimmed()), qPrintable(caption));
        QVERIFY(text.contains(QString::fromUtf8("Feladatok")) && text.contains(QString::fromUtf8("Távlatok")));
    }

    void childCountsVary()
    {
        auto t = open(QStringLiteral("szakma4.DB"));
        QSet<int> counts;
        for (t->first(); !t->eof(); t->next())
            counts.insert(t->fieldByName("Gyerekszam").asInteger());
        QVERIFY(counts.contains(0) && counts.contains(4) && counts.size() >= 4);
    }

    // The 2010 law: published net wage of a minimum-wage earner about 60,200 Ft; 17 % and
    // 32 % bands joining at 5,000,000 Ft; the credit running out exactly at its upper limit.
    void payrollReproducesTheTaxYear()
    {
        const Payroll p = payroll();
        QCOMPARE(p.bands.size(), 2);
        QCOMPARE(p.bands[0].also - 1, 0.0);
        QCOMPARE(p.bands[1].osszeg, (p.bands[0].felso - (p.bands[0].also - 1)) * p.bands[0].szazalek / 100);
        QCOMPARE(p.bands[1].also - 1, p.bands[0].felso);
        QVERIFY(p.creditRate > 0);
        QCOMPARE(p.creditMax - (p.creditUpper - p.creditLimit) * p.creditReduction, 0.0);

        auto t = open(QStringLiteral("szakma4.DB"));
        double highest = 0;
        for (t->first(); !t->eof(); t->next())
            highest = qMax(highest, t->fieldByName("Brutto_max").asFloat());
        QVERIFY(p.bands.last().felso > 10 * (1 + p.employer) * highest * 12);

        QCOMPARE(p.netWage(73500), 60240);     // minimum wage
        QCOMPARE(p.taxAdvance(73500), 770);
        // The year's average gross wage: base 3,086,481, full credit, advance 28,625, contributions
        // 12,150 + 3,040 + 19,240.
        QCOMPARE(p.taxAdvance(202525), 28625);
        QCOMPARE(p.netWage(202525), 139470);
        // 400,000 Ft: annual base 6,096,000 is in the upper band and above the credit's end.
        QCOMPARE(p.taxAdvance(400000), roundToFive(roundEven((850000 + (6096000 - 5000000) * 0.32) / 12)));
        QCOMPARE(p.familyNet(100000, 3, 80000),
                 p.netWage(100000) + 80000 + 3 * 16000 + qMin<qint64>(12000, p.taxAdvance(100000)));
        QCOMPARE(p.familyNet(100000, 1, 0), p.netWage(100000) + 12200);
    }

    // The cheapest lifestyle must be affordable for every family on the lowest wage, the
    // dearest one out of reach for most even on the highest.
    void budgetBalance()
    {
        const Payroll p = payroll();
        auto price = [this](const char *file, int key) {
            auto t = open(QString::fromLatin1(file));
            t->setRecNo(key);
            return t->fieldByName("Atlagos_Ar").asFloat();
        };
        auto homes = open(QStringLiteral("Hazak.DB"));
        homes->first();
        const Home cheapHome{homes->fieldByName("Rezsi").asFloat(), homes->fieldByName("Torleszto_reszlet").asFloat()};
        homes->last();
        const Home dearHome{homes->fieldByName("Rezsi").asFloat(), homes->fieldByName("Torleszto_reszlet").asFloat()};
        double activities = 0;
        for (const char *f : {"Hobbi.db", "Szorakozas.db"})
            for (int key = 1; key <= 6; ++key)
                activities += price(f, key);

        auto familyCost = [&](const Home &h, int food, int clothing, int travel, int n, double extra) {
            const double pass = price("Kozlekedes.db", travel);
            const qint64 transport = travel == 1 ? roundEven(pass * (n + 2)) : roundEven(pass);
            return roundEven(roundEven(price("Elelmiszerek.DB", food) * (0.75 * n + 2))
                             + roundEven(price("Ruhazkodas.db", clothing) * (n + 2)) + transport + n * 10000
                             + h.rezsi + h.torleszto)
                   + qint64(extra);
        };

        auto t = open(QStringLiteral("szakma4.DB"));
        int lost = 0;
        for (t->first(); !t->eof(); t->next()) {
            const int n = t->fieldByName("Gyerekszam").asInteger();
            const qint64 spouse = roundEven(t->fieldByName("Hazastars_netto").asFloat());
            const qint64 low = p.familyNet(roundEven(t->fieldByName("Brutto_min").asFloat()), n, spouse);
            const qint64 high = p.familyNet(roundEven(t->fieldByName("Brutto_max").asFloat()), n, spouse);
            qint64 cheapest = std::numeric_limits<qint64>::max();
            for (int travel = 1; travel <= 5; ++travel)
                cheapest = qMin(cheapest, familyCost(cheapHome, 1, 1, travel, n, 0));
            QVERIFY2(low - cheapest > -1000, qPrintable(t->fieldByName("Szakma_nev").asString()));
            if (high - familyCost(dearHome, 5, 5, 5, n, activities) <= -1000)
                ++lost;
        }
        QVERIFY(lost >= 20);
    }

    // The 2026 folder has the 2010 folder's tables, keys, captions and pictures, so the
    // screens and the drawn pictures fit either; only the tax tables differ in shape.
    void yearsShareTheCatalogues()
    {
        require2026();
        for (const TableDef &def : schema()) {
            if (def.fileName == QLatin1String("adokulcs.db")) {
                QCOMPARE(open(def.fileName, QStringLiteral("DB_2026"))->recordCount(), 1);
                continue;
            }
            auto old = open(def.fileName);
            auto now = open(def.fileName, QStringLiteral("DB_2026"));
            QVERIFY2(old->recordCount() == now->recordCount(), qPrintable(def.fileName));
            const bool keyed = def.autoIncIndex() >= 0;
            for (old->first(), now->first(); !old->eof(); old->next(), now->next()) {
                if (keyed)
                    QCOMPARE(now->field(def.autoIncIndex()).asInteger(), old->field(def.autoIncIndex()).asInteger());
                for (const char *same : {"Kategoria", "Szakma_nev", "Terulet", "Gyerekszam", "Kep"})
                    if (def.fieldIndex(QLatin1String(same)) >= 0)
                        QVERIFY2(now->fieldByName(same).value() == old->fieldByName(same).value(),
                                 qPrintable(def.fileName + QLatin1Char(' ') + QLatin1String(same)));
            }
        }
    }

    // Every value of the 2026 folder within its field: numbers in the schema's ranges,
    // texts within their sizes, required fields filled.
    void values2026WithinTheSchema()
    {
        require2026();
        for (const TableDef &def : schema()) {
            auto t = open(def.fileName, QStringLiteral("DB_2026"));
            for (t->first(); !t->eof(); t->next()) {
                for (int i = 0; i < def.fields.size(); ++i) {
                    const FieldDef &fd = def.fields[i];
                    const QString where = QStringLiteral("%1 %2 row %3").arg(def.fileName, fd.name).arg(t->recNo());
                    if (fd.required)
                        QVERIFY2(!t->field(i).isNull(), qPrintable(where));
                    if (fd.range && !t->field(i).isNull()) {
                        const double v = t->field(i).asFloat();
                        QVERIFY2(v >= fd.range->low && v <= fd.range->high, qPrintable(where));
                    }
                    if (fd.type == FieldType::String && fd.size > 0)
                        QVERIFY2(t->field(i).asString().size() <= fd.size, qPrintable(where));
                }
            }
        }
    }

    // The 2026 tax tables exactly as the 2026 rules read them, and the year row.
    void taxTables2026()
    {
        require2026();
        const QString a = QStringLiteral("DB_2026");
        auto year = open(QStringLiteral("Adoev.DB"), a);
        QCOMPARE(year->recordCount(), 1);
        QCOMPARE(year->fieldByName("Ev").asInteger(), 2026);
        const double childCost = year->fieldByName("Gyerek_koltseg").asFloat();
        auto year2010 = open(QStringLiteral("Adoev.DB"));
        QCOMPARE(year2010->fieldByName("Ev").asInteger(), 2010);
        QCOMPARE(year2010->fieldByName("Gyerek_koltseg").asFloat(), 10000.0);
        QVERIFY(childCost > 10000 && childCost < 100000);

        auto bands = open(QStringLiteral("adokulcs.db"), a);
        QCOMPARE(bands->fieldByName("Also").asFloat(), 1.0);
        QCOMPARE(bands->fieldByName("Felso").asFloat(), 999999999999.0);
        QCOMPARE(bands->fieldByName("Osszeg").asFloat(), 0.0);
        QCOMPARE(bands->fieldByName("Szazalek").asFloat(), 15.0);
        auto j = open(QStringLiteral("jarulek.db"), a);
        QCOMPARE(j->recordCount(), 1);
        const QList<QPair<const char *, double>> rates = {
            {"Ebizt", 18.5},  {"Mvjarulek", 0}, {"Nybjarulek", 0}, {"MUNKALTATO_JARULEK", 13}, {"Ajhatar", 0},
            {"Ajosszeg", 0},  {"Ajkulcs", 0},   {"Ajfelsoh", 0},   {"Ajcsokulcs", 0}};
        for (const auto &r : rates)
            QVERIFY2(j->fieldByName(r.first).asFloat() == r.second, r.first);
        auto g = open(QStringLiteral("gyerek.db"), a);
        QCOMPARE(g->recordCount(), 2);
        const QList<QPair<QString, QList<double>>> rows = {
            {QStringLiteral("Családi pótlék"), {12200, 13300, 16000}},
            {QStringLiteral("Családi kedvezmény alapja"), {133340, 266660, 440000}}};
        for (const auto &row : rows) {
            QCOMPARE(g->fieldByName("Megnevezes").asString(), row.first);
            for (int k = 1; k <= 3; ++k)
                QCOMPARE(g->fieldByName(QStringLiteral("%1gyerek").arg(k)).asFloat(), row.second[k - 1]);
            g->next();
        }
    }

    // No wage the game can draw for a 2026 profession is below the minimum wage, or below
    // the guaranteed minimum where the job needs a qualification; the sheets print 2026.
    void minimumWages2026()
    {
        require2026();
        constexpr qint64 kMinimumWage = 322800, kGuaranteedMinimum = 373200;
        const QSet<int> unskilled = {8, 12};   // hospital helper, textile worker
        auto t = open(QStringLiteral("szakma4.DB"), QStringLiteral("DB_2026"));
        for (t->first(); !t->eof(); t->next()) {
            const int code = t->fieldByName("Szakma_kod").asInteger();
            const double min = t->fieldByName("Brutto_min").asFloat();
            const double max = t->fieldByName("Brutto_max").asFloat();
            // The lowest draw: the minimum rounded to whole thousands (halves to even).
            const qint64 lowest = roundEven(roundEven(min) / 1000.0) * 1000;
            const qint64 floor = unskilled.contains(code) ? kMinimumWage : kGuaranteedMinimum;
            QVERIFY2(min >= floor && lowest >= floor, qPrintable(QString::number(code)));
            QVERIFY(max > min && max <= 2000000);
            QVERIFY(t->fieldByName("Hazastars_netto").asFloat() >= 214662);   // the net of the minimum wage
        }
        // The first sheet prints the year and its wage range ("374 000" with a hard blank).
        t->first();
        const qint64 min = roundEven(t->fieldByName("Brutto_min").asFloat());
        const QByteArray printed = QByteArray::number(min / 1000) + "\\~" + QByteArray::number(min % 1000).rightJustified(3, '0');
        QFile sheet(QDir(m_folder2026).filePath(local(career::professions()[0].sheet)));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        const QByteArray rtf = sheet.readAll();
        QVERIFY2(rtf.contains("(2026)") && rtf.contains(printed), printed.constData());
    }

    // The 2026 sources say what every row rests on and mark the estimates: an "estimate"
    // is true (the whole row) or names fields of its row. The figures the companion facts
    // call estimates are marked, the verified ones are not.
    void estimatesMarked2026()
    {
        const QStringList files = {"hazak.json", "elelmiszerek.json", "ruhazkodas.json", "kozlekedes.json",
                                   "hobbi.json", "szorakozas.json", "szakmak.json"};
        QHash<QString, QHash<int, QJsonObject>> rows;
        for (const QString &file : files) {
            const QJsonObject doc = contentSource(2026, file);
            QVERIFY2(!doc.isEmpty(), qPrintable(file));
            for (const QJsonValue &v : doc.value("rows").toArray()) {
                const QJsonObject row = v.toObject();
                const int key = row.contains("key") ? row.value("key").toInt() : row.value("code").toInt();
                QVERIFY2(!row.value("note").toString().isEmpty(), qPrintable(QStringLiteral("%1 %2").arg(file).arg(key)));
                const QJsonValue e = row.value("estimate");
                if (e.isArray())
                    for (const QJsonValue &field : e.toArray())
                        QVERIFY2(row.contains(field.toString()), qPrintable(file + QLatin1Char(' ') + field.toString()));
                else
                    QVERIFY(e.isUndefined() || e.isBool());
                if (file == QLatin1String("szakmak.json"))
                    QVERIFY2(!row.value("kepzes").toString().contains(QLatin1String("OKJ")), qPrintable(QString::number(key)));
                rows[file].insert(key, row);
            }
        }
        const auto marked = [&](const QString &file, int key, const QString &field) {
            const QJsonValue e = rows[file][key].value("estimate");
            return e.toBool() || e.toArray().contains(field);
        };
        const struct {
            const char *file;
            int key;
            const char *field;
            bool estimate;
        } cases[] = {
            {"elelmiszerek.json", 3, "Atlagos_Ar", true},  {"ruhazkodas.json", 1, "Atlagos_Ar", true},
            {"hobbi.json", 3, "Atlagos_Ar", true},         {"hobbi.json", 5, "Atlagos_Ar", true},
            {"szorakozas.json", 5, "Atlagos_Ar", true},    {"kozlekedes.json", 2, "Atlagos_Ar", true},
            {"hazak.json", 2, "Rezsi", true},              {"hazak.json", 6, "Torleszto_reszlet", true},
            {"szakmak.json", 7, "Brutto_min", true},       {"szakmak.json", 21, "Brutto_max", true},
            {"szakmak.json", 1, "Hallgatoi_kolcson", true},
            {"hobbi.json", 1, "Atlagos_Ar", false},        {"kozlekedes.json", 1, "Atlagos_Ar", false},
            {"szorakozas.json", 1, "Atlagos_Ar", false},   {"hazak.json", 1, "Torleszto_reszlet", false},
            {"szakmak.json", 25, "Brutto_min", false},     {"szakmak.json", 16, "Brutto_max", false},
        };
        for (const auto &c : cases)
            QVERIFY2(marked(QLatin1String(c.file), c.key, QLatin1String(c.field)) == c.estimate,
                     qPrintable(QStringLiteral("%1 %2 %3").arg(c.file).arg(c.key).arg(c.field)));
        const QJsonObject year = contentSource(2026, QStringLiteral("ado.json")).value("adoev").toObject();
        QVERIFY(year.value("rows").toArray().first().toObject().value("estimate").toArray().contains("Gyerek_koltseg"));
    }

    // Without --year a folder is rebuilt for its own year; an unknown year is refused
    // before anything is written.
    void rebuildKeepsTheYear()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("munka"));
        const auto build = [](const QStringList &args) {
            QProcess tool;
            tool.start(QStringLiteral(ZOMIR_DATA_TOOL), args);
            tool.waitForFinished(120000);
            return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
        };
        const auto yearOf = [&]() {
            Session session(dir.filePath(QStringLiteral("engine.ini")));
            session.addStandardAlias(QStringLiteral("W"), QDir(folder).filePath(QStringLiteral("DB")));
            Table t(&session);
            t.setAliasName(QStringLiteral("W"));
            t.setTableName(QStringLiteral("Adoev.DB"));
            t.open();
            t.first();
            return t.fieldByName("Ev").asInteger();
        };
        QCOMPARE(build({QStringLiteral("--year"), QStringLiteral("2026"), folder}), 0);
        QCOMPARE(yearOf(), 2026);
        QCOMPARE(build({folder}), 0);
        QCOMPARE(yearOf(), 2026);
        QCOMPARE(build({folder, QStringLiteral("--year"), QStringLiteral("2010")}), 0);
        QCOMPARE(yearOf(), 2010);
        // A folder of an older tool, without the year table, is 2010.
        QVERIFY(QFile::remove(QDir(folder).filePath(QStringLiteral("DB/Adoev.DB"))));
        QCOMPARE(build({folder}), 0);
        QCOMPARE(yearOf(), 2010);
        const QString other = dir.filePath(QStringLiteral("masik"));
        for (const QString &bad : {QStringLiteral("2011"), QStringLiteral("ketezer")})
            QVERIFY(build({QStringLiteral("--year"), bad, other}) != 0);
        QVERIFY(!QDir(other).exists());
#endif
    }

    void recommendationClauses()
    {
        QFile f(QDir(m_folder).filePath(QStringLiteral("szakmaleiras.txt")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(!bytes.contains('?'));
        QStringDecoder cp1250("windows-1250");
        const QStringList lines = QString(cp1250(bytes)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        for (const QString &line : lines) {
            // Each continues "... olyan munkát ajánlunk, ahol" directly.
            QVERIFY2(line.startsWith(QLatin1Char(' ')) && !line.startsWith(QStringLiteral("  ")), qPrintable(line));
            QVERIFY(line.endsWith(QLatin1Char('.')));
        }
        QVERIFY(lines.join(QString()).contains(QString::fromUtf8("ő")));   // accents survive the code page
    }

    // Building again gives the same rows and the same files.
    void buildingIsRepeatable()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        QTemporaryDir second;
        QVERIFY(second.isValid());
        QProcess tool;
        tool.start(QStringLiteral(ZOMIR_DATA_TOOL), {second.path()});
        QVERIFY(tool.waitForFinished(120000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
        m_session->addStandardAlias(QStringLiteral("SECOND"), second.filePath(QStringLiteral("DB")));
        QCOMPARE(dump(QStringLiteral("SECOND")), dump(QStringLiteral("DB_ZOMIR")));

        QDirIterator it(m_folder, QDir::Files, QDirIterator::Subdirectories);
        int compared = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            const QString rel = QDir(m_folder).relativeFilePath(path);
            if (!rel.startsWith(QLatin1String("munka_pict/")) && !rel.startsWith(QLatin1String("rtf/"))
                && rel != QLatin1String("szakmaleiras.txt"))
                continue;
            QFile a(path), b(second.filePath(rel));
            QVERIFY(a.open(QIODevice::ReadOnly));
            QVERIFY2(b.open(QIODevice::ReadOnly), qPrintable(rel));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(rel));
            ++compared;
        }
        QCOMPARE(compared, 61);
        // The tool keeps its alias to itself: no engine configuration is written.
        QVERIFY(!QFile::exists(Session::defaultConfigFile()));
#endif
    }

    // The players' stored games survive building the same folder again.
    void rebuildKeepsStoredGames()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        QTemporaryDir dir;
        const auto build = [&] {
            QProcess tool;
            tool.start(QStringLiteral(ZOMIR_DATA_TOOL), {dir.path()});
            QVERIFY(tool.waitForFinished(120000));
            QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
        };
        build();
        m_session->addStandardAlias(QStringLiteral("REBUILT"), dir.filePath(QStringLiteral("DB")));
        {
            Table players(m_session.get());
            players.setAliasName(QStringLiteral("REBUILT"));
            players.setTableName(QStringLiteral("Jatekosok.DB"));
            players.open();
            players.append();
            players.fieldByName(QStringLiteral("Nev")).setValue(QString::fromUtf8("Őrsi Ágnes"));
            players.fieldByName(QStringLiteral("Statusz")).setValue(0);
            players.post();
        }
        build();
        Table players(m_session.get());
        players.setAliasName(QStringLiteral("REBUILT"));
        players.setTableName(QStringLiteral("Jatekosok.DB"));
        players.open();
        QCOMPARE(players.recordCount(), 1);
        QCOMPARE(players.fieldByName(QStringLiteral("Nev")).asString(), QString::fromUtf8("Őrsi Ágnes"));
        Table professions(m_session.get());
        professions.setAliasName(QStringLiteral("REBUILT"));
        professions.setTableName(QStringLiteral("szakma4.DB"));
        professions.open();
        QCOMPARE(professions.recordCount(), 30);
#endif
    }

    // A classroom server built before shapes were recorded (no year in the players' table, no
    // year table, no table of shapes): the programs refuse it and say how to upgrade it; the
    // tool upgrades it and keeps the stored game, played under 2010. A server newer than the
    // programs is refused.
    void olderServerIsUpgradedByTheTool()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        PgServer &server = testServer();
        QVERIFY(server.createDatabase(QStringLiteral("regi_osztaly")));
        const QString connection = server.connectionString(QStringLiteral("regi_osztaly"));
        const auto fill = [&] {
            QProcess tool;
            tool.start(QStringLiteral(ZOMIR_DATA_TOOL), {QStringLiteral("--server"), connection});
            QVERIFY(tool.waitForFinished(120000));
            QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
        };
        const auto opening = [&](const QString &alias) {
            try {
                m_session->setServerAlias(alias, ServerAddress::parse(connection));
                Table players(m_session.get());
                players.setAliasName(alias);
                players.setTableName(QStringLiteral("Jatekosok.DB"));
                players.open();
                return QStringLiteral("opened, %1 games, year %2")
                    .arg(players.recordCount())
                    .arg(players.fieldByName(QStringLiteral("Adoev")).asString());
            } catch (const EngineError &e) {
                return e.message();
            }
        };
        fill();
        QVERIFY(server.psql(QStringLiteral("INSERT INTO jatekosok (nev, statusz) VALUES ('Régi Ágnes', 3);"
                                           "ALTER TABLE jatekosok DROP COLUMN adoev; DROP TABLE adoev;"
                                           "DROP TABLE tablaformak"),
                            QStringLiteral("zomir_admin"), QStringLiteral("regi_osztaly")));
        const QString refused = opening(QStringLiteral("OLD_CLASS"));
        QVERIFY2(refused.contains(QStringLiteral("régebbi kiadásával")) && refused.contains(QStringLiteral("zomir-data")),
                 qPrintable(refused));
        fill();
        QCOMPARE(opening(QStringLiteral("UPGRADED_CLASS")), QStringLiteral("opened, 1 games, year 2010"));
        QString out;
        QVERIFY(server.psql(QStringLiteral("SELECT nev, adoev FROM jatekosok"), QStringLiteral("zomir_tanar"),
                            QStringLiteral("regi_osztaly"), &out));
        QCOMPARE(out.trimmed(), QString::fromUtf8("Régi Ágnes|2010"));

        QVERIFY(server.psql(QStringLiteral("UPDATE tablaformak SET verzio = 9 WHERE tabla = 'hazak'"),
                            QStringLiteral("zomir_admin"), QStringLiteral("regi_osztaly")));
        const QString newer = opening(QStringLiteral("NEWER_CLASS"));
        QVERIFY2(newer.contains(QStringLiteral("újabb kiadásával")) && newer.contains(QStringLiteral("Hazak.DB")),
                 qPrintable(newer));
#endif
    }

    // A classroom server filled by the tool has the same tables as the folder, keeps its
    // stored games when filled again, and gives the two roles their rights.
    void serverFillKeepsStoredGames()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        PgServer &server = testServer();
        QVERIFY(server.createDatabase(QStringLiteral("osztaly")));
        const QString connection = server.connectionString(QStringLiteral("osztaly"));
        const auto fill = [&](const QStringList &more = {}) {
            QProcess tool;
            tool.start(QStringLiteral(ZOMIR_DATA_TOOL), QStringList{QStringLiteral("--server"), connection} + more);
            QVERIFY(tool.waitForFinished(120000));
            QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
        };
        fill();
        m_session->setServerAlias(QStringLiteral("CLASS"), ServerAddress::parse(connection));
        QCOMPARE(dump(QStringLiteral("CLASS")), dump(QStringLiteral("DB_ZOMIR")));
        QVERIFY(server.psql(QStringLiteral("INSERT INTO jatekosok (nev, statusz) VALUES ('Őrsi Ágnes', 0)"),
                            QStringLiteral("zomir_diak"), QStringLiteral("osztaly")));
        fill();
        QString out;
        QVERIFY(server.psql(QStringLiteral("SELECT nev FROM jatekosok"), QStringLiteral("zomir_tanar"),
                            QStringLiteral("osztaly"), &out));
        QCOMPARE(out.trimmed(), QString::fromUtf8("Őrsi Ágnes"));
        const auto content = [this](const QString &alias) {
            QStringList rows = dump(alias);
            rows.removeIf([](const QString &row) { return row.startsWith(QLatin1String("Jatekosok.DB|")); });
            return rows;
        };
        QCOMPARE(content(QStringLiteral("CLASS")), content(QStringLiteral("DB_ZOMIR")));
        // The students read the catalogues and may not change them; the teacher may.
        QVERIFY(!server.psql(QStringLiteral("UPDATE hazak SET rezsi = 1"), QStringLiteral("zomir_diak"),
                             QStringLiteral("osztaly"), &out));
        QVERIFY2(out.contains(QStringLiteral("permission denied")), qPrintable(out));
        QVERIFY(server.psql(QStringLiteral("UPDATE hazak SET rezsi = rezsi"), QStringLiteral("zomir_tanar"),
                            QStringLiteral("osztaly")));
        // Filled with the content of 2026, the server keeps that year when filled again
        // without --year, and the class's game all along.
        if (!m_folder2026.isEmpty()) {
            fill({QStringLiteral("--year"), QStringLiteral("2026")});
            QCOMPARE(content(QStringLiteral("CLASS")), content(QStringLiteral("DB_2026")));
            fill();
            QCOMPARE(content(QStringLiteral("CLASS")), content(QStringLiteral("DB_2026")));
            QVERIFY(server.psql(QStringLiteral("SELECT nev FROM jatekosok"), QStringLiteral("zomir_tanar"),
                                QStringLiteral("osztaly"), &out));
            QCOMPARE(out.trimmed(), QString::fromUtf8("Őrsi Ágnes"));
        }
        // A password is refused on the command line: it belongs in the password file.
        QProcess tool;
        tool.start(QStringLiteral(ZOMIR_DATA_TOOL), {QStringLiteral("--server"), connection + QStringLiteral(" password=titok")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY(QString::fromUtf8(tool.readAllStandardError()).contains(QStringLiteral("jelszó")));
#endif
    }

    // A players' table that is no sound table is said to be damaged, kept aside under a
    // name of its own, and replaced by a fresh table holding every stored game that can
    // still be read from it; the folder works and the tool succeeds.
    void damagedPlayersTableIsReplaced_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");      // in the tool's notice
        QTest::addColumn<int>("fewest");          // games copied into the fresh table
        QTest::addColumn<int>("most");
        QTest::addColumn<QList<int>>("kept");     // keys of games that must be among them
        QTest::addRow("empty file") << "empty" << "üres" << 0 << 0 << QList<int>{};
        QTest::addRow("random bytes") << "random" << "nem SQLite-adatbázis" << 0 << 0 << QList<int>{};
        QTest::addRow("cut short") << "truncated" << "sérült vagy csonka" << 1 << kStoredGames - 1 << QList<int>{1};
        QTest::addRow("cut inside its header") << "header" << "sérült vagy csonka" << 0 << 0 << QList<int>{};
        QTest::addRow("a page of rows lost") << "hole" << "tartalma sérült" << 1 << kStoredGames - 1
                                             << QList<int>{1, kStoredGames};
        QTest::addRow("another table's file") << "other" << "Hazak" << 0 << 0 << QList<int>{};
    }
    void damagedPlayersTableIsReplaced()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        QFETCH(int, fewest);
        QFETCH(int, most);
        QFETCH(QList<int>, kept);
        QTemporaryDir dir;
        QVERIFY(testenv::copyFolder(m_folder, dir.path()));
        const QString alias = QStringLiteral("DAMAGED_%1").arg(damage);
        m_session->addStandardAlias(alias, dir.filePath(QStringLiteral("DB")));
        const QMap<int, QString> stored = storeGames(alias);
        const QString players = dir.filePath(QStringLiteral("DB/Jatekosok.DB"));
        QVERIFY(damageFile(players, damage, dir.filePath(QStringLiteral("DB/Hazak.DB"))));
        QFile damagedFile(players);
        QVERIFY(damagedFile.open(QIODevice::ReadOnly));
        const QByteArray damaged = damagedFile.readAll();
        damagedFile.close();

        const ToolRun run = runTool(dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.errors.contains(QStringLiteral("Jatekosok.DB")) && run.errors.contains(QStringLiteral("sérült")) &&
                     run.errors.contains(reason),
                 qPrintable(run.errors));

        // The damaged file, unchanged, under its own name.
        const QStringList aside = asideFiles(dir.filePath(QStringLiteral("DB")));
        QCOMPARE(aside.size(), 1);
        QVERIFY2(run.errors.contains(aside.first()), qPrintable(run.errors));
        QFile kept_(dir.filePath(QStringLiteral("DB/") + aside.first()));
        QVERIFY(kept_.open(QIODevice::ReadOnly));
        QVERIFY(kept_.readAll() == damaged);

        // The fresh table holds the games that were read, each as it was stored, and says how many.
        const QMap<int, QString> copied = games(alias);
        QVERIFY2(copied.size() >= fewest && copied.size() <= most, qPrintable(QString::number(copied.size())));
        for (int key : kept)
            QVERIFY2(copied.contains(key), qPrintable(QString::number(key)));
        for (auto it = copied.cbegin(); it != copied.cend(); ++it)
            QCOMPARE(it.value(), stored.value(it.key()));
        QVERIFY2(run.errors.contains(copied.isEmpty() ? QStringLiteral("egyetlen elmentett játék sem")
                                                       : QStringLiteral("%1 elmentett játék").arg(copied.size())),
                 qPrintable(run.errors));

        // The folder works: a game can be stored, and building again keeps the games without a word.
        {
            Table table(m_session.get());
            table.setAliasName(alias);
            table.setTableName(QStringLiteral("Jatekosok.DB"));
            table.open();
            table.append();
            table.fieldByName(QStringLiteral("Nev")).setValue(QString::fromUtf8("Új Játékos"));
            table.post();
        }
        const ToolRun again = runTool(dir.path());
        QCOMPARE(again.exitCode, 0);
        QVERIFY2(!again.errors.contains(QStringLiteral("zomir-data:")), qPrintable(again.errors));
        QCOMPARE(games(alias).size(), copied.size() + 1);
        QCOMPARE(asideFiles(dir.filePath(QStringLiteral("DB"))), aside);
#endif
    }

    // A damaged file kept aside earlier is never overwritten by a later one, even in the
    // same second.
    void secondDamageKeepsTheFirst()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        QTemporaryDir dir;
        QVERIFY(testenv::copyFolder(m_folder, dir.path()));
        const QDir db(dir.filePath(QStringLiteral("DB")));
        // Earlier damaged files under every name the next seconds would give.
        const QDateTime now = QDateTime::currentDateTime();
        QStringList earlier;
        for (int s = 0; s < 20; ++s) {
            const QString name = QStringLiteral("Jatekosok.serult-%1.DB")
                                     .arg(now.addSecs(s).toString(QStringLiteral("yyyyMMdd-HHmmss")));
            QFile f(db.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(name.toUtf8());
            earlier << name;
        }
        QFile players(db.filePath(QStringLiteral("Jatekosok.DB")));
        QVERIFY(players.open(QIODevice::WriteOnly | QIODevice::Truncate));
        players.write("no table here");
        players.close();
        const ToolRun run = runTool(dir.path());
        QCOMPARE(run.exitCode, 0);
        for (const QString &name : earlier) {
            QFile f(db.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(f.readAll()), name);
        }
        const QStringList aside = asideFiles(db.path());
        QCOMPARE(aside.size(), earlier.size() + 1);
        QString added;
        for (const QString &name : aside)
            if (!earlier.contains(name))
                added = name;
        QVERIFY2(QRegularExpression(QStringLiteral("^Jatekosok\\.serult-\\d{8}-\\d{6}-2\\.DB$")).match(added).hasMatch(),
                 qPrintable(added));
        QFile f(db.filePath(added));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("no table here"));
#endif
    }

    void toolReportsFailures()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QList<QPair<QStringList, int>> runs = {
            {{}, 2},                                                     // no folder given
            {{dir.filePath(QStringLiteral("file/work"))}, 1},            // a file stands in the way
        };
        for (const auto &run : runs) {
            QProcess tool;
            tool.start(QStringLiteral(ZOMIR_DATA_TOOL), run.first);
            QVERIFY(tool.waitForFinished(60000));
            QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
            QCOMPARE(tool.exitCode(), run.second);
            QVERIFY(!tool.readAllStandardError().isEmpty());
        }
#endif
    }
};

ZOMIR_TEST_MAIN(TestContent)
#include "tst_content.moc"
