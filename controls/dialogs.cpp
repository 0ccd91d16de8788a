#include "controls/dialogs.h"

#include "controls/errorbox.h"
#include "controls/translations.h"
#include "controls/report.h"
#include "rules/usererror.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTextDocument>
#include <QToolBar>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

QSize sizeOnScreen(const QSize &wanted, const QRect &available, int titleBar)
{
    return wanted.boundedTo(QSize(available.width(), available.height() - titleBar));
}

namespace {
QWidget *activeParent() { return QApplication::activeWindow(); }
QString appTitle() { return errorbox::title(); }
}  // namespace

void WidgetDialogs::message(const QString &text)
{
    QMessageBox::information(activeParent(), appTitle(), text);
}

// The text comes readable already (errorbox.h).
void WidgetDialogs::error(const QString &text)
{
    QMessageBox::critical(activeParent(), appTitle(), text);
}

void WidgetDialogs::errorOver(QWidget *window, const QString &text)
{
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
    QMessageBox::critical(window && window->isVisible() ? window : activeParent(), appTitle(), text);
}

namespace {

// A yes/no question; Escape answers no, Enter the default.
bool askYesNo(const QString &text, bool yesByDefault, QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Megerősítés"), text, QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(QStringLiteral("&Igen"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Nem"), QMessageBox::NoRole);
    box.setDefaultButton(yesByDefault ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace

bool WidgetDialogs::confirm(const QString &text) { return askYesNo(text, true, activeParent()); }

bool WidgetDialogs::confirmDefaultNo(const QString &text) { return askYesNo(text, false, activeParent()); }

int WidgetDialogs::choose(QWidget *parent, const QString &title, const QString &text, const QStringList &items,
                          int current)
{
    QDialog dialog(parent ? parent : activeParent());
    dialog.setObjectName(QStringLiteral("ListChoice"));
    dialog.setWindowTitle(title);
    auto *column = new QVBoxLayout(&dialog);
    auto *label = new QLabel(text, &dialog);
    label->setWordWrap(true);
    column->addWidget(label);
    auto *list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("choices"));
    list->addItems(items);
    list->setAccessibleName(text);
    label->setBuddy(list);
    if (!items.isEmpty())
        list->setCurrentRow(std::clamp(current, 0, int(items.size()) - 1));
    column->addWidget(list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("Mégsem"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!items.isEmpty());
    column->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    dialog.resize(std::max(dialog.sizeHint().width(), 520), 320);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return -1;
    return list->currentRow();
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

QString WidgetDialogs::openPictureName(QWidget *parent, const QString &title, const QString &folder,
                                       const QString &filter)
{
    TPictureFileDialog dialog(parent ? parent : activeParent(), title, folder, filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

TPictureFileDialog::TPictureFileDialog(QWidget *parent, const QString &title, const QString &folder,
                                       const QString &filter)
    : QFileDialog(parent, title, folder, filter)
{
    setObjectName(QStringLiteral("OpenPic1"));
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);

    auto *box = new QWidget(this);
    box->setObjectName(QStringLiteral("previewBox"));
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(6, 0, 0, 0);
    m_preview = new QLabel(box);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFixedSize(220, 165);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::Panel);
    m_preview->setFrameShadow(QFrame::Sunken);
    m_caption = new QLabel(box);
    m_caption->setObjectName(QStringLiteral("previewCaption"));
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_caption->setWordWrap(true);
    m_caption->setFixedWidth(220);
    column->addWidget(new QLabel(QStringLiteral("Előnézet:"), box));
    column->addWidget(m_preview);
    column->addWidget(m_caption);
    column->addStretch(1);
    // Qt's dialog lays itself out on a grid: the file list is on its second row.
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(box, 1, grid->columnCount(), 1, 1);
    else
        layout()->addWidget(box);
    resize(std::max(width(), 900), std::max(height(), 460));
    connect(this, &QFileDialog::currentChanged, this, &TPictureFileDialog::showPreview);
    showPreview(QString());
}

void TPictureFileDialog::showPreview(const QString &path)
{
    m_shown = QImage();
    m_preview->clear();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_caption->setText(QStringLiteral("Válasszon egy képfájlt."));
        return;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid())
        reader.setScaledSize(full.scaled(m_preview->size() - QSize(4, 4), Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull()) {
        m_caption->setText(QStringLiteral("Ez a fájl nem kép, vagy ilyen képet a program nem ismer."));
        return;
    }
    m_shown = image;
    m_preview->setPixmap(QPixmap::fromImage(image));
    const QSize size = full.isValid() ? full : image.size();
    m_caption->setText(QStringLiteral("%1 × %2 képpont").arg(size.width()).arg(size.height()));
}

QString WidgetDialogs::saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(parent ? parent : activeParent(), title, suggested, filter);
}

QString Dialogs::savePdf(const Report &report, QWidget *parent)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(reportprint::pdfFileName(report.documentName()));
    QString fileName = saveFileName(parent, QStringLiteral("PDF mentése"), suggested,
                                    QStringLiteral("PDF-dokumentum (*.pdf)"));
    if (fileName.isEmpty())
        return QString();
    if (!fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    try {
        reportprint::writePdf(report, fileName);
    } catch (const std::exception &e) {
        error(QString::fromUtf8(e.what()));
        return QString();
    }
    return fileName;
}

namespace {

// Qt's own dialogs (the print preview among them) speak Hungarian through Qt's translations.
void loadQtTranslations()
{
    static bool tried = false;
    if (tried || !qApp)
        return;
    tried = true;
    // Someone has loaded them already when Qt's texts come out translated.
    if (QCoreApplication::translate("QPrintPreviewDialog", "Print") != QLatin1String("Print"))
        return;
    installHungarianTranslations(qApp);
}

QAction *previewAction(QPrintPreviewDialog &dialog, const char *sourceText)
{
    const QString text = QCoreApplication::translate("QPrintPreviewDialog", sourceText);
    for (QAction *action : dialog.findChildren<QAction *>())
        if (action->text() == text)
            return action;
    return nullptr;
}

bool havePrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

const char *const kNoPrinter = "Ezen a gépen nincs telepített nyomtató, ezért most nem lehet nyomtatni.\n"
                               "A „PDF mentése” paranccsal elmentheted a lapot, és később kinyomtathatod.";

}  // namespace

void WidgetDialogs::preview(const Report &report)
{
    loadQtTranslations();
    QPrinter printer(QPrinter::HighResolution);
    reportprint::preparePrinter(report, printer);
    QPrintPreviewDialog dialog(&printer, activeParent());
    dialog.setWindowTitle(QStringLiteral("Nyomtatási kép - ") + report.documentName());
    dialog.setWindowModality(Qt::ApplicationModal);
    // F1 in the preview opens the report's help topic (the game's help context property).
    if (report.helpContext() > 0)
        dialog.setProperty("helpContext", report.helpContext());
    // As tall as the page allows: a small school laptop's screen (1366 x 768 less the
    // taskbar) is lower than the preview would like to be.
    const QScreen *screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    dialog.resize(screen ? sizeOnScreen(QSize(900, 760), screen->availableGeometry()) : QSize(900, 760));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&report](QPrinter *target) {
        guarded([&] { reportprint::printPages(report, *target); });
    });

    // The layouts are A4 portrait by design: turning the page is not offered.
    for (const char *text : {"Portrait", "Landscape"})
        if (QAction *action = previewAction(dialog, text))
            action->setVisible(false);

    // Printing and the printer set-up go through our own handlers, which first make sure
    // there is a printer at all.
    auto *previewWidget = dialog.findChild<QPrintPreviewWidget *>();
    if (QAction *print = previewAction(dialog, "Print")) {
        QObject::disconnect(print, &QAction::triggered, nullptr, nullptr);
        QObject::connect(print, &QAction::triggered, &dialog, [this, &dialog, &printer, &report] {
            if (!havePrinter()) {
                message(QString::fromUtf8(kNoPrinter));
                return;
            }
            QPrintDialog printDialog(&printer, &dialog);
            printDialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            if (printDialog.exec() != QDialog::Accepted)
                return;
            if (guarded([&] { reportprint::printPages(report, printer); }))
                dialog.accept();
        });
    }
    if (QAction *setup = previewAction(dialog, "Page setup")) {
        QObject::disconnect(setup, &QAction::triggered, nullptr, nullptr);
        QObject::connect(setup, &QAction::triggered, &dialog, [this, &dialog, &printer, previewWidget] {
            if (!havePrinter()) {
                message(QString::fromUtf8(kNoPrinter));
                return;
            }
            QPageSetupDialog setupDialog(&printer, &dialog);
            if (setupDialog.exec() == QDialog::Accepted && previewWidget)
                previewWidget->updatePreview();
        });
    }
    if (auto *toolBar = dialog.findChild<QToolBar *>()) {
        toolBar->addSeparator();
        QAction *pdf = toolBar->addAction(QStringLiteral("PDF mentése"));
        pdf->setObjectName(QStringLiteral("pdfAction"));
        pdf->setToolTip(QStringLiteral("A lap mentése PDF-fájlba"));
        QObject::connect(pdf, &QAction::triggered, &dialog, [this, &dialog, &report] { savePdf(report, &dialog); });
        QAction *close = toolBar->addAction(QStringLiteral("Bezárás"));
        close->setObjectName(QStringLiteral("closeAction"));
        QObject::connect(close, &QAction::triggered, &dialog, &QDialog::reject);
    }
    dialog.exec();
}

// Printing goes to the default printer without a printer dialog; having no printer at all
// is an error the user is told about rather than a job silently lost.
static void requireDefaultPrinter(const QPrinter &printer)
{
    if (QPrinterInfo::defaultPrinterName().isEmpty() && QPrinterInfo::availablePrinterNames().isEmpty())
        fail(QString::fromUtf8("Nincs elérhető nyomtató: a nyomtatás nem indítható el."));
    if (!printer.isValid())
        fail(QString::fromUtf8("A nyomtató nem érhető el: a nyomtatás nem indítható el."));
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
