#include "controls/errortext.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct Phrase {
    const char *english;   // matched without regard to case
    const char *hungarian; // empty: the words are dropped (they only say what was tried)
};

// The texts the database layer adds to its own messages (Qt's driver texts followed by
// SQLite's), and the operating system's file errors. Longer texts come first, so that a
// text containing a shorter one is replaced whole.
const Phrase kPhrases[] = {
    {"file is not a database", "a fájl nem adatbázistábla (sérült, vagy más fájl van a helyén)"},
    {"file is encrypted or is not a database", "a fájl nem adatbázistábla (sérült, vagy más fájl van a helyén)"},
    {"database disk image is malformed", "az adatbázistábla sérült"},
    {"attempt to write a readonly database", "az adatbázis csak olvasható (a mappa vagy a fájl írásvédett)"},
    {"readonly database", "az adatbázis csak olvasható (a mappa vagy a fájl írásvédett)"},
    {"database table is locked", "a táblát egy másik program éppen használja; próbáld újra egy kicsit később"},
    {"database is locked", "az adatbázist egy másik program éppen használja; próbáld újra egy kicsit később"},
    {"database or disk is full", "megtelt a lemez, nincs hely az adatok mentéséhez"},
    {"No space left on device", "megtelt a lemez"},
    {"disk I/O error", "a lemez olvasása vagy írása nem sikerült"},
    {"unable to open database file", "az adatbázisfájl nem nyitható meg"},
    {"Read-only file system", "a lemez csak olvasható"},
    {"No such file or directory", "a fájl vagy mappa nem található"},
    {"File not found", "a fájl nem található"},
    {"Is a directory", "ezen a néven egy mappa van"},
    {"Permission denied", "nincs jogosultság a használatához"},
    {"Access denied", "nincs jogosultság a használatához"},
    {"Unsupported image format", "a kép formátuma nem ismert"},
    {"Unable to read image data", "a kép hibás, nem olvasható"},
    {"Unknown error", "ismeretlen hiba"},
    {"no such table", "hiányzik a tábla"},
    {"no such column", "hiányzik egy mező"},
    {"Unable to fetch row", ""},
    {"Unable to execute statement", ""},
    {"Unable to execute multiple statements at a time", ""},
    {"Unable to begin transaction", ""},
    {"Unable to commit transaction", ""},
    {"Unable to rollback transaction", ""},
    {"Error opening database", ""},
    {"Error closing database", ""},
    {"Driver not loaded", "az adatbázis-meghajtó nem érhető el"},
};

// Absolute paths as the layers below write them: a leading "/" (or a drive letter) up to a
// quote, a colon followed by a space, or the end of the line.
const QRegularExpression &absolutePath()
{
    static const QRegularExpression re(QStringLiteral(R"((?<![\w.~])(?:[A-Za-z]:)?[/\\](?:[^\n"„”:]|:(?! ))+)"));
    return re;
}

QString shortened(QString path, bool *missingTableFolder, QString *folder)
{
    // A sentence's full stop and spaces are not part of the path.
    while (!path.isEmpty() && (path.endsWith(QLatin1Char('.')) || path.endsWith(QLatin1Char(' '))))
        path.chop(1);
    const QFileInfo info(path);
    const bool table = info.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0;
    if (table && !info.dir().exists()) {
        *missingTableFolder = true;
        *folder = info.dir().dirName();
    }
    return info.fileName().isEmpty() ? QDir(path).dirName() : info.fileName();
}

}  // namespace

QString friendlyError(const QString &message)
{
    QString text = message;

    bool missingTableFolder = false;
    QString folder;
    QString out;
    qsizetype from = 0;
    auto it = absolutePath().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QString path = m.captured(0);
        qsizetype length = path.size();
        const QString name = shortened(path, &missingTableFolder, &folder);
        // Keep what followed the path (a full stop) in the text.
        while (length > 0 && (path.at(length - 1) == QLatin1Char('.') || path.at(length - 1) == QLatin1Char(' ')))
            --length;
        out += text.mid(from, m.capturedStart(0) - from) + name;
        from = m.capturedStart(0) + length;
    }
    out += text.mid(from);
    text = out;

    for (const Phrase &phrase : kPhrases) {
        const QString english = QString::fromLatin1(phrase.english);
        const QString hungarian = QString::fromUtf8(phrase.hungarian);
        text.replace(english, hungarian, Qt::CaseInsensitive);
    }
    // Tidy what dropped words leave behind.
    static const QRegularExpression spaces(QStringLiteral("[ \\t]{2,}"));
    text.replace(spaces, QStringLiteral(" "));
    static const QRegularExpression spaceAtLineEnd(QStringLiteral("[ \\t]+\\n"));
    text.replace(spaceAtLineEnd, QStringLiteral("\n"));
    static const QRegularExpression spaceAtLineStart(QStringLiteral("\\n[ \\t]+"));
    text.replace(spaceAtLineStart, QStringLiteral("\n"));
    static const QRegularExpression emptyLines(QStringLiteral("\\n{3,}"));
    text.replace(emptyLines, QStringLiteral("\n\n"));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);

    if (missingTableFolder)
        text += QStringLiteral("\n\nA játék adatbázisának mappája (\"%1\") már nem létezik. Ha az adatbázis "
                               "máshová került, töröld a \"tablaengine.ini\" fájlt (helyét a játék "
                               "README leírása adja meg), és a játék a következő indításkor újra "
                               "megkérdezi, hol van az adatbázis.")
                    .arg(folder);
    return text;
}
