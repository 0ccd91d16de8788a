#include "dialogs.h"

#include "application.h"
#include "errortext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrinterInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

namespace {
QWidget *activeParent() { return QApplication::activeWindow(); }
QString appTitle()
{
    const ZApplication *app = ZApplication::instance();
    return app && !app->title().isEmpty() ? app->title() : QApplication::applicationName();
}
}  // namespace

void WidgetDialogs::message(const QString &text)
{
    QMessageBox::information(activeParent(), appTitle(), text);
}

// Whoever reports an error, the box shows it in words a student can read.
void WidgetDialogs::error(const QString &text)
{
    QMessageBox::critical(activeParent(), appTitle(), friendlyError(text));
}

void WidgetDialogs::errorOver(QWidget *window, const QString &text)
{
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
    QMessageBox::critical(window && window->isVisible() ? window : activeParent(), appTitle(), friendlyError(text));
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

// Printing goes to the default printer without a printer dialog; having no printer at all
// is an error the user is told about rather than a job silently lost.
static void requireDefaultPrinter(const QPrinter &printer)
{
    if (QPrinterInfo::defaultPrinterName().isEmpty() && QPrinterInfo::availablePrinterNames().isEmpty())
        throw std::runtime_error("Nincs elérhető nyomtató: a nyomtatás nem indítható el.");
    if (!printer.isValid())
        throw std::runtime_error("A nyomtató nem érhető el: a nyomtatás nem indítható el.");
}

bool WidgetDialogs::printDocument(const QTextDocument &document, const QString &jobTitle)
{
    QPrinter printer(QPrinter::HighResolution);
    requireDefaultPrinter(printer);
    printer.setDocName(jobTitle);
    document.print(&printer);
    return true;
}

bool WidgetDialogs::printWidget(QWidget *widget, const QString &jobTitle)
{
    QPrinter printer(QPrinter::HighResolution);
    requireDefaultPrinter(printer);
    printer.setDocName(jobTitle);
    QPainter painter(&printer);
    const QPixmap image = widget->grab();
    // About the size it has on screen: scaled by the printer's resolution over the screen's.
    const double scale = double(printer.resolution()) / std::max(1, widget->logicalDpiX());
    QSize size = (QSizeF(image.size()) / image.devicePixelRatio() * scale).toSize();
    if (size.width() > painter.viewport().width() || size.height() > painter.viewport().height())
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
