#include "controls/displayformat.h"

#include <QStringList>
#include <QVector>

#include <cmath>

namespace displayformat {
namespace {

struct Token {
    enum Kind { Zero, Hash, Point, Literal };
    Kind kind;
    QString text;  // for Literal
};

struct Section {
    QVector<Token> tokens;
    bool grouping = false;
    bool empty = true;  // the section text was empty
};

// Splits at ";" outside quoted text.
QStringList splitSections(const QString &format)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

Section parseSection(const QString &text)
{
    Section s;
    s.empty = text.isEmpty();
    auto addLiteral = [&s](const QString &lit) {
        if (lit.isEmpty())
            return;
        if (!s.tokens.isEmpty() && s.tokens.last().kind == Token::Literal)
            s.tokens.last().text += lit;
        else
            s.tokens.append({Token::Literal, lit});
    };
    bool seenPoint = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' || c == u'\'') {
            const int end = text.indexOf(c, i + 1);
            const int stop = end < 0 ? text.size() : end;
            addLiteral(text.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'0') {
            s.tokens.append({Token::Zero, QString()});
        } else if (c == u'#') {
            s.tokens.append({Token::Hash, QString()});
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            s.tokens.append({Token::Point, QString()});
        } else if (c == u',') {
            s.grouping = true;
        } else {
            addLiteral(QString(c));
        }
    }
    return s;
}

bool isPlaceholder(const Token &t) { return t.kind != Token::Literal; }
bool isDigit(const Token &t) { return t.kind == Token::Zero || t.kind == Token::Hash; }

int decimalsOf(const Section &s)
{
    int n = 0;
    bool after = false;
    for (const Token &t : s.tokens) {
        if (t.kind == Token::Point)
            after = true;
        else if (after && isDigit(t))
            ++n;
    }
    return n;
}

// The absolute value rounded (half away from zero) to `decimals` places, as plain
// digits with "." when decimals > 0.
QString roundedDigits(double absValue, int decimals)
{
    return QString::number(absValue, 'f', decimals);
}

bool allZero(const QString &digits)
{
    for (const QChar c : digits)
        if (c != u'0' && c != u'.')
            return false;
    return true;
}

QString render(const Section &s, const QString &digits, const QLocale &locale)
{
    int first = -1, last = -1, point = -1;
    for (int i = 0; i < s.tokens.size(); ++i) {
        if (isPlaceholder(s.tokens[i])) {
            if (first < 0)
                first = i;
            last = i;
        }
        if (s.tokens[i].kind == Token::Point)
            point = i;
    }
    QString out;
    if (first < 0) {  // no digit places at all: the literals alone
        for (const Token &t : s.tokens)
            out += t.text;
        return out;
    }
    for (int i = 0; i < first; ++i)
        out += s.tokens[i].text;

    const int intEnd = point >= 0 ? point : last + 1;  // tokens [first, intEnd) are the integer part
    int minIntDigits = 0, minDecimals = 0, fracPlaces = 0;
    for (int i = first; i < intEnd; ++i)
        if (s.tokens[i].kind == Token::Zero)
            ++minIntDigits;
    if (point >= 0) {
        for (int i = point + 1; i <= last; ++i) {
            if (isDigit(s.tokens[i])) {
                ++fracPlaces;
                if (s.tokens[i].kind == Token::Zero)
                    minDecimals = fracPlaces;
            }
        }
    }

    const int dot = digits.indexOf(u'.');
    QString intDigits = dot >= 0 ? digits.left(dot) : digits;
    QString fracDigits = dot >= 0 ? digits.mid(dot + 1) : QString();
    int lead = 0;
    while (lead < intDigits.size() && intDigits.at(lead) == u'0')
        ++lead;
    intDigits = intDigits.mid(lead);
    if (intDigits.size() < minIntDigits)
        intDigits = QString(minIntDigits - intDigits.size(), u'0') + intDigits;
    while (fracDigits.size() > minDecimals && fracDigits.endsWith(u'0'))
        fracDigits.chop(1);

    // Literals between the integer digit places keep their distance from the point.
    const int len = intDigits.size();
    QVector<QString> before(len + 1);
    for (int i = first; i < intEnd; ++i) {
        if (s.tokens[i].kind != Token::Literal)
            continue;
        int placesRight = 0;
        for (int j = i + 1; j < intEnd; ++j)
            if (isDigit(s.tokens[j]))
                ++placesRight;
        before[std::max(0, len - placesRight)] += s.tokens[i].text;
    }
    const QString group = locale.groupSeparator();
    for (int i = 0; i < len; ++i) {
        if (s.grouping && i > 0 && (len - i) % 3 == 0)
            out += group;
        out += before[i];
        out += intDigits.at(i);
    }
    out += before[len];

    if (point >= 0) {
        if (!fracDigits.isEmpty())
            out += locale.decimalPoint();
        int next = 0;
        for (int i = point + 1; i <= last; ++i) {
            const Token &t = s.tokens[i];
            if (t.kind == Token::Literal)
                out += t.text;
            else if (isDigit(t) && next < fracDigits.size())
                out += fracDigits.at(next++);
        }
    }
    for (int i = last + 1; i < s.tokens.size(); ++i)
        out += s.tokens[i].text;
    return out;
}

}  // namespace

