#include "dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>
#include <QWidget>

namespace {
QWidget *activeParent() { return QApplication::activeWindow(); }
QString appTitle()
{
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QApplication::applicationName() : name;
}
}  // namespace

void WidgetDialogs::message(const QString &text)
{
    QMessageBox::information(activeParent(), appTitle(), text);
}

void WidgetDialogs::error(const QString &text)
{
    QMessageBox::critical(activeParent(), appTitle(), text);
}

bool WidgetDialogs::confirm(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Megerősítés"), text, QMessageBox::NoButton,
                    activeParent());
    QPushButton *yes = box.addButton(QStringLiteral("&Igen"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Nem"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

int WidgetDialogs::ask(const QString &title, const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, activeParent());
    QList<QAbstractButton *> made;
    for (const QString &caption : buttons)
        made.append(box.addButton(caption, QMessageBox::AcceptRole));
    if (!made.isEmpty())
        box.setEscapeButton(made.last());
    box.exec();
    const int index = made.indexOf(box.clickedButton());
    return index < 0 ? int(buttons.size()) - 1 : index;
}

QString WidgetDialogs::openFileName(QWidget *parent, const QString &title, const QString &folder,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(parent ? parent : activeParent(), title, folder, filter);
}

void WidgetDialogs::preview(const QString &title, int pageCount,
                            const std::function<void(QPrinter &)> &render)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog dialog(&printer, activeParent());
    dialog.setWindowTitle(title);
    dialog.resize(900, 700);
    Q_UNUSED(pageCount);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&render](QPrinter *p) { render(*p); });
    dialog.exec();
}

bool WidgetDialogs::printDocument(const QTextDocument &document, const QString &jobTitle)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    QPrintDialog dialog(&printer, activeParent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    document.print(&printer);
    return true;
}

bool WidgetDialogs::printWidget(QWidget *widget, const QString &jobTitle)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    QPrintDialog dialog(&printer, activeParent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QPainter painter(&printer);
    const QPixmap image = widget->grab();
    QSize size = image.size();
    size.scale(painter.viewport().size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image);
    return true;
}

bool WidgetDialogs::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

void WidgetDialogs::help(int context)
{
    if (helpHandler)
        helpHandler(context);
}
