#include "rules/interest.h"

#include "rules/cp1250.h"
#include "rules/workfiles.h"
#include "rules/usererror.h"

#include <cstdlib>

#include <stdexcept>

namespace career {

namespace {

const QString kFixedSentence = QStringLiteral(
    "Elérkezett a pályaválasztás ideje. Az előzőekben kitöltött teszt válaszai alapján  neked "
    "elsősorban olyan munkát ajánlunk, ahol");
const QString kSecondSentence = QStringLiteral(" Másodsorban pedig olyan szakmát, ahol");

QList<QByteArray> textLines(const QByteArray &content)
{
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();   // the final line end
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

}  // namespace

const std::array<Statement, kStatementCount> &statements()
{
    static const std::array<Statement, kStatementCount> table = {{
        {"Jobban szeretek tenni valamit, mint könyvet olvasni.", Things},
        {"Szeretem a problémamegoldó és kirakójátékokat.", Ideas},
        {"Szeretek segíteni az embereknek, ha szükségük van rá.", People},
        {"Szeretek olvasás útján új dolgokat tanulni.", Ideas},
        {"Szeretem, ha a kezemet kell használnom munka közben.", Things},
        {"Szeretek vezető lenni egy csoportban.", People},
        {"Szeretek minden ténnyel tisztában lenni mielőtt nekilátok egy problémának.", Ideas},
        {"Szeretek emberekről gondoskodni.", People},
        {"Szeretek kitalálni, megtervezni és létrehozni dolgokat.", Things},
        {"Szeretem a művészeten, zenén, íráson keresztül kifejezni magamat.", Ideas},
        {"Olyan munkát szeretnék, ahol egész nap emberekkel foglalkozhatnék.", People},
        {"Szeretek anyagokkal és berendezésekkel dolgozni.", Things},
        {"Szeretek új dolgokat és gondolatokat tanulni.", Ideas},
        {"A másokkal való együttműködés természetes számomra.", People},
        {"Szeretem megtudni, hogyan működnek a dolgok, ezért szétszedem őket.", Things},
        {"Inkább választanám a gépekkel és dolgokkal, mint az emberekkel való munkát.", Things},
        {"Rá tudom beszélni az embereket, hogy úgy tegyenek valamit, ahogyan én szeretném.",
         People},
        {"Szeretek építeni és javítani dolgokat.", Things},
        {"Szeretem a kutatásokat projektjeimben.", Ideas},
        {"Szeretek interakciót folytatni emberekkel.", People},
        {"Szeretek új ötleteket és módszereket kitalálni és másképpen csinálni a dolgokat.",
         Ideas},
        {"Szeretem meghallgatni más emberek véleményét.", People},
        {"Szeretem megtanulni, hogyan kell különböző szerszámokat használni.", Things},
        {"Könnyen tudom az írásos utasításokat követni.", Ideas},
    }};
    return table;
}

std::array<int, 3> scores(const Ticks &ticks)
{
    std::array<int, 3> s{0, 0, 0};
    for (int i = 0; i < kStatementCount; ++i)
        if (ticks[i])
            ++s[statements()[i].category - 1];
    return s;
}

Ranking rank(int things, int people, int ideas)
{
    // Bubble sort of (1, 2, 3) by ascending score, swapping only on a strictly smaller
    // right score, so equal scores keep their order; the ranking reads it from the end.
    int score[3] = {things, people, ideas};
    int category[3] = {1, 2, 3};
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = 1; i < 3; ++i) {
            if (score[i] < score[i - 1]) {
                std::swap(score[i], score[i - 1]);
                std::swap(category[i], category[i - 1]);
                swapped = true;
            }
        }
    }
    return Ranking{{category[2], category[1], category[0]}, {score[2], score[1], score[0]}};
}

std::optional<Ranking> evaluate(const Ticks &ticks)
{
    const std::array<int, 3> s = scores(ticks);
    if (s[0] + s[1] + s[2] == 0)
        return std::nullopt;
    return rank(s[0], s[1], s[2]);
}

QByteArray szakmaFileContent(const Ranking &ranking)
{
    QByteArray out;
    for (int c : ranking.categories)
        out += QByteArray::number(c) + "\r\n";
    for (int s : ranking.scores)
        out += QByteArray::number(s) + "\r\n";
    return out;
}

void writeSzakmaFile(const QString &path, const Ranking &ranking)
{
    workfiles::writeBytes(path, szakmaFileContent(ranking));
}

