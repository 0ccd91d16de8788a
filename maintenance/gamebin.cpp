#include "maintenance/gamebin.h"

#include "controls/dialogs.h"
#include "controls/errorbox.h"
#include "db/engine.h"
#include "rules/usererror.h"

#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

const QString kPlayers = QStringLiteral("Jatekosok.DB");

const zdb::TableDef &playersDef(zdb::Session *session)
{
    const zdb::TableDef *def = session->tableDef(kPlayers);
    if (!def)
        fail(u("A játékosok táblája (Jatekosok.DB) nem ismert."));
    return *def;
}

QString dateText(const QString &iso)
{
    const QDate d = QDate::fromString(iso.left(10), Qt::ISODate);
    return d.isValid() ? d.toString(QStringLiteral("yyyy.MM.dd.")) : iso;
}

QString balanceText(const QString &stored)
{
    bool ok = false;
    const qint64 v = stored.toLongLong(&ok);
    if (!ok)
        return QString();
    QString text = QLocale(QLocale::Hungarian).toString(v);
    text.replace(QChar(0xA0), QChar(0x202F));
    return text + QStringLiteral(" Ft");
}

}  // namespace

TGameBin::TGameBin(zdb::Session *session, Dialogs *dialogs, QWidget *parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("GameBin"));
    setWindowTitle(u("Törölt játékok"));
    List70 = new QTreeWidget(this);
    List70->setObjectName(QStringLiteral("List70"));
    List70->setGeometry(8, 8, 553, 313);
    List70->setRootIsDecorated(false);
    List70->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List70->setHeaderLabels({u("Név"), u("Játék dátuma"), u("Törölve"), u("Egyenleg")});
    List70->setColumnWidth(0, 190);
    List70->setColumnWidth(1, 100);
    List70->setColumnWidth(2, 130);
    List70->setAccessibleName(u("Törölt játékok: lista"));
    List70->setToolTip(u("A törölt játékok; Ctrl vagy Shift lenyomva többet is kijelölhet"));
    Label70 = new QLabel(this);
    Label70->setObjectName(QStringLiteral("Label70"));
    Label70->setGeometry(8, 329, 553, 17);
    BitBtn70 = new QPushButton(u("&Visszaállítás"), this);
    BitBtn70->setObjectName(QStringLiteral("BitBtn70"));
    BitBtn70->setGeometry(8, 352, 130, 27);
    BitBtn70->setToolTip(u("A kijelölt játékok visszakerülnek a tárolt játékok közé"));
    BitBtn71 = new QPushButton(u("&Bezárás"), this);
    BitBtn71->setObjectName(QStringLiteral("BitBtn71"));
    BitBtn71->setGeometry(431, 352, 130, 27);
    connect(BitBtn70, &QPushButton::clicked, this, &TGameBin::BitBtn70Click);
    connect(BitBtn71, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(569, 387);
}

bool TGameBin::available(zdb::Session *session)
{
    try {
        return session->storage(zdb::gameAlias())->binAccess(playersDef(session)) != zdb::Storage::BinAccess::NoBin;
    } catch (const zdb::EngineError &) {
        return true;   // a server not reached now: the button tells why when pressed
    }
}

void TGameBin::showBin()
{
    const auto storage = m_session->storage(zdb::gameAlias());
    switch (storage->binAccess(playersDef(m_session))) {
    case zdb::Storage::BinAccess::NoBin:
        m_dialogs->message(u("A törölt játékokat csak a tanterem adatbázis-kiszolgálója őrzi meg; egy gép saját "
                             "mappájában a mentései őrzik őket."));
        return;
    case zdb::Storage::BinAccess::Missing:
        m_dialogs->message(u("Ezen a kiszolgálón még nincs beállítva a törölt játékok gyűjtője. A tanár futtassa "
                             "újra a tartalomkészítő eszközt (zomir-data --server …): az beállítja, és az "
                             "elmentett játékok megmaradnak."));
        return;
    case zdb::Storage::BinAccess::Denied:
        m_dialogs->message(u("A törölt játékokat csak a tanár szerepkörével lehet megnézni és visszaállítani, ez a "
                             "program viszont a(z) „%1” szerepkörrel kapcsolódik a kiszolgálóhoz. Indítsa a "
                             "karbantartót a tanár szerepkörével (karbantartas --server \"… user=zomir_tanar\").")
                               .arg(m_session->aliasServer(zdb::gameAlias()).user));
        return;
    case zdb::Storage::BinAccess::Allowed: break;
    }
    readBin();
    // Over the utility's window the first time, not wherever the mouse happens to be.
    if (!isVisible() && parentWidget())
        move(parentWidget()->window()->frameGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

void TGameBin::readBin()
{
    const auto storage = m_session->storage(zdb::gameAlias());
    m_rows = storage->deletedRows(playersDef(m_session),
                                  {QStringLiteral("Nev"), QStringLiteral("Datum"), QStringLiteral("Egyenleg")});
    List70->clear();
    for (const zdb::DeletedRow &row : m_rows) {
        auto *item = new QTreeWidgetItem(List70);
        item->setText(0, row.texts.value(0));
        item->setText(1, dateText(row.texts.value(1)));
        item->setText(2, row.deletedAt.toString(QStringLiteral("yyyy.MM.dd. HH:mm")));
        item->setText(3, balanceText(row.texts.value(2)));
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }
    Label70->setText(u("%1 törölt játék; a gyűjtő a törléstől számítva %2 napig őrzi őket.")
                         .arg(m_rows.size())
                         .arg(zdb::Storage::binKeepDays));
}

void TGameBin::BitBtn70Click()
{
    guarded(this, [this] {
        QList<qint64> ids;
        QStringList names;
        for (int i = 0; i < List70->topLevelItemCount(); ++i) {
            if (!List70->topLevelItem(i)->isSelected() || i >= m_rows.size())
                continue;
            ids << m_rows[i].id;
            names << QStringLiteral("%1 (%2)").arg(List70->topLevelItem(i)->text(0), List70->topLevelItem(i)->text(1));
        }
        if (ids.isEmpty()) {
            m_dialogs->message(u("Előbb jelölje ki a listában a visszaállítandó játékokat."));
            return;
        }
        const QString shown = names.size() > 10
                                  ? names.mid(0, 10).join(QStringLiteral(", ")) + u(" és még %1").arg(names.size() - 10)
                                  : names.join(QStringLiteral(", "));
        if (!m_dialogs->confirm(u("A kijelölt %1 játék visszakerül a tárolt játékok közé:\n%2\nVisszaállítja?")
                                    .arg(ids.size())
                                    .arg(shown)))
            return;
        const auto storage = m_session->storage(zdb::gameAlias());
        const zdb::TableDef &def = playersDef(m_session);
        const int restored = storage->restoreDeletedRows(def, ids);
        m_session->refreshTablesOf(storage->tableKey(def));
        readBin();
        Q_EMIT gamesRestored(restored);
    });
}

void TGameBin::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
