#pragma once
// A Dialogs implementation for tests: answers come from queues the test fills, and
// every interaction is recorded.

#include "controls/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind;   // "message", "error", "confirm", "confirmNo", "choose", "ask", "open", "save", "preview",
                        // "print", "printWidget", "start", "help"
        QString text;
    };

    void message(const QString &text) override;
    void error(const QString &text) override;
    bool confirm(const QString &text) override;
    // Recorded as "confirmNo" (the question whose default is No); answered from confirmAnswers.
    bool confirmDefaultNo(const QString &text) override;
    // Recorded as "choose" (the text); the items offered are kept in lastChoices.
    int choose(QWidget *parent, const QString &title, const QString &text, const QStringList &items,
               int current = 0) override;
    int ask(const QString &title, const QString &text, const QStringList &buttons) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                         const QString &filter) override;
    // Records the report (its document name is the text shown) and runs onPreview while the
    // "preview is open", so a test can render or inspect the report at that moment.
    void preview(const Report &report) override;
    bool printDocument(const QTextDocument &document, const QString &jobTitle) override;
    bool printWidget(QWidget *widget, const QString &jobTitle) override;
    bool startProgram(const QString &program, const QStringList &arguments = {}) override;
    void help(int context) override;

    // Answers, taken in order; an empty queue answers "no" / cancel / the last button.
    QQueue<bool> confirmAnswers;
    QQueue<int> askAnswers;
    QQueue<int> chooseAnswers;   // an empty queue cancels the list
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    // When set, previews and prints render into this PDF file.
    QString pdfPath;
    // Called during each preview with the report shown.
    std::function<void(const Report &)> onPreview;
    bool startSucceeds = true;
    // When set, printing a window fails with this message, as with no printer.
    QString printWidgetError;

    QList<Shown> shown;
    QStringList texts(const QString &kind) const;   // texts shown of one kind, in order
    QString lastFolder;                              // folder the last open dialog started in
    QStringList lastChoices;                         // the items of the last list offered
    QString lastSuggested;                           // what the last save dialog suggested
    const Report *lastReport = nullptr;              // the report of the last preview
    QString lastJobTitle;
    QStringList lastPrintedText;                      // plain text of the last printed document
    int lastHelpContext = -1;
    void clear() { shown.clear(); }
};
