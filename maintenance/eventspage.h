#pragma once
// The utility's window of the month's surprise, opened from the results page: whether the game draws one after a budget
// balances (the folder's setting in Adoev.DB, off unless turned on here), and the events it
// is drawn from (Meglepetes.db), edited as the catalogues are: through the navigator's
// "Szerkesztés" or "Beszúrás", posted with the engine's checks of every field (a name and a
// story are required, the amount lies between −10 million and 10 million forints).

#include <QWidget>

class Dialogs;
class QCheckBox;
class QTableView;
class TDataSource;
class TDBEdit;
class TExtDBNavigator;
class TImageList;
namespace zdb {
class Session;
class Table;
}  // namespace zdb

class TEventsPage : public QWidget {
    Q_OBJECT
public:
    // Opens the two tables through the game's alias; throws the engine's error when one
    // cannot be opened.
    TEventsPage(zdb::Session *session, Dialogs *dialogs, TImageList *images, QWidget *parent = nullptr);

    // Whether the utility may close: an edit in progress is saved, dropped or kept as the
    // user answers ("Igen", "Nem", "Mégsem"); false keeps the utility open.
    bool closeQuery(const QString &windowName);

    zdb::Table *MeglepetesDB = nullptr;
    zdb::Table *AdoevDB = nullptr;
    TDataSource *MeglepetesSource = nullptr;
    QCheckBox *CheckBox60 = nullptr;       // "A hónap meglepetése a kijött költségvetés után"
    TDBEdit *DBEdit60 = nullptr;           // Megnevezes
    TDBEdit *DBEdit61 = nullptr;           // Osszeg
    TDBEdit *DBEdit62 = nullptr;           // Tortenet
    QTableView *DBGrid60 = nullptr;
    TExtDBNavigator *ExtDBNavigator60 = nullptr;

public Q_SLOTS:
    void CheckBox60Click(bool on);

private:
    void showSetting();

    Dialogs *m_dialogs;
};
