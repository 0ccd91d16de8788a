#include "tests/support/scripteddialogs.h"

#include "controls/report.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QWidget>

#include <stdexcept>

void ScriptedDialogs::message(const QString &text) { shown.append({"message", text}); }

void ScriptedDialogs::error(const QString &text) { shown.append({"error", text}); }

bool ScriptedDialogs::confirm(const QString &text)
{
    shown.append({"confirm", text});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.dequeue();
}

bool ScriptedDialogs::confirmDefaultNo(const QString &text)
{
    shown.append({"confirmNo", text});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.dequeue();
}

int ScriptedDialogs::choose(QWidget *, const QString &, const QString &text, const QStringList &items, int)
{
    shown.append({"choose", text});
    lastChoices = items;
    return chooseAnswers.isEmpty() ? -1 : chooseAnswers.dequeue();
}

int ScriptedDialogs::ask(const QString &title, const QString &text, const QStringList &buttons)
{
    shown.append({"ask", title + "\n" + text});
    if (!askAnswers.isEmpty())
        return askAnswers.dequeue();
    return buttons.size() - 1;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &, const QString &folder,
                                      const QString &)
{
    shown.append({"open", folder});
    lastFolder = folder;
    return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &, const QString &suggested,
                                      const QString &)
{
    shown.append({"save", suggested});
    lastSuggested = suggested;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
}

void ScriptedDialogs::preview(const Report &report)
{
    shown.append({"preview", report.documentName()});
    lastReport = &report;
    if (!pdfPath.isEmpty())
        reportprint::writePdf(report, pdfPath);
    if (onPreview)
        onPreview(report);
}

bool ScriptedDialogs::printDocument(const QTextDocument &document, const QString &jobTitle)
{
    shown.append({"print", jobTitle});
    lastJobTitle = jobTitle;
    lastPrintedText = document.toPlainText().split(QChar::ParagraphSeparator);
    if (!pdfPath.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        printer.setDocName(jobTitle);
        document.print(&printer);
    }
    return true;
}

bool ScriptedDialogs::printWidget(QWidget *widget, const QString &jobTitle)
{
    shown.append({"printWidget", jobTitle});
    lastJobTitle = jobTitle;
    if (!printWidgetError.isEmpty())
        throw std::runtime_error(printWidgetError.toStdString());
    if (!pdfPath.isEmpty() && widget) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        printer.setDocName(jobTitle);
        QPainter painter(&printer);
        const QPixmap image = widget->grab();
        const QRect page = painter.viewport();
        QSize size = image.size();
        size.scale(page.size(), Qt::KeepAspectRatio);
        painter.drawPixmap(QRect(QPoint(0, 0), size), image);
    }
    return true;
}

bool ScriptedDialogs::startProgram(const QString &program, const QStringList &arguments)
{
    shown.append({"start", (QStringList{program} + arguments).join(' ')});
    return startSucceeds;
}

void ScriptedDialogs::help(int context)
{
    shown.append({"help", QString::number(context)});
    lastHelpContext = context;
}

QStringList ScriptedDialogs::texts(const QString &kind) const
{
    QStringList out;
    for (const Shown &s : shown)
        if (s.kind == kind)
            out.append(s.text);
    return out;
}
