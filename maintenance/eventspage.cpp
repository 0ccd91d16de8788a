#include "maintenance/eventspage.h"

#include "controls/ExtDBNavigator.h"
#include "controls/datasource.h"
#include "controls/dbcontrols.h"
#include "controls/dialogs.h"
#include "controls/errorbox.h"
#include "controls/tablemodel.h"
#include "db/engine.h"
#include "rules/usererror.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

void setHint(QWidget *w, const QString &hint)
{
    w->setStatusTip(hint);
    w->setToolTip(hint);
}

zdb::Table *openTable(zdb::Session *session, QObject *owner, const QString &name, const QString &file)
{
    auto *table = new zdb::Table(session, owner);
    table->setObjectName(name);
    table->setAliasName(zdb::gameAlias());
    table->setTableName(file);
    table->open();
    return table;
}

QLabel *label(QWidget *page, int number, const QString &text, int x, int y, QWidget *buddy)
{
    auto *l = new QLabel(text, page);
    l->setObjectName(QStringLiteral("Label%1").arg(number));
    l->move(x, y);
    l->adjustSize();
    l->setBuddy(buddy);
    return l;
}

}  // namespace

TEventsPage::TEventsPage(zdb::Session *session, Dialogs *dialogs, TImageList *images, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("EventsWindow"));
    MeglepetesDB = openTable(session, this, QStringLiteral("MeglepetesDB"), QStringLiteral("Meglepetes.db"));
    AdoevDB = openTable(session, this, QStringLiteral("AdoevDB"), QStringLiteral("Adoev.DB"));
    MeglepetesSource = new TDataSource(MeglepetesDB, this);
    MeglepetesSource->setObjectName(QStringLiteral("MeglepetesSource"));
    MeglepetesSource->setAutoEdit(false);

    CheckBox60 = new QCheckBox(u("A hónap meglepetése: a kijött költségvetés után egy váratlan esemény"), this);
    CheckBox60->setObjectName(QStringLiteral("CheckBox60"));
    CheckBox60->setGeometry(8, 8, 600, 21);
    setHint(CheckBox60, u("Bekapcsolva a játék a kijött költségvetés után kisorsol egyet az alábbi események közül, "
                          "és megmutatja, fedezi-e a havi maradék; az oklevelet ettől függetlenül megkapja a diák"));
    showSetting();
    connect(CheckBox60, &QCheckBox::clicked, this, &TEventsPage::CheckBox60Click);

    const auto edit = [this](int number, const char *field, int y, int width, const QString &hint) {
        auto *e = new TDBEdit(this);
        e->setObjectName(QStringLiteral("DBEdit%1").arg(number));
        e->setGeometry(104, y, width, 21);
        e->bind(MeglepetesSource, QString::fromLatin1(field));
        setHint(e, hint);
        return e;
    };
    DBEdit60 = edit(60, "Megnevezes", 48, 329, u("Az esemény neve, ahogy a diák olvassa („Elromlott a mosógép”)"));
    DBEdit61 = edit(61, "Osszeg", 72, 134, u("Forintban: a kiadás negatív, a bevétel pozitív szám"));
    DBEdit62 = edit(62, "Tortenet", 96, 657, u("Egy mondat arról, mi történt"));
    label(this, 60, u("Megnevezés"), 8, 50, DBEdit60);
    label(this, 61, u("Összeg (Ft)"), 8, 74, DBEdit61);
    label(this, 62, u("Történet"), 8, 98, DBEdit62);

    DBGrid60 = new QTableView(this);
    DBGrid60->setObjectName(QStringLiteral("DBGrid60"));
    DBGrid60->setGeometry(8, 136, 753, 289);
    DBGrid60->setEnabled(false);
    DBGrid60->verticalHeader()->hide();
    DBGrid60->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid60->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *model = new TTableModel(MeglepetesSource, DBGrid60);
    followCurrentRow(DBGrid60, model);
    DBGrid60->setColumnWidth(0, 80);
    DBGrid60->setColumnWidth(1, 200);
    DBGrid60->setColumnWidth(2, 100);
    DBGrid60->horizontalHeader()->setStretchLastSection(true);

    ExtDBNavigator60 = new TExtDBNavigator(this);
    ExtDBNavigator60->setObjectName(QStringLiteral("ExtDBNavigator60"));
    ExtDBNavigator60->setDialogs(dialogs);
    ExtDBNavigator60->setDataSource(MeglepetesSource);
    ExtDBNavigator60->setGeometry(8, 456, 750, 33);
    ExtDBNavigator60->SetImageList(images);
    ExtDBNavigator60->SetAllowTimer(true);

    QWidget::setTabOrder(CheckBox60, DBEdit60);
    QWidget::setTabOrder(DBEdit60, DBEdit61);
    QWidget::setTabOrder(DBEdit61, DBEdit62);
    QWidget::setTabOrder(DBEdit62, ExtDBNavigator60);
}

void TEventsPage::showSetting()
{
    AdoevDB->first();
    const bool on = !AdoevDB->eof() && !AdoevDB->fieldByName(QStringLiteral("Meglepetes_be")).isNull()
                    && AdoevDB->fieldByName(QStringLiteral("Meglepetes_be")).asBoolean();
    CheckBox60->setChecked(on);
}

void TEventsPage::CheckBox60Click(bool on)
{
    const bool stored = guarded(this, [this, on] {
        AdoevDB->refresh();
        AdoevDB->first();
        if (AdoevDB->eof())
            fail(u("Az Adoev.DB tábla üres: a munkakönyvtárat újra kell építeni, mielőtt a hónap meglepetése "
                   "bekapcsolható."));
        zdb::EditGuard record(AdoevDB);
        record.set(QStringLiteral("Meglepetes_be"), on);
        record.commit();
    });
    if (!stored)
        showSetting();
}

bool TEventsPage::closeQuery(const QString &windowName)
{
    if (!MeglepetesDB->editing())
        return true;
    if (!guarded(this, [this] { MeglepetesSource->updateRecord(); }))
        return false;
    if (!MeglepetesDB->modified()) {
        MeglepetesDB->cancel();
        return true;
    }
    const int answer = m_dialogs->ask(
        u("Megerősítés"), u("A(z) „%1” ablakban a módosítás nincs elmentve. Mentsük a bezárás előtt?").arg(windowName),
        {u("&Igen"), u("&Nem"), u("&Mégsem")});
    if (answer == 0)
        return guarded(this, [this] { MeglepetesSource->post(); });
    if (answer == 1) {
        MeglepetesDB->cancel();
        return true;
    }
    return false;
}
