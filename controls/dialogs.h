#pragma once
// Every modal interaction of both programs goes through one Dialogs object, so that the
// tests can script the answers and read what was shown.

#include "controls/errorbox.h"

#include <QFileDialog>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QTextDocument;
class QWidget;
class Report;

// The size of a window of the `wanted` client size on a screen whose free area (the
// desktop less its taskbar) is `available`, with a title bar of `titleBar` pixels: the
// wanted size, made smaller where it would not fit.
QSize sizeOnScreen(const QSize &wanted, const QRect &available, int titleBar = 30);

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Plain notice with one OK button.
    virtual void message(const QString &text) = 0;
    // The standard error box with the error's own text. Errors reach it through
    // showErrorMessage (errorbox.h), which makes the text readable first.
    virtual void error(const QString &text) = 0;
    // The same in front of `window` (the window whose work failed); by default as error().
    virtual void errorOver(QWidget *window, const QString &text)
    {
        (void)window;
        error(text);
    }
    // The standard confirmation: title "Megerősítés", question icon, "&Igen" / "&Nem".
    virtual bool confirm(const QString &text) = 0;
    // The same question with "&Nem" as the default button, for a change that is hard to undo.
    // By default as confirm().
    virtual bool confirmDefaultNo(const QString &text) { return confirm(text); }
    // A list to choose one item of, with "OK" and "Mégsem": the index chosen, -1 when
    // cancelled. The list starts on `current`.
    virtual int choose(QWidget *parent, const QString &title, const QString &text, const QStringList &items,
                       int current = 0) = 0;
    // A question with up to three buttons of the caller's own captions; returns the index
    // of the button pressed (closing the box counts as the last button).
    virtual int ask(const QString &title, const QString &text, const QStringList &buttons) = 0;
    // An open-file dialog starting in `folder`; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                                 const QString &filter) = 0;
    // An open-picture dialog starting in `folder`: the chosen picture is shown beside the
    // file list before it is taken. Empty when cancelled. By default a plain open-file dialog.
    virtual QString openPictureName(QWidget *parent, const QString &title, const QString &folder,
                                    const QString &filter)
    {
        return openFileName(parent, title, folder, filter);
    }
    // A save-file dialog suggesting `suggested` (a path or a bare file name); asks before
    // overwriting. Empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                                 const QString &filter) = 0;
    // This service's error box, for showErrorMessage (errorbox.h).
    errorbox::Box errorBox()
    {
        return [this](QWidget *owner, const QString &text) { errorOver(owner, text); };
    }
    // A modal preview of a report over the application, with commands to zoom, to page, to
    // set up the printer, to print, to save a PDF and to close. Returns when the user closes
    // it; nothing is printed without the user's command.
    virtual void preview(const Report &report) = 0;
    // Prints a rich-text document on the default printer, as one job with the given title.
    virtual bool printDocument(const QTextDocument &document, const QString &jobTitle) = 0;
    // Prints an image of a window on the default printer, at about its size on screen.
    virtual bool printWidget(QWidget *widget, const QString &jobTitle) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments = {}) = 0;
    // Opens the help topic of a help context number.
    virtual void help(int context) = 0;

    // The preview's "PDF mentése" command: asks for a file name, suggested from the report's
    // document name, and writes the report there as a PDF. A file that cannot be written is
    // reported in the error box. Returns the file written, empty when cancelled or failed.
    QString savePdf(const Report &report, QWidget *parent = nullptr);
};

// The real dialogs, on screen.
class WidgetDialogs : public Dialogs {
public:
    void message(const QString &text) override;
    void error(const QString &text) override;
    void errorOver(QWidget *window, const QString &text) override;
    bool confirm(const QString &text) override;
    bool confirmDefaultNo(const QString &text) override;
    int choose(QWidget *parent, const QString &title, const QString &text, const QStringList &items,
               int current = 0) override;
    int ask(const QString &title, const QString &text, const QStringList &buttons) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                         const QString &filter) override;
    QString openPictureName(QWidget *parent, const QString &title, const QString &folder,
                            const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                         const QString &filter) override;
    void preview(const Report &report) override;
    bool printDocument(const QTextDocument &document, const QString &jobTitle) override;
    bool printWidget(QWidget *widget, const QString &jobTitle) override;
    bool startProgram(const QString &program, const QStringList &arguments = {}) override;
    void help(int context) override;

    // Shows help topics; the game installs its own help window here.
    std::function<void(int)> helpHandler;
};

// The open-picture dialog: Qt's own file dialog (not the desktop's, which takes no widget
// of ours) with a preview beside the file list that shows the picture under the cursor, its
// size in pixels, or that the file is no picture.
class TPictureFileDialog : public QFileDialog {
    Q_OBJECT
public:
    TPictureFileDialog(QWidget *parent, const QString &title, const QString &folder, const QString &filter);
    QLabel *previewLabel() const { return m_preview; }
    QLabel *previewCaption() const { return m_caption; }
    // The picture shown, scaled to the preview; null when none is.
    QImage previewImage() const { return m_shown; }

public Q_SLOTS:
    void showPreview(const QString &path);

private:
    QLabel *m_preview = nullptr;
    QLabel *m_caption = nullptr;
    QImage m_shown;
};
