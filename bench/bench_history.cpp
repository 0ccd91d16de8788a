// The cost of the utility's history: posts of a catalogue row with and without the history
// recording them, in the same run, and undoing them one by one.
//   post_plain_ms, post_recorded_ms: the mean time of one post (edit and post of a price)
//   post_recorded_to_plain_ratio
//   undo_ms: the mean time of one undo of the table's last change

#include "db/engine.h"
#include "maintenance/history.h"
#include "tests/support/shellfixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    constexpr int posts = 200;
    shellfixture::WorkFolder folder;
    folder.addCatalogueRow(QStringLiteral("Elelmiszerek.DB"), QStringLiteral("Tej"), 289);
    QTemporaryDir config;
    zdb::Session session(config.filePath(QStringLiteral("engine.ini")));
    session.addStandardAlias(zdb::gameAlias(), folder.db());
    zdb::Table food(&session);
    food.setAliasName(zdb::gameAlias());
    food.setTableName(QStringLiteral("Elelmiszerek.DB"));
    food.open();
    const auto postAll = [&](int from) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < posts; ++i) {
            food.edit();
            food.fieldByName(QStringLiteral("Atlagos_Ar")).setValue(double(from + i));
            food.post();
        }
        return double(timer.nsecsElapsed()) / 1e6 / posts;
    };
    const double plain = postAll(1000);
    THistory history(&session);
    history.watch(&food, QStringLiteral("Élelmiszerek"));
    const double recorded = postAll(5000);
    QElapsedTimer timer;
    timer.start();
    constexpr int undos = 50;
    for (int i = 0; i < undos; ++i)
        history.undoLast(&food);
    const double undo = double(timer.nsecsElapsed()) / 1e6 / undos;
    std::printf("post_plain_ms: %.3f\n", plain);
    std::printf("post_recorded_ms: %.3f\n", recorded);
    std::printf("post_recorded_to_plain_ratio: %.2f\n", recorded / plain);
    std::printf("undo_ms: %.3f\n", undo);
    std::printf("history_entries: %d\n", int(history.entries().size()));
    return 0;
}
