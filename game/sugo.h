#pragma once
// The game's help: a topic per help context number and a small window that shows them.
// F1 opens the topic of the focused control's context (see gamescreen::helpContextFor).

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QListWidget;
class QTextBrowser;

namespace sugo {
// What the topics depend on in the folder being played: its tax year (a topic of another
// year is left out of the help; 0 shows every topic) and figures a topic's text names as
// {{name}} (the monthly cost of a child, for instance).
struct FolderFacts {
    int year = 0;
    QHash<QString, QString> figures;
};
// The source the help asks each time it shows a topic; none: every topic, no figures.
void setFolderFacts(std::function<FolderFacts()> source);

// The help contexts that have a topic for the folder's year, in the order of the contents list.
QList<int> contexts();
// The same for a tax year; 0: every topic of the help.
QList<int> contexts(int year);
// Title and text (HTML) of a topic; empty for a context without a topic.
QString topicTitle(int context);
QString topicHtml(int context);
// A note on the player's own figures that the topic of `context` shows after its text (the
// income calculator's topics show their formulas with the player's wage and the tables'
// rates); an empty note removes it.
void setPersonalNote(int context, const QString &html);

// A part of a topic written when the topic is shown (figures read from the tables at that
// moment). It is added to the topic's text while the object lives.
class TopicAppendix {
public:
    TopicAppendix(int context, std::function<QString()> html);
    ~TopicAppendix();
    TopicAppendix(const TopicAppendix &) = delete;
    TopicAppendix &operator=(const TopicAppendix &) = delete;

    int context() const { return m_context; }
    QString html() const { return m_html ? m_html() : QString(); }

private:
    int m_context;
    std::function<QString()> m_html;
};
}  // namespace sugo

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget *parent = nullptr);

    // Shows the window at the topic of `context` (the contents page when it has none), in
    // front of `asker`, the window where help was asked for: over a window that stays on
    // top of the others (the opening screen), the help stays on top as well.
    void showTopic(int context, QWidget *asker = nullptr);
    int currentContext() const { return m_context; }

    QListWidget *Contents = nullptr;
    QTextBrowser *Text = nullptr;

    // Ctrl+plus and Ctrl+minus: the reading size of the help and the career sheet.
    void changeReadingStep(int by);

private:
    void fillContents();
    void selectTopic(int context);
    int m_context = 0;
    QList<int> m_listed;   // the contexts the contents list shows
};
