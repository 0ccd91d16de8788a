#include "game/sugo.h"

#include "game/game.h"
#include "gui/look.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QListWidget>
#include <QRegularExpression>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextBrowser>

namespace {

struct Topic {
    int context = 0;
    int year = 0;   // the tax year whose law the topic explains; 0 for every year
    QString title;
    QString html;
};

// The topics are the files of the help folder built into the program, one per topic, in
// the order of their names. A file starts with a comment naming its help context and a
// title element; the rest is the topic's text. A topic of one tax year's law says so:
//     <!-- context: 8 -->                 <!-- context: 21 year: 2026 -->
//     <title>A nyitóképernyő</title>
//     <p>…</p>
// A figure of the folder is written {{name}} in the text and filled in when it is shown.
// Amounts in the examples follow the tables supplied with the game; a teacher who changes
// the tables with the maintenance program changes the results as well.
QList<Topic> readTopics()
{
    static const QRegularExpression head(
        QStringLiteral("^\\s*<!--\\s*context:\\s*(\\d+)\\s*(?:year:\\s*(\\d{4})\\s*)?-->\\s*<title>(.*?)</title>\\s*"),
        QRegularExpression::DotMatchesEverythingOption);
    QList<Topic> topics;
    QDir folder(QStringLiteral(":/help"));
    const QStringList names = folder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        const QRegularExpressionMatch m = head.match(text);
        if (!m.hasMatch())
            continue;
        topics.append({m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).trimmed(),
                       text.mid(m.capturedEnd()).trimmed()});
    }
    return topics;
}

const QList<Topic> &topics()
{
    static const QList<Topic> list = readTopics();
    return list;
}

QHash<int, QString> &personalNotes()
{
    static QHash<int, QString> notes;
    return notes;
}

QList<sugo::TopicAppendix *> &appendices()
{
    static QList<sugo::TopicAppendix *> list;
    return list;
}

std::function<sugo::FolderFacts()> &factsSource()
{
    static std::function<sugo::FolderFacts()> source;
    return source;
}

sugo::FolderFacts folderFacts()
{
    if (!factsSource())
        return {};
    try {
        return factsSource()();
    } catch (const std::exception &) {
        return {};   // a folder whose year cannot be read: every topic, no figures
    }
}

const Topic *findTopic(int context)
{
    for (const Topic &topic : topics())
        if (topic.context == context)
            return &topic;
    return nullptr;
}

bool forYear(const Topic &topic, int year)
{
    return year == 0 || topic.year == 0 || topic.year == year;
}

}  // namespace

namespace sugo {

void setFolderFacts(std::function<FolderFacts()> source)
{
    factsSource() = std::move(source);
}

QList<int> contexts()
{
    return contexts(folderFacts().year);
}

QList<int> contexts(int year)
{
    QList<int> list;
    for (const Topic &topic : topics())
        if (forYear(topic, year))
            list.append(topic.context);
    return list;
}

QString topicTitle(int context)
{
    const Topic *topic = findTopic(context);
    return topic ? topic->title : QString();
}

QString topicHtml(int context)
{
    const Topic *topic = findTopic(context);
    if (!topic)
        return QString();
    // Amounts written with grouped digits ("200 000 Ft") are not broken across lines.
    static const QRegularExpression grouped(QStringLiteral("(\\d) (?=\\d{3}\\b|Ft\\b)"));
    QString html = topic->html;
    const FolderFacts facts = folderFacts();
    for (auto it = facts.figures.cbegin(); it != facts.figures.cend(); ++it)
        html.replace(QStringLiteral("{{%1}}").arg(it.key()), it.value());
    html.replace(grouped, QStringLiteral("\\1&nbsp;"));
    for (const TopicAppendix *appendix : appendices())
        if (appendix->context() == context)
            html += appendix->html();
    return QStringLiteral("<h2>%1</h2>%2%3")
        .arg(topic->title, html, personalNotes().value(context));
}

void setPersonalNote(int context, const QString &html)
{
    if (html.isEmpty())
        personalNotes().remove(context);
    else
        personalNotes().insert(context, html);
}

TopicAppendix::TopicAppendix(int context, std::function<QString()> html) : m_context(context), m_html(std::move(html))
{
    appendices().append(this);
}

TopicAppendix::~TopicAppendix()
{
    appendices().removeOne(this);
}

}  // namespace sugo

THelpWindow::THelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Sugo"));
    setWindowTitle(QStringLiteral("Zomir – Súgó"));
    resize(760, 480);
    gamescreen::applyBackground(this);

    Contents = new QListWidget(this);
    Contents->setObjectName(QStringLiteral("Contents"));
    Contents->setFixedWidth(300);
    fillContents();
    Text = new QTextBrowser(this);
    Text->setObjectName(QStringLiteral("Text"));

    Contents->setAccessibleName(QStringLiteral("A súgó témái"));
    Text->setAccessibleName(QStringLiteral("A súgó szövege"));
    Text->setAccessibleDescription(QStringLiteral("Ctrl+plusz: nagyobb betű, Ctrl+mínusz: kisebb betű"));

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Contents);
    layout->addWidget(Text, 1);

    // Larger or smaller text, kept for the rest of the session.
    for (const QKeySequence &keys : {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)}) {
        auto *larger = new QShortcut(keys, this);
        connect(larger, &QShortcut::activated, this, [this] { changeReadingStep(+1); });
    }
    auto *smaller = new QShortcut(QKeySequence::ZoomOut, this);
    connect(smaller, &QShortcut::activated, this, [this] { changeReadingStep(-1); });

    connect(Contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectTopic(Contents->item(row)->data(Qt::UserRole).toInt());
    });
    selectTopic(sugo::contexts().first());
}

void THelpWindow::fillContents()
{
    const QList<int> contexts = sugo::contexts();
    if (contexts == m_listed)
        return;
    m_listed = contexts;
    const QSignalBlocker quiet(Contents);
    Contents->clear();
    for (int context : contexts) {
        auto *item = new QListWidgetItem(sugo::topicTitle(context), Contents);
        item->setData(Qt::UserRole, context);
    }
}

void THelpWindow::changeReadingStep(int by)
{
    look::setReadingStep(look::readingStep() + by);
    selectTopic(m_context);
}

void THelpWindow::selectTopic(int context)
{
    m_context = context;
    Text->document()->setDefaultFont(Text->font());   // the size as written, then the reading size
    Text->setHtml(sugo::topicHtml(context));
    look::scaleDocument(Text->document(), look::readingScale());
    const int row = int(sugo::contexts().indexOf(context));
    if (Contents->currentRow() != row)
        Contents->setCurrentRow(row);
}

void THelpWindow::showTopic(int context, QWidget *asker)
{
    // The folder's year is known once its tables are open: the contents follow it.
    fillContents();
    const QList<int> contexts = sugo::contexts();
    selectTopic(contexts.contains(context) ? context : contexts.first());
    const bool onTop = asker && asker->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);   // hides the window; shown again below
    show();
    raise();
    activateWindow();
}
