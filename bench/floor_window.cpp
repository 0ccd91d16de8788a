// The floor of the start-up benchmark: the work no version of the game can avoid before
// its opening screen is painted. A bare window of the opening screen's size, a label in
// the game's font, one PNG picture from the resources, and one table of the working folder
// opened and read through Qt SQL.

#include "gui/look.h"
#include "bench/startup_probe.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QWidget>

namespace {

// Reads every row of the table in DB/Jatekosok.DB; the number of rows read.
int readPlayerTable()
{
    int rows = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("floor"));
        db.setDatabaseName(QDir::current().filePath(QStringLiteral("DB/Jatekosok.DB")));
        if (db.open()) {
            QSqlQuery names(db);
            if (names.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")) && names.next()) {
                QSqlQuery all(db);
                all.setForwardOnly(true);
                if (all.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(names.value(0).toString())))
                    while (all.next())
                        rows += all.value(0).isValid() ? 1 : 0;
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("floor"));
    return rows;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(790, 534);
    auto *caption = new QLabel(QStringLiteral("Kezdjünk neki"), &window);
    caption->setFont(look::sans(11, true));
    caption->setGeometry(59, 512, 81, 13);
    auto *picture = new QLabel(&window);
    picture->setPixmap(QPixmap(QStringLiteral(":/pict/kezd.png")));
    picture->setGeometry(72, 464, 60, 45);
    readPlayerTable();
    new startupprobe::FirstPaint(&window);
    window.show();
    return app.exec();
}
