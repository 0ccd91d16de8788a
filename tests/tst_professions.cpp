// The 30 professions are written once as content (data/content/2010/szakmak.json) and once in
// the game's recommendation table (career::professions()); the built database carries the
// content's codes and names. This test holds the three together: code, name, picture,
// career sheet and interest category, and that the working folder has both files.

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

    QHash<int, QJsonObject> m_content;
    QString m_folder;
    QTemporaryDir m_config;
    std::unique_ptr<zdb::Session> m_session;
    std::unique_ptr<zdb::Table> m_table;

private Q_SLOTS:
    void initTestCase()
    {
        QFile file(testenv::dataDir() + QStringLiteral("/../../data/content/2010/szakmak.json"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QJsonArray rows = QJsonDocument::fromJson(file.readAll()).object().value("rows").toArray();
        for (const QJsonValue &row : rows)
            m_content.insert(row.toObject().value("code").toInt(), row.toObject());
        QCOMPARE(m_content.size(), career::kProfessionCount);

        m_folder = qEnvironmentVariable("ZOMIR_WORKFOLDER");
        QVERIFY2(QFileInfo::exists(m_folder + QStringLiteral("/DB")), "no built working folder");
        m_session = std::make_unique<zdb::Session>(m_config.filePath(QStringLiteral("engine.ini")));
        m_session->addStandardAlias(QStringLiteral("WORK"), m_folder + QStringLiteral("/DB"));
        m_table = std::make_unique<zdb::Table>(m_session.get());
        m_table->setAliasName(QStringLiteral("WORK"));
        m_table->setTableName(QStringLiteral("szakma4.DB"));
        m_table->open();
        QCOMPARE(m_table->recordCount(), career::kProfessionCount);
    }

    void gameTableAgreesWithContentAndDatabase_data()
    {
        QTest::addColumn<int>("code");
        for (int code = 1; code <= career::kProfessionCount; ++code)
            QTest::addRow("%d", code) << code;
    }
    void gameTableAgreesWithContentAndDatabase()
    {
        QFETCH(int, code);
        const career::Profession *game = career::professionByCode(code);
        QVERIFY(game);
        const QJsonObject content = m_content.value(code);
        QCOMPARE(QString::fromUtf8(game->caption), content.value("Szakma_nev").toString());
        QCOMPARE(QString::fromUtf8(game->picture), content.value("picture").toString());
        QCOMPARE(QString::fromUtf8(game->sheet), content.value("sheet").toString());
        QCOMPARE(int(game->category), content.value("category").toInt());

        QVERIFY(m_table->locate(QStringLiteral("Szakma_kod"), code));
        QCOMPARE(m_table->fieldByName(QStringLiteral("Szakma_nev")).asString(), QString::fromUtf8(game->caption));

        for (const char *file : {game->picture, game->sheet})
            QVERIFY2(QFileInfo(workfiles::path(QString::fromUtf8(file), m_folder)).isFile(), file);
    }
};

ZOMIR_TEST_MAIN(TestProfessions)
#include "tst_professions.moc"
