#include "maintenance/archivewindow.h"

#include "controls/dialogs.h"
#include "controls/errorbox.h"
#include "db/engine.h"
#include "maintenance/archive.h"
#include "rules/usererror.h"

#include <QKeyEvent>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

QDateEdit *dateEdit(QWidget *parent, const char *name, const QDate &date, int x, int y)
{
    auto *edit = new QDateEdit(date, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(x, y, 110, 23);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
    return edit;
}

}  // namespace

TArchiveWindow::TArchiveWindow(zdb::Session *session, Dialogs *dialogs, QStatusBar *statusBar, QWidget *parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_statusBar(statusBar)
{
    setObjectName(QStringLiteral("ArchiveWindow"));
    setWindowTitle(u("Befejezett játékok archiválása"));
    // The school year just ended, by default: from 1 September to today.
    const QDate today = QDate::currentDate();
    const QDate september(today.month() >= 9 ? today.year() : today.year() - 1, 9, 1);
    auto *from = new QLabel(u("&Ettől a naptól:"), this);
    from->setGeometry(8, 12, 110, 17);
    DateEdit80 = dateEdit(this, "DateEdit80", september, 120, 9);
    DateEdit80->setAccessibleName(u("Archiválás: ettől a naptól"));
    from->setBuddy(DateEdit80);
    auto *to = new QLabel(u("E&ddig a napig:"), this);
    to->setGeometry(240, 12, 100, 17);
    DateEdit81 = dateEdit(this, "DateEdit81", today, 342, 9);
    DateEdit81->setAccessibleName(u("Archiválás: eddig a napig"));
    to->setBuddy(DateEdit81);
    Label82 = new QLabel(u("Az időszakban játszott befejezett játékok (amelyekben kijött a költségvetés, és a játék "
                           "kiadta az oklevelet; az Eredmények lapon „Befejezve: igen”) előbb egy archívumfájlba "
                           "kerülnek, csak utána törlődnek. A befejezetlen játékok maradnak, azok még folytathatók. "
                           "Az archívum visszatölthető."),
                         this);
    Label82->setObjectName(QStringLiteral("Label82"));
    Label82->setWordWrap(true);
    Label82->setGeometry(8, 40, 444, 68);
    BitBtn80 = new QPushButton(u("&Archiválás…"), this);
    BitBtn80->setObjectName(QStringLiteral("BitBtn80"));
    BitBtn80->setGeometry(8, 116, 130, 27);
    BitBtn81 = new QPushButton(u("Archívum &visszatöltése…"), this);
    BitBtn81->setObjectName(QStringLiteral("BitBtn81"));
    BitBtn81->setGeometry(146, 116, 170, 27);
    BitBtn81->setToolTip(u("Egy archívumfájl játékai visszakerülnek a tárolt játékok közé (a meglévők kimaradnak)"));
    BitBtn82 = new QPushButton(u("&Bezárás"), this);
    BitBtn82->setObjectName(QStringLiteral("BitBtn82"));
    BitBtn82->setGeometry(352, 116, 100, 27);
    connect(BitBtn80, &QPushButton::clicked, this, &TArchiveWindow::BitBtn80Click);
    connect(BitBtn81, &QPushButton::clicked, this, &TArchiveWindow::BitBtn81Click);
    connect(BitBtn82, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(460, 151);
}

void TArchiveWindow::BitBtn80Click()
{
    guarded(this, [this] {
        const archive::Period period{DateEdit80->date(), DateEdit81->date()};
        if (period.from > period.to)
            fail(u("Az időszak kezdete (%1) későbbi a végénél (%2).")
                     .arg(period.from.toString(QStringLiteral("yyyy.MM.dd.")),
                          period.to.toString(QStringLiteral("yyyy.MM.dd."))));
        zdb::Table players(m_session);
        players.setAliasName(zdb::gameAlias());
        players.setTableName(QStringLiteral("Jatekosok.DB"));
        players.open();
        archive::Contents contents;
        contents.period = period;
        contents.made = QDateTime::currentDateTime();
        contents.games = archive::finishedGames(players, period);
        const QList<zdb::FieldDef> fields = players.definition().fields;
        players.close();
        if (contents.games.isEmpty()) {
            m_dialogs->message(u("A(z) %1 időszakban nincs befejezett játék, nincs mit archiválni.").arg(period.text()));
            return;
        }
        if (!m_dialogs->confirm(u("A(z) %1 időszakban játszott %2 befejezett játék (kiadott oklevéllel, "
                                  "„Befejezve: igen”) kerül az archívumfájlba, és törlődik a tárolt játékok közül. "
                                  "A befejezetlen játékok maradnak.\nFolytatja?")
                                    .arg(period.text())
                                    .arg(contents.games.size())))
            return;
        const QString path = m_dialogs->saveFileName(this, u("Archívum mentése"), archive::suggestedPath(period),
                                                     u("Játékarchívum (*.json);;Minden fájl (*)"));
        if (path.isEmpty())
            return;
        archive::writeArchive(path, fields, contents);
        const int removed = archive::removeGames(m_session, contents.games);
        Q_EMIT gamesChanged();
        m_statusBar->showMessage(u("%1 befejezett játék archiválva: %2").arg(removed).arg(QDir::toNativeSeparators(path)));
    });
}

void TArchiveWindow::BitBtn81Click()
{
    guarded(this, [this] {
        const QString path = m_dialogs->openFileName(this, u("Archívum visszatöltése"),
                                                     QFileInfo(archive::suggestedPath({})).absolutePath(),
                                                     u("Játékarchívum (*.json);;Minden fájl (*)"));
        if (path.isEmpty())
            return;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            fail(u("Az archívum nem nyitható meg: %1\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
        const QByteArray bytes = file.readAll();
        file.close();
        const zdb::TableDef *def = m_session->tableDef(QStringLiteral("Jatekosok.DB"));
        if (!def)
            fail(u("A játékosok táblája (Jatekosok.DB) nem ismert."));
        const archive::Contents contents = archive::fromJson(bytes, def->fields, path);
        const archive::Loaded loaded = archive::loadGames(m_session, contents.games);
        Q_EMIT gamesChanged();
        m_statusBar->showMessage(u("Az archívumból %1 játék visszatöltve, %2 már megvolt: %3")
                                     .arg(loaded.added)
                                     .arg(loaded.skipped)
                                     .arg(QDir::toNativeSeparators(path)));
    });
}

void TArchiveWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
