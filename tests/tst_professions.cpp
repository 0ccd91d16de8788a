// The 30 professions have one owner of their caption, interest category, picture and career
// sheet: the profession table of the rules (career::professions()). The content of each tax
// year (data/content/<year>/szakmak.json) holds only that year's figures and the sheet's
// texts, by code; the content tool takes the rest from the rules. This test holds that
// split: no content row names what the rules own, every code is there once, and the built
// folder of each year carries the rules' captions and has both files at the rules' paths.

#include "db/engine.h"
#include "rules/interest.h"
#include "tests/support/testenv.h"
#include "rules/workfiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

class TestProfessions : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;

    static QString builtFolder(int year)
    {
        return qEnvironmentVariable(year == 2010 ? "ZOMIR_WORKFOLDER" : "ZOMIR_WORKFOLDER_2026");
    }

private Q_SLOTS:
    void years_data()
    {
        QTest::addColumn<int>("year");
        for (int year : {2010, 2026})
            QTest::addRow("%d", year) << year;
    }

    void contentHoldsOnlyTheYearsFigures_data() { years_data(); }
    void contentHoldsOnlyTheYearsFigures()
    {
        QFETCH(int, year);
        QFile file(testenv::dataDir() + QStringLiteral("/../../data/content/%1/szakmak.json").arg(year));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QJsonArray rows = QJsonDocument::fromJson(file.readAll()).object().value("rows").toArray();
        QSet<int> codes;
        for (const QJsonValue &value : rows) {
            const QJsonObject row = value.toObject();
            const int code = row.value("code").toInt();
            QVERIFY2(career::professionByCode(code), qPrintable(QString::number(code)));
            QVERIFY2(!codes.contains(code), qPrintable(QString::number(code)));
            codes.insert(code);
            // Names compared without regard to case, as the content tool reads them.
            for (auto it = row.begin(); it != row.end(); ++it)
                for (const char *owned : {"Szakma_nev", "category", "picture", "sheet"})
                    QVERIFY2(it.key().compare(QLatin1String(owned), Qt::CaseInsensitive) != 0,
                             qPrintable(QStringLiteral("code %1 names %2").arg(code).arg(it.key())));
            QVERIFY(row.value("Brutto_min").toDouble() > 0);
        }
        QCOMPARE(codes.size(), career::kProfessionCount);
    }

    void builtFolderCarriesTheRulesTable_data() { years_data(); }
    void builtFolderCarriesTheRulesTable()
    {
        QFETCH(int, year);
        const QString folder = builtFolder(year);
        if (folder.isEmpty())
            QSKIP("no built working folder of the year");
        QVERIFY2(QFileInfo::exists(folder + QStringLiteral("/DB")), "no built working folder");
        zdb::Session session(m_config.filePath(QStringLiteral("engine%1.ini").arg(year)));
        session.addStandardAlias(QStringLiteral("WORK"), folder + QStringLiteral("/DB"));
        zdb::Table table(&session);
        table.setAliasName(QStringLiteral("WORK"));
        table.setTableName(QStringLiteral("szakma4.DB"));
        table.open();
        QCOMPARE(table.recordCount(), career::kProfessionCount);
        for (const career::Profession &p : career::professions()) {
            QVERIFY(table.locate(QStringLiteral("Szakma_kod"), p.code));
            QCOMPARE(table.fieldByName(QStringLiteral("Szakma_nev")).asString(), QString::fromUtf8(p.caption));
            for (const char *file : {p.picture, p.sheet})
                QVERIFY2(QFileInfo(workfiles::path(QString::fromUtf8(file), folder)).isFile(), file);
        }
    }
};

ZOMIR_TEST_MAIN(TestProfessions)
#include "tst_professions.moc"
