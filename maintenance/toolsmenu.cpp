#include "maintenance/toolsmenu.h"

#include "controls/datasource.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "maintenance/Unit1.h"
#include "maintenance/contenttools.h"
#include "maintenance/history.h"
#include "rules/usererror.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

constexpr int kKeyRole = Qt::UserRole;

// Whether the focused widget is a text field that can undo its own typing.
bool fieldCanUndo(QWidget *w)
{
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return !line->isReadOnly() && line->isUndoAvailable();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        return !plain->isReadOnly() && plain->document()->isUndoAvailable();
    if (auto *rich = qobject_cast<QTextEdit *>(w))
        return !rich->isReadOnly() && rich->document()->isUndoAvailable();
    return false;
}

}  // namespace

TChangesWindow::TChangesWindow(THistory *history, Dialogs *dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_history(history), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("ChangesWindow"));
    setWindowTitle(u("Változások"));
    resize(760, 420);
    auto *layout = new QVBoxLayout(this);
    List = new QTreeWidget(this);
    List->setObjectName(QStringLiteral("ChangesList"));
    List->setAccessibleName(u("Változások: lista"));
    List->setRootIsDecorated(false);
    List->setAllColumnsShowFocus(true);
    List->setHeaderLabels({u("Idő"), u("Lap"), u("Művelet"), u("Leírás")});
    List->setColumnWidth(0, 130);
    List->setColumnWidth(1, 120);
    List->setColumnWidth(2, 150);
    layout->addWidget(List);
    Reason = new QLabel(this);
    Reason->setObjectName(QStringLiteral("ChangesReason"));
    Reason->setWordWrap(true);
    layout->addWidget(Reason);
    UndoButton = new QPushButton(u("&Visszavonás"), this);
    UndoButton->setObjectName(QStringLiteral("ChangesUndo"));
    UndoButton->setToolTip(u("A kijelölt változás visszavonása"));
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(UndoButton);
    layout->addLayout(row);
    connect(List, &QTreeWidget::currentItemChanged, this, &TChangesWindow::selectionMoved);
    connect(UndoButton, &QPushButton::clicked, this, &TChangesWindow::undoSelected);
    connect(m_history, &THistory::added, this, &TChangesWindow::entryAdded);
    connect(m_history, &THistory::changed, this, &TChangesWindow::historyChanged);
    reread();
}

void TChangesWindow::addItem(const THistory::Entry &e, int at)
{
    const QString page = e.wholeTables() ? u("Teljes tartalom") : m_history->pageOf(e.table);
    auto *item = new QTreeWidgetItem(
        {e.time, page.isEmpty() ? e.table : page, e.undone ? u("%1 (visszavonva)").arg(e.kind) : e.kind, e.summary});
    item->setData(0, kKeyRole, e.key);
    item->setToolTip(3, e.summary);
    if (e.undone)
        for (int c = 0; c < 4; ++c)
            item->setForeground(c, List->palette().brush(QPalette::Disabled, QPalette::Text));
    List->insertTopLevelItem(at, item);
}

void TChangesWindow::reread()
{
    guarded(this, [&] {
        const QTreeWidgetItem *current = List->currentItem();
        const qint64 selected = current ? current->data(0, kKeyRole).toLongLong() : 0;
        List->clear();
        m_entries = m_history->entries();
        for (const THistory::Entry &e : std::as_const(m_entries)) {
            addItem(e, List->topLevelItemCount());
            if (e.key == selected)
                List->setCurrentItem(List->topLevelItem(List->topLevelItemCount() - 1));
        }
        if (!List->currentItem() && List->topLevelItemCount() > 0)
            List->setCurrentItem(List->topLevelItem(0));
        selectionMoved();
    });
}

void TChangesWindow::entryAdded(const THistory::Entry &entry)
{
    // A closed list is read again when it is shown ("Változások…"); an open one takes the
    // new entry on top, without reading the history again after every post.
    if (!isVisible())
        return;
    m_entries.prepend(entry);
    addItem(entry, 0);
    if (!List->currentItem())
        List->setCurrentItem(List->topLevelItem(0));
    selectionMoved();
}

void TChangesWindow::historyChanged()
{
    if (isVisible())
        reread();
}

void TChangesWindow::selectionMoved()
{
    const QTreeWidgetItem *item = List->currentItem();
    const QString reason = item ? m_history->undoBlocker(item->data(0, kKeyRole).toLongLong(), m_entries)
                                : u("Nincs kijelölt változás.");
    UndoButton->setEnabled(reason.isEmpty());
    UndoButton->setToolTip(reason.isEmpty() ? u("A kijelölt változás visszavonása") : reason);
    Reason->setText(reason);
}

void TChangesWindow::undoSelected()
{
    const QTreeWidgetItem *item = List->currentItem();
    if (!item)
        return;
    const qint64 key = item->data(0, kKeyRole).toLongLong();
    try {
        const QString summary = m_history->undo(key);
        Q_EMIT undone(summary);
    } catch (const std::exception &e) {
        showErrorMessage(errorMessage(e), this, m_dialogs->errorBox());
    }
    reread();
}

