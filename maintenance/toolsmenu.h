#pragma once
// The window's "Eszközök" menu, a button in the corner of the tab bar: "Visszavonás"
// (Ctrl+Z outside a field that can undo its own typing) undoes the current page's last
// change, and "Változások…" lists the history with an undo for any entry that no later
// change of the same record follows; then the content tools: the content file's export
// and import, the supplied figures put back, a backup made and one restored.

#include "maintenance/history.h"

#include <QList>
#include <QObject>
#include <QWidget>

class Dialogs;
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeWidget;
class TContentTools;
class TZomir0001;

// The list of changes, newest first.
class TChangesWindow : public QWidget {
    Q_OBJECT
public:
    TChangesWindow(THistory *history, Dialogs *dialogs, QWidget *parent);
    QTreeWidget *List = nullptr;
    QPushButton *UndoButton = nullptr;   // "Visszavonás"
    QLabel *Reason = nullptr;            // why the selected entry cannot be undone

public Q_SLOTS:
    void reread();
    void entryAdded(const THistory::Entry &entry);
    void historyChanged();
    void selectionMoved();
    void undoSelected();

Q_SIGNALS:
    void undone(const QString &summary);

private:
    void addItem(const THistory::Entry &entry, int at);

    THistory *m_history;
    Dialogs *m_dialogs;
    QList<THistory::Entry> m_entries;   // as listed, newest first
protected:
    // Escape closes the window, as it does a dialog.
    void keyPressEvent(QKeyEvent *event) override;
};

class TToolsMenu : public QObject {
    Q_OBJECT
public:
    // Puts the button in the corner of the window's tab bar; the history watches the
    // window's ten editing pages. Without a history (its table could not be opened) the
    // two undo actions are disabled and say why.
    TToolsMenu(TZomir0001 *window, THistory *history, TContentTools *content, Dialogs *dialogs,
               const QString &noHistoryReason = QString());

    QToolButton *Button = nullptr;   // "Eszközök"
    QMenu *Menu = nullptr;
    QAction *UndoAction = nullptr;      // "Visszavonás"
    QAction *ChangesAction = nullptr;   // "Változások…"
    QAction *ExportAction = nullptr;          // "Tartalom exportálása…"
    QAction *ImportAction = nullptr;          // "Tartalom importálása…"
    QAction *OriginalAction = nullptr;        // "Eredeti adatok visszaállítása…"
    QAction *BackupAction = nullptr;          // "Biztonsági mentés"
    QAction *RestoreBackupAction = nullptr;   // "Visszaállítás mentésből…"
    TChangesWindow *ChangesWindow = nullptr;

public Q_SLOTS:
    void undoOnPage();
    void showChanges();
    void sayUndone(const QString &summary);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TZomir0001 *m_window;
    THistory *m_history;
    Dialogs *m_dialogs;
};