const std::array<Profession, kProfessionCount> &professions()
{
    static const std::array<Profession, kProfessionCount> table = {{
        {1, 12, "Ügyfélszolgálati munkatárs", 13, 1, "munka_pict\\ügyfélszolgálati munkatárs.jpg",
         "rtf\\Ügyfélszolgálati munkatárs.rtf", People},
        {2, 6, "Élelmiszerpultos kiszolgáló", 7, 2, "munka_pict\\élelmiszerpultos kiszolgáló.jpg",
         "rtf\\Élelmiszerpultos kiszolgáló.rtf", People},
        {3, 23, "Gerontológiai ápoló", 24, 8, "munka_pict\\gerontológiai ápoló.jpg",
         "rtf\\Gerontológiai Ápoló.rtf", People},
        {4, 22, "Óvodapedagógus", 23, 4, "munka_pict\\óvodapedagógus.jpg",
         "rtf\\Óvodapedagógus.rtf", People},
        {5, 28, "Könyvtáros", 29, 5, "munka_pict\\könyvtár technikus.jpg", "rtf\\Könyvtáros.rtf",
         People},
        {6, 18, "Segélyszolgálati munkatárs", 19, 6, "munka_pict\\segélyszolgálati munkatárs.bmp",
         "rtf\\Segélyszolgálati Munkatárs.rtf", People},
        {7, 15, "Hírlap riporter", 16, 7, "munka_pict\\Hírlap riporter.jpg",
         "rtf\\Hírlap Riporter.rtf", People},
        {8, 9, "Kórházi kisegítő ápoló", 10, 3, "munka_pict\\kórházi kisegítő ápoló.jpg",
         "rtf\\Kórházi kisegítő ápoló.rtf", People},
        {9, 3, "Adminisztratív Asszisztens-Politika", 4, 9,
         "munka_pict\\adminisztratív asszisztens-politika.jpg", "rtf\\politika.rtf", People},
        {10, 10, "Látszerész asszisztens", 11, 10, "munka_pict\\látszerész asszisztens.jpg",
         "rtf\\Látszerész Asszisztens.rtf", People},
        {11, 1, "Kamionsofőr", 2, 11, "munka_pict\\kamionsoför.jpg", "rtf\\kamionsoför.rtf",
         Things},
        {12, 26, "Textilgyári dolgozó", 27, 12, "munka_pict\\textilgyári dolgozó.jpg",
         "rtf\\Textilgyári Dolgozó.rtf", Things},
        {13, 19, "Laboratóriumi asszisztens", 20, 13, "munka_pict\\laboratóriumi asszisztens.jpg",
         "rtf\\Laboratóriumi Asszisztens.rtf", Things},
        {14, 29, "Gépjárműszerelő", 30, 14, "munka_pict\\gépjárműszerelő.jpg",
         "rtf\\Gépjárműszerelő.rtf", Things},
        {15, 13, "Nehézgépkezelő", 14, 15, "munka_pict\\nehézgépkezelő.jpg",
         "rtf\\Nehézgépkezelő.rtf", Things},
        {16, 24, "Szervíztechnikus", 25, 16, "munka_pict\\szerviz technikus.jpg",
         "rtf\\Szervíztechnikus.rtf", Things},
        {17, 30, "Elektroműszerész", 31, 17, "munka_pict\\elektroműszerész.jpg",
         "rtf\\Elektroműszerész.rtf", Things},
        {18, 16, "Terméktesztelő", 17, 18, "munka_pict\\terméktesztelő.jpg",
         "rtf\\Terméktesztelő.rtf", Things},
        {19, 2, "Kertész", 3, 19, "munka_pict\\kertész.jpg", "rtf\\kertész.rtf", Things},
        {20, 11, "Térinformatikai technológus", 12, 20,
         "munka_pict\\terinformatikai technológus.jpg", "rtf\\Térinformatikai Technológus.rtf",
         Things},
        {21, 7, "Rendszerelemző", 8, 21, "munka_pict\\rendszerlemző.bmp", "rtf\\Rendszerelemző.rtf",
         Ideas},
        {22, 4, "Távközlési mérnök", 5, 22, "munka_pict\\Távközlési mérnök.jpg",
         "rtf\\Távközlési mérnök.rtf", Ideas},
        {23, 20, "Fordító", 21, 23, "munka_pict\\fordító.jpg", "rtf\\Fordító.rtf", Ideas},
        {24, 25, "Grafikusművész - ipari tervezés ", 26, 24,
         "munka_pict\\Grafikusművész ipari tervezés.bmp", "rtf\\Grafikusművész.rtf", Ideas},
        {25, 8, "Gépészmérnök", 9, 25, "munka_pict\\gépészmérnök.jpg", "rtf\\Gépészmérnök.rtf",
         Ideas},
        {26, 21, "Termelési koordinátor-szoftver tervezés", 22, 26,
         "munka_pict\\szoftver tervezés.jpg", "rtf\\Termelési Koordinátor Szoftver tervezés.rtf",
         Ideas},
        {27, 14, "Számítógépes szoftvermérnök", 15, 27,
         "munka_pict\\számítógépes szoftvermérnök.bmp", "rtf\\Számítógépes szoftvermérnök.rtf",
         Ideas},
        {28, 5, "Jogi asszisztens", 6, 28, "munka_pict\\jogi asszisztens.bmp",
         "rtf\\Jogi asszisztens.rtf", Ideas},
        {29, 27, "Információs tisztviselő - várostervezés", 28, 29,
         "munka_pict\\információs tisztviselő-várostervezés.bmp",
         "rtf\\Információs Tisztviselő Várostervezés.rtf", Ideas},
        {30, 17, "Biokémikus", 18, 30, "munka_pict\\Biokémikus.jpg", "rtf\\Biokémikus.rtf", Ideas},
    }};
    return table;
}