TToolsMenu::TToolsMenu(TZomir0001 *window, THistory *history, TContentTools *content, Dialogs *dialogs,
                       const QString &noHistoryReason)
    : QObject(window), m_window(window), m_history(history), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("ToolsMenu"));
    if (m_history)
        for (int page = 0; page < TZomir0001::PageCount; ++page)
            m_history->watch(window->pageTable(page), window->PageControl->tabText(page));

    Button = new QToolButton(window->PageControl);
    Button->setObjectName(QStringLiteral("ToolsButton"));
    Button->setText(u("Eszközök"));
    Button->setAccessibleName(u("Eszközök"));
    Button->setPopupMode(QToolButton::InstantPopup);
    Button->setAutoRaise(true);
    // Beside eleven tabs: no arrow of its own, the caption says it is a menu.
    Button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    Menu = new QMenu(Button);
    Menu->setObjectName(QStringLiteral("ToolsMenuList"));
    Button->setMenu(Menu);

    UndoAction = new QAction(u("Visszavonás"), window);
    UndoAction->setObjectName(QStringLiteral("UndoAction"));
    UndoAction->setShortcut(QKeySequence::Undo);
    UndoAction->setShortcutContext(Qt::WindowShortcut);
    UndoAction->setStatusTip(u("A lap utolsó tárolt változásának visszavonása"));
    ChangesAction = new QAction(u("Változások…"), window);
    ChangesAction->setObjectName(QStringLiteral("ChangesAction"));
    ChangesAction->setStatusTip(u("A tárolt változások listája, visszavonással"));
    Menu->addAction(UndoAction);
    Menu->addAction(ChangesAction);
    window->addAction(UndoAction);   // its shortcut works without the menu open
    connect(UndoAction, &QAction::triggered, this, &TToolsMenu::undoOnPage);
    connect(ChangesAction, &QAction::triggered, this, &TToolsMenu::showChanges);
    if (!m_history) {
        for (QAction *action : {UndoAction, ChangesAction}) {
            action->setEnabled(false);
            action->setStatusTip(noHistoryReason);
            action->setToolTip(noHistoryReason);
        }
        Menu->setToolTipsVisible(true);
    }

    const auto contentAction = [&](const char *objectName, const QString &text, const QString &tip) {
        auto *action = new QAction(text, window);
        action->setObjectName(QLatin1String(objectName));
        action->setStatusTip(tip);
        Menu->addAction(action);
        return action;
    };
    Menu->addSeparator();
    ExportAction = contentAction("ExportAction", u("Tartalom exportálása…"),
                                 u("Minden tartalomtábla egy JSON-fájlba, egy kollégának vagy későbbre"));
    ImportAction = contentAction("ImportAction", u("Tartalom importálása…"),
                                 u("Egy exportált tartalomfájl táblái a mostaniak helyére, egy visszavonható lépésben"));
    OriginalAction = contentAction("OriginalAction", u("Eredeti adatok visszaállítása…"),
                                   u("A lap vagy minden tartalomtábla eredeti, a munkamappával kapott adatai"));
    Menu->addSeparator();
    BackupAction = contentAction("BackupAction", u("Biztonsági mentés"),
                                 u("Minden tábla mentése most (naponta az első változás előtt magától is)"));
    RestoreBackupAction = contentAction("RestoreBackupAction", u("Visszaállítás mentésből…"),
                                        u("Egy korábbi biztonsági mentés visszaállítása"));
    connect(ExportAction, &QAction::triggered, content, &TContentTools::exportContent);
    connect(ImportAction, &QAction::triggered, content, &TContentTools::importContent);
    connect(OriginalAction, &QAction::triggered, content, &TContentTools::restoreOriginal);
    connect(BackupAction, &QAction::triggered, content, &TContentTools::makeBackup);
    connect(RestoreBackupAction, &QAction::triggered, content, &TContentTools::restoreBackup);
    window->PageControl->setCornerWidget(Button, Qt::TopRightCorner);
    // A text field with typing to undo keeps its Ctrl+Z; any other lets the window have it.
    qApp->installEventFilter(this);
}

bool TToolsMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *w = qobject_cast<QWidget *>(watched);
        if (key->matches(QKeySequence::Undo) && w && m_window->isAncestorOf(w) && !fieldCanUndo(w))
            return true;   // not taken by the field: the window's shortcut fires
    }
    return QObject::eventFilter(watched, event);
}

void TToolsMenu::undoOnPage()
{
    const int page = m_window->PageControl->currentIndex();
    if (page < 0 || page >= TZomir0001::PageCount) {
        m_window->StatusBar->showMessage(u("Ezen a lapon nincs visszavonható változás."));
        return;
    }
    zdb::Table *table = m_window->pageTable(page);
    if (table->editing()) {
        // Typing not yet stored is not thrown away by Ctrl+Z.
        m_window->StatusBar->showMessage(u("A rekord szerkesztés alatt áll: előbb tárolja (Alkalmaz) vagy vesse el "
                                           "(Mégsem) a módosítást, utána vonható vissza a lap utolsó változása."));
        return;
    }
    try {
        sayUndone(m_history->undoLast(table));
    } catch (const UserError &e) {
        m_window->StatusBar->showMessage(e.message());
    } catch (const std::exception &e) {
        showErrorMessage(errorMessage(e), m_window, m_dialogs->errorBox());
    }
}

void TToolsMenu::sayUndone(const QString &summary)
{
    m_window->StatusBar->showMessage(u("Visszavonva: %1").arg(summary));
}

void TToolsMenu::showChanges()
{
    if (!ChangesWindow) {
        ChangesWindow = new TChangesWindow(m_history, m_dialogs, m_window);
        ChangesWindow->setFont(m_window->font());
        connect(ChangesWindow, &TChangesWindow::undone, this, &TToolsMenu::sayUndone);
    } else {
        ChangesWindow->reread();
    }
    // Over the utility's window, not where the window manager would put it (off the
    // screen's foot on a small screen).
    if (!ChangesWindow->isVisible())
        ChangesWindow->move(m_window->frameGeometry().center() - ChangesWindow->rect().center());
    ChangesWindow->show();
    ChangesWindow->raise();
    ChangesWindow->activateWindow();
}

void TChangesWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