QString formatFloat(const QString &format, double value, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (format.isEmpty()) {
        QLocale plain(locale);
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(value, 'g', 15);
    }

    const QStringList texts = splitSections(format);
    QVector<Section> sections;
    for (int i = 0; i < texts.size() && i < 3; ++i)
        sections.append(parseSection(texts[i]));
    const Section &positive = sections[0];
    const bool hasNegative = sections.size() > 1 && !sections[1].empty;
    const bool hasZero = sections.size() > 2 && !sections[2].empty;

    const double absValue = std::fabs(value);
    const Section &chosen = (value < 0 && hasNegative) ? sections[1] : positive;
    const QString digits = roundedDigits(absValue, decimalsOf(chosen));
    if (allZero(digits)) {
        const Section &zero = hasZero ? sections[2] : positive;
        return render(zero, roundedDigits(0.0, decimalsOf(zero)), locale);
    }
    if (value < 0 && !hasNegative)
        return QStringLiteral("-") + render(positive, digits, locale);
    return render(chosen, digits, locale);
}

double shownValue(const QString &format, double value)
{
    if (!std::isfinite(value))
        return value;
    if (format.isEmpty())
        return QString::number(value, 'g', 15).toDouble();
    const QStringList texts = splitSections(format);
    QVector<Section> sections;
    for (int i = 0; i < texts.size() && i < 3; ++i)
        sections.append(parseSection(texts[i]));
    const bool hasNegative = sections.size() > 1 && !sections[1].empty;
    const Section &chosen = (value < 0 && hasNegative) ? sections[1] : sections[0];
    const QString digits = roundedDigits(std::fabs(value), decimalsOf(chosen));
    if (allZero(digits))
        return 0.0;
    const double shown = digits.toDouble();
    return value < 0 ? -shown : shown;
}

namespace {

bool isGroupSpace(QChar c) { return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009); }

}  // namespace

bool readNumber(const QString &text, double *value, const QLocale &locale)
{
    QString s = text.trimmed();
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    if (!symbol.isEmpty()) {
        if (s.endsWith(symbol, Qt::CaseInsensitive))
            s.chop(symbol.size());
        else if (s.startsWith(symbol, Qt::CaseInsensitive))
            s.remove(0, symbol.size());
    }
    // What is left around the number may be spaced off it, but nothing else.
    while (!s.isEmpty() && isGroupSpace(s.front()))
        s.remove(0, 1);
    while (!s.isEmpty() && isGroupSpace(s.back()))
        s.chop(1);
    if (s.isEmpty())
        return false;

    QString plain;
    int i = 0;
    if (s.at(0) == u'-' || s.at(0) == u'+' || s.at(0) == QChar(0x2212)) {
        if (s.at(0) != u'+')
            plain += u'-';
        ++i;
    }
    const QString point = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    // The integer part: groups of digits separated by single spaces.
    QVector<int> groups{0};
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            plain += c;
            ++groups.last();
        } else if ((isGroupSpace(c) || (QString(c) == group && group != point)) && groups.last() > 0
                   && i + 1 < s.size() && s.at(i + 1).isDigit()) {
            groups.append(0);
        } else {
            break;
        }
    }
    if (groups.first() == 0)
        return false;
    if (groups.size() > 1) {
        if (groups.first() > 3)
            return false;
        for (int g = 1; g < groups.size(); ++g)
            if (groups[g] != 3)
                return false;
    }
    if (i < s.size() && (QString(s.at(i)) == point || s.at(i) == u'.')) {
        plain += u'.';
        ++i;
        int decimals = 0;
        for (; i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128; ++i, ++decimals)
            plain += s.at(i);
        if (decimals == 0)
            return false;
    }
    if (i != s.size())
        return false;
    bool ok = false;
    const double d = plain.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *value = d;
    return true;
}

}  // namespace displayformat