const Profession *professionByCode(int code)
{
    if (code < 1 || code > kProfessionCount)
        return nullptr;
    return &professions()[code - 1];
}

namespace {
template <typename Field>
const Profession *findBy(Field field, int value)
{
    for (const Profession &p : professions())
        if (p.*field == value)
            return &p;
    return nullptr;
}
}  // namespace

const Profession *professionByRadio(int radioNumber) { return findBy(&Profession::radio, radioNumber); }
const Profession *professionByImage(int imageNumber) { return findBy(&Profession::image, imageNumber); }
const Profession *professionByMark(int markNumber) { return findBy(&Profession::mark, markNumber); }

TestResult parseTestResult(const QByteArray &content)
{
    const QList<QByteArray> lines = textLines(content);
    auto value = [&](int lineNumber) -> quint8 {
        if (lineNumber > lines.size())
            fail(QStringLiteral("A \"szakma.txt\" fájlból hiányzik a(z) %1. sor.").arg(lineNumber));
        const QByteArray &line = lines[lineNumber - 1];
        int i = 0;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        bool negative = false;
        if (i < line.size() && (line[i] == '+' || line[i] == '-'))
            negative = line[i++] == '-';
        long long v = 0;
        int digits = 0;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
            v = (v * 10 + (line[i] - '0')) % 256;   // held as one byte
            ++i;
            ++digits;
        }
        if (digits == 0)
            fail(QStringLiteral("Hibás szám a \"szakma.txt\" fájl %1. sorában.").arg(lineNumber));
        if (negative)
            v = (256 - v) % 256;
        return quint8(v);
    };
    TestResult r;
    r.first = value(1);
    r.second = value(2);
    r.firstScore = value(4);
    r.secondScore = value(5);
    return r;
}

TestResult readTestResult(const QString &path) { return parseTestResult(workfiles::readBytes(path)); }

QStringList parseClauses(const QByteArray &content)
{
    const QList<QByteArray> lines = textLines(content);
    QStringList clauses;
    for (int i = 0; i < 3; ++i)
        clauses.append(i < lines.size() ? cp1250::decode(lines[i]) : QString());
    return clauses;
}

QStringList readClauses(const QString &path) { return parseClauses(workfiles::readBytes(path)); }

QString recommendationText(const TestResult &result, const QStringList &clauses)
{
    auto clause = [&](int category) {
        return category >= 1 && category <= 3 && category <= clauses.size() ? clauses[category - 1]
                                                                            : QString();
    };
    QString text = kFixedSentence + clause(result.first);
    if (std::abs(int(result.firstScore) - int(result.secondScore)) <= 2 && result.secondScore != 0)
        text += kSecondSentence + clause(result.second);
    return text;
}

QList<int> shownMarks(int firstCategory)
{
    int from = 0;
    switch (firstCategory) {
    case Things: from = 11; break;
    case People: from = 1; break;
    case Ideas: from = 21; break;
    default: return {};
    }
    QList<int> marks;
    for (int i = 0; i < 10; ++i)
        marks.append(from + i);
    return marks;
}

QString choiceMessage(const QString &caption)
{
    return QStringLiteral("A választott szakmád: ") + caption;
}

QByteArray choiceFileContent(int code, const QString &caption)
{
    return cp1250::lines({QString::number(code), caption});
}

void writeChoiceFile(const QString &path, int code, const QString &caption)
{
    workfiles::writeBytes(path, choiceFileContent(code, caption));
}

QString localPath(const QString &gamePath, const QString &base)
{
    return workfiles::path(gamePath, base);
}

}  // namespace career
