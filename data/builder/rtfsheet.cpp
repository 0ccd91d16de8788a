#include "data/builder/rtfsheet.h"

#include "rules/cp1250.h"

#include <QJsonArray>
#include <QtMath>

#include <cmath>

namespace content {

QByteArray rtfEscape(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == 0x00A0) {
            out += "\\~";
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else {
            const int b = cp1250::byteOf(c);
            if (b >= 0x80)
                out += "\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
            else
                out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    return out;
}

QString groupedForints(double amount)
{
    QString digits = QString::number(qint64(std::llround(amount)));
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0 && digits[i - 1] != QLatin1Char('-'))
            out += QChar(0x00A0);
        out += digits[i];
    }
    return out;
}

namespace {

QString categoryName(int category)
{
    switch (category) {
    case 1: return QStringLiteral("Gyakorlati pálya: tárgyakkal, gépekkel, anyagokkal végzett munka");
    case 2: return QStringLiteral("Emberekkel foglalkozó pálya");
    case 3: return QStringLiteral("Szellemi pálya: ötletekkel, gondolatokkal végzett munka");
    }
    return QString();
}

// Paragraph styles of the sheet.
const QByteArray kHeading = "\\pard\\plain\\keepn\\sb240\\sa80\\f0\\fs26\\b\\cf2 ";
const QByteArray kBody = "\\pard\\plain\\qj\\sa120\\sl276\\slmult1\\f1\\fs22 ";
// A bulleted item: the bullet (Windows-1250 0x95) hangs in front of the text, which starts
// at the tab stop of the left indent.
const QByteArray kBullet = "\\pard\\plain\\fi-284\\li567\\tx567\\sa40\\f1\\fs22 "
                           "{\\pntext\\f1\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent284{\\pntxtb\\'95}}";

QByteArray heading(const QString &text)
{
    return kHeading + rtfEscape(text) + "\\par\n";
}

QByteArray body(const QString &text)
{
    return kBody + rtfEscape(text) + "\\par\n";
}

}  // namespace

QByteArray careerSheet(const QJsonObject &p, int year)
{
    const QString name = p.value(QStringLiteral("Szakma_nev")).toString().trimmed();
    const double min = p.value(QStringLiteral("Brutto_min")).toDouble();
    const double max = p.value(QStringLiteral("Brutto_max")).toDouble();
    const double loan = p.value(QStringLiteral("Hallgatoi_kolcson")).toDouble();
    const double repay = p.value(QStringLiteral("Hiteltorlesztes_havonta")).toDouble();
    const double books = p.value(QString::fromUtf8("Oktatás/könyvek_havonta")).toDouble();

    QByteArray rtf;
    rtf += "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038\n";
    rtf += "{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\froman\\fcharset238 Times New Roman;}"
           "}\n";
    rtf += "{\\colortbl ;\\red0\\green51\\blue102;\\red153\\green0\\blue0;\\red96\\green96\\blue96;}\n";
    rtf += "{\\info{\\title " + rtfEscape(name) + "}{\\subject " + rtfEscape(QStringLiteral("Pályatükör"))
           + "}}\n";
    rtf += "\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134\\viewkind4\\uc1\n";

    // Title block.
    rtf += "\\pard\\plain\\qc\\sa60\\f0\\fs40\\b\\cf1 " + rtfEscape(name) + "\\par\n";
    rtf += "\\pard\\plain\\qc\\sa240\\f0\\fs20\\i\\cf3 " + rtfEscape(QStringLiteral("Pályatükör"))
           + " \\endash  " + rtfEscape(categoryName(p.value(QStringLiteral("category")).toInt()))
           + "\\par\n";

    rtf += heading(QStringLiteral("A munka"));
    rtf += body(p.value(QStringLiteral("Munkahelyzet")).toString());

    rtf += heading(QStringLiteral("Feladatok"));
    rtf += body(p.value(QStringLiteral("Kotelessegek")).toString());
    rtf += kBody + rtfEscape(QStringLiteral("Egy átlagos munkanapon:")) + "\\par\n";
    for (const QJsonValue &v : p.value(QStringLiteral("feladatok")).toArray())
        rtf += kBullet + rtfEscape(v.toString()) + "\\par\n";

    rtf += heading(QStringLiteral("Képzés"));
    rtf += body(p.value(QStringLiteral("kepzes")).toString());
    if (loan > 0) {
        rtf += kBody
               + rtfEscape(QStringLiteral("A tanulmányok alatt felvett hallgatói kölcsön: %1 Ft, havi "
                                          "törlesztése a munkába állás után: %2 Ft.")
                               .arg(groupedForints(loan), groupedForints(repay)))
               + "\\par\n";
    }
    if (books > 0) {
        rtf += kBody
               + rtfEscape(QStringLiteral("Tanfolyamok, tankönyvek, szakkönyvek havonta: %1 Ft.")
                               .arg(groupedForints(books)))
               + "\\par\n";
    }

    rtf += heading(QStringLiteral("Távlatok"));
    rtf += body(p.value(QStringLiteral("Tavlatok")).toString());

    rtf += heading(QStringLiteral("Kereset"));
    rtf += kBody + rtfEscape(QStringLiteral("Bruttó havi kereset (%1): ").arg(year)) + "{\\b "
           + rtfEscape(QStringLiteral("%1 \u2013 %2 Ft").arg(groupedForints(min), groupedForints(max)))
           + "}\\par\n";
    rtf += kBody + "{\\i\\cf3 "
           + rtfEscape(QStringLiteral("A kezdő fizetés a tartomány alján van, tapasztalattal, "
                                      "felelősebb munkakörben a felső határ is elérhető. A nettó "
                                      "fizetést a játék jövedelemkalkulátorában számolhatod ki."))
           + "}\\par\n";
    rtf += "}\n";
    return rtf;
}

}  // namespace content
