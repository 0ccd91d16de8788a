#include "rules/rtfreader.h"

#include "rules/cp1250.h"
#include "rules/workfiles.h"

#include <QColor>
#include <QFile>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace rtf {

namespace {

// Upper half (0x80..0x9F) of Windows-1252; 0xA0..0xFF equal Latin-1.
const char16_t kCp1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

constexpr int kSymbolCodePage = 42;

QChar symbolChar(uchar b)
{
    switch (b) {
    case 0xB7: return QChar(0x2022);   // bullet
    case 0xA7: return QChar(0x25AA);   // small square (Wingdings bullet)
    case 0xD8: return QChar(0x27A2);   // arrowhead
    case 0xFC: return QChar(0x2713);   // tick
    case 0x6E: return QChar(0x25A0);   // black square
    case 0x71: return QChar(0x25A1);
    default: return b >= 0x80 && b < 0xA0 ? QChar(kCp1252[b - 0x80]) : QChar(char16_t(b));
    }
}

int codePageOfCharset(int charset, int ansiCodePage)
{
    switch (charset) {
    case 0: case 1: return ansiCodePage;
    case 2: return kSymbolCodePage;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return ansiCodePage;
    }
}

QString codecName(int codePage)
{
    switch (codePage) {
    case 437: return QStringLiteral("IBM437");
    case 850: return QStringLiteral("IBM850");
    case 10000: return QStringLiteral("macintosh");
    case 932: return QStringLiteral("Shift_JIS");
    case 936: return QStringLiteral("GBK");
    case 949: return QStringLiteral("EUC-KR");
    case 950: return QStringLiteral("Big5");
    default: return QStringLiteral("windows-%1").arg(codePage);
    }
}

}  // namespace

QString decodeCodePage(const QByteArray &bytes, int codePage)
{
    QString out;
    out.reserve(bytes.size());
    if (codePage == 1250)
        return cp1250::decode(bytes);
    if (codePage == kSymbolCodePage) {
        for (char c : bytes)
            out.append(symbolChar(uchar(c)));
        return out;
    }
    if (codePage != 1252 && codePage > 0) {
        QStringDecoder decoder(codecName(codePage).toLatin1().constData());
        if (decoder.isValid()) {
            QString decoded = decoder.decode(bytes);
            if (!decoder.hasError())
                return decoded;
        }
    }
    for (char c : bytes) {
        const uchar b = uchar(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252[b - 0x80]) : QChar(char16_t(b)));
    }
    return out;
}

namespace {

// Numbers in RTF are 16 or 32-bit; anything larger is held at the 32-bit limits.
constexpr long long kMaxParam = 2147483647LL;
constexpr int kMaxDepth = 1000;       // deeper groups are read as part of their parent
constexpr int kMaxWordLength = 32;
constexpr int kMaxTwips = 31680;      // 22 inches
constexpr int kTabLimit = 64;         // tab stops kept per paragraph

enum class Dest { Text, Skip, FontTable, ColorTable };

struct CharProps {
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    int font = -1;
    int halfPoints = 24;
    int fg = -1, bg = -1;
    int vertical = 0;   // 1 superscript, -1 subscript
    bool operator==(const CharProps &o) const
    {
        return bold == o.bold && italic == o.italic && underline == o.underline
               && strike == o.strike && hidden == o.hidden && font == o.font
               && halfPoints == o.halfPoints && fg == o.fg && bg == o.bg
               && vertical == o.vertical;
    }
    bool operator!=(const CharProps &o) const { return !(*this == o); }
};

struct ParaProps {
    int align = 0;   // 0 left, 1 centre, 2 right, 3 justify
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0, sl = 0;
    bool slmult = false;
    QList<QTextOption::Tab> tabs;
};

struct State {
    CharProps chr;
    ParaProps para;
    Dest dest = Dest::Text;
    Dest uprOuter = Dest::Text;
    int uc = 1;
};

struct Font {
    QString name;
    int codePage = -1;   // -1: the document's ANSI code page
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int clampInt(long long v, int lo, int hi) { return int(std::clamp<long long>(v, lo, hi)); }

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Destinations whose content is never shown.
bool isSkippedDestination(const QByteArray &w)
{
    static const char *const names[] = {
        "stylesheet", "info", "pict", "object", "objdata", "header", "headerl", "headerr",
        "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl", "themedata",
        "colorschememapping", "datastore", "latentstyles", "pgdsctbl", "fldinst", "bkmkstart",
        "bkmkend", "shpinst", "nonshppict", "pn", "pnseclvl", "filetbl", "private", "author",
        "operator", "title", "subject", "doccomm", "keywords", "comment", "template",
        "annotation", "atnid", "atnauthor", "atndate", "atnref", "txe", "xe", "tc", "rxe",
        "docvar", "macpict", "wmetafile", "dibitmap", "ftnsep", "ftnsepc", "ftncn", "aftnsep",
        "aftnsepc", "aftncn", "buptim", "creatim", "revtim", "printim", "userprops", "company",
        "manager", "category", "hlinkbase", "listpicture", "mmathPr", "fchars", "lchars",
        "protusertbl", "passwordhash", "panose", "falt", "leveltext", "levelnumbers",
        "blipuid", "sp", "sn", "sv", "shptxt", "background"};
    for (const char *n : names)
        if (w == n)
            return true;
    return false;
}

class Reader {
public:
    Reader(const QByteArray &data, QTextDocument *doc) : m_data(data), m_doc(doc), m_cursor(doc)
    {
    }

    void run()
    {
        m_stack.reserve(64);
        m_stack.push_back(State{});
        const char *p = m_data.constData();
        const char *end = p + m_data.size();
        m_p = p;
        m_end = end;
        while (m_p < m_end && !m_done) {
            const char c = *m_p++;
            switch (c) {
            case '{': openGroup(); break;
            case '}': closeGroup(); break;
            case '\\': controlWord(); break;
            case '\r': case '\n': case '\0': break;
            case '\t':
                if (!consumeSkip()) { flushBytes(); tab(); }
                break;
            default:
                textByte(c);
                break;
            }
        }
        finish();
    }

private:
    State &st() { return m_stack.back(); }

    // --- the \uN fallback ---------------------------------------------------------------
    // Returns true when the current character belongs to a \uN fallback and is dropped.
    bool consumeSkip()
    {
        if (m_skip > 0) {
            --m_skip;
            return true;
        }
        return false;
    }

    // --- groups -------------------------------------------------------------------------
    void openGroup()
    {
        flushBytes();
        m_skip = 0;
        m_star = false;
        if (int(m_stack.size()) >= kMaxDepth) {
            ++m_overflow;
            return;
        }
        State s = st();
        m_stack.push_back(s);
    }

    void closeGroup()
    {
        flushBytes();
        m_skip = 0;
        m_star = false;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.size() <= 1)
            return;   // a stray closing brace before the document: ignored
        if (st().dest == Dest::FontTable)
            commitFont();
        const Dest closing = st().dest;
        m_stack.pop_back();
        if (closing == Dest::Text && st().dest != Dest::Text)
            flushRun();
        if (m_stack.size() == 1)
            m_done = true;   // the document's outermost group has ended
    }

    // --- text ---------------------------------------------------------------------------
    void textByte(char c)
    {
        if (consumeSkip())
            return;
        switch (st().dest) {
        case Dest::Skip: return;
        case Dest::FontTable:
            if (c == ';')
                commitFont();
            else
                m_fontName.append(c);
            return;
        case Dest::ColorTable:
            if (c == ';')
                commitColor();
            return;
        case Dest::Text:
            if (m_bytes.isEmpty())
                m_bytesCodePage = currentCodePage();
            m_bytes.append(c);
            return;
        }
    }

    int currentCodePage() const
    {
        const int font = m_stack.back().chr.font;
        auto it = m_fonts.constFind(font);
        if (it != m_fonts.constEnd() && it->codePage != -1)
            return it->codePage;
        return m_ansiCodePage;
    }

    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        const QByteArray bytes = m_bytes;
        m_bytes.clear();
        emit_(decodeCodePage(bytes, m_bytesCodePage));
    }

    // Characters a text document must not receive as text: control codes (the line ends of
    // the RTF source are not text), the document's own frame markers and non-characters.
    static QString sanitized(const QString &text)
    {
        QString out;
        out.reserve(text.size());
        for (QChar ch : text) {
            const char16_t u = ch.unicode();
            if (u == '\t')
                out.append(ch);
            else if (u < 0x20 || (u >= 0x7F && u < 0xA0 && u != 0x85) || u == 0xFDD0
                     || u == 0xFDD1 || u == 0xFFFC || u == 0xFFFE || u == 0xFFFF)
                continue;
            else if (u == 0x2029 || u == 0x85)
                out.append(QChar(0x2028));
            else
                out.append(ch);
        }
        return out;
    }

    void emit_(const QString &raw)
    {
        if (st().dest != Dest::Text || st().chr.hidden || raw.isEmpty())
            return;
        const QString text = sanitized(raw);
        if (text.isEmpty())
            return;
        if (!m_runValid || m_runProps != st().chr) {
            flushRun();
            m_runProps = st().chr;
            m_runValid = true;
        }
        m_run += text;
        m_blockHasText = true;
    }

    void emitChar(char16_t u)
    {
        flushBytes();
        emit_(QString(QChar(u)));
    }

    void flushRun()
    {
        if (m_run.isEmpty())
            return;
        m_cursor.insertText(m_run, charFormat(m_runProps));
        m_run.clear();
    }

    void tab()
    {
        if (st().dest == Dest::Text)
            emit_(QStringLiteral("\t"));
    }

    void endParagraph()
    {
        if (st().dest != Dest::Text)
            return;
        flushBytes();
        flushRun();
        m_cursor.setBlockFormat(blockFormat(st().para));
        m_cursor.setBlockCharFormat(charFormat(st().chr));
        m_cursor.insertBlock();
        m_blockHasText = false;
        ++m_paragraphs;
    }

    void finish()
    {
        flushBytes();
        flushRun();
        if (m_blockHasText) {
            m_cursor.setBlockFormat(blockFormat(m_stack.back().para));
        } else if (m_doc->blockCount() > 1) {
            // The closing \par of the last paragraph leaves an empty block behind.
            m_cursor.movePosition(QTextCursor::End);
            m_cursor.deletePreviousChar();
        }
    }

    // --- formats ------------------------------------------------------------------------
    QTextCharFormat charFormat(const CharProps &c) const
    {
        QTextCharFormat f;
        // Symbol fonts are read into Unicode, so their text is shown in an ordinary font.
        auto it = m_fonts.constFind(c.font);
        if (it != m_fonts.constEnd() && !it->name.isEmpty() && it->codePage != kSymbolCodePage)
            f.setFontFamilies(QStringList{it->name});
        f.setFontPointSize(std::clamp(c.halfPoints, 2, 1000) / 2.0);
        f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.italic);
        f.setFontUnderline(c.underline);
        f.setFontStrikeOut(c.strike);
        if (c.fg >= 0 && c.fg < m_colors.size() && m_colors[c.fg].isValid())
            f.setForeground(m_colors[c.fg]);
        if (c.bg >= 0 && c.bg < m_colors.size() && m_colors[c.bg].isValid())
            f.setBackground(m_colors[c.bg]);
        if (c.vertical > 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (c.vertical < 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        return f;
    }

    static qreal px(int twips) { return twips / 15.0; }   // 1440 twips an inch, 96 pixels

    QTextBlockFormat blockFormat(const ParaProps &p) const
    {
        QTextBlockFormat f;
        static const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                               Qt::AlignJustify};
        f.setAlignment(aligns[std::clamp(p.align, 0, 3)]);
        f.setLeftMargin(px(std::max(0, p.li)));
        f.setRightMargin(px(std::max(0, p.ri)));
        // A hanging first line never starts left of the page.
        f.setTextIndent(px(std::max(p.fi, -std::max(0, p.li))));
        f.setTopMargin(px(std::max(0, p.sb)));
        f.setBottomMargin(px(std::max(0, p.sa)));
        if (p.sl != 0) {
            if (p.slmult)
                f.setLineHeight(std::clamp(std::abs(p.sl) * 100.0 / 240.0, 50.0, 500.0),
                                QTextBlockFormat::ProportionalHeight);
            else if (p.sl > 0)
                f.setLineHeight(px(p.sl), QTextBlockFormat::MinimumHeight);
            else
                f.setLineHeight(px(-p.sl), QTextBlockFormat::FixedHeight);
        }
        // RTF measures tab stops from the left edge of the text; the document measures them
        // from where the first line starts. A hanging first line without stops of its own
        // tabs to the indent, as in word processors.
        const int firstLine = std::max(0, p.li) + std::max(p.fi, -std::max(0, p.li));
        QList<QTextOption::Tab> tabs;
        for (QTextOption::Tab tab : p.tabs) {
            tab.position -= px(firstLine);
            if (tab.position > 0)
                tabs.append(tab);
        }
        if (p.tabs.isEmpty() && p.fi < 0 && p.li > 0)
            tabs.append(QTextOption::Tab(px(p.li - firstLine), QTextOption::LeftTab));
        if (!tabs.isEmpty())
            f.setTabPositions(tabs);
        return f;
    }

    // --- tables of fonts and colours ------------------------------------------------------
    void commitFont()
    {
        flushFontName();
        if (m_fontNum != kNoFont) {
            Font font;
            font.name = m_fontNameText.trimmed();
            font.codePage = m_fontCodePage;
            if (m_fonts.size() < 4096 || m_fonts.contains(m_fontNum))
                m_fonts.insert(m_fontNum, font);
        }
        m_fontNum = kNoFont;
        m_fontNameText.clear();
        m_fontCodePage = -1;
    }

    void flushFontName()
    {
        if (!m_fontName.isEmpty() && m_fontNameText.size() < 256)
            m_fontNameText += decodeCodePage(m_fontName, m_ansiCodePage);
        m_fontName.clear();
    }

    void commitColor()
    {
        if (m_colors.size() < 65536)
            m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
    }

    // --- control words ------------------------------------------------------------------
    void controlWord()
    {
        if (m_p >= m_end)
            return;
        const char c = *m_p;
        if (!isLetter(c)) {
            ++m_p;
            controlSymbol(c);
            return;
        }
        QByteArray word;
        while (m_p < m_end && isLetter(*m_p)) {
            if (word.size() < kMaxWordLength)
                word.append(*m_p);
            ++m_p;
        }
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (m_p + 1 < m_end && *m_p == '-' && isDigit(m_p[1])) {
            negative = true;
            ++m_p;
        }
        while (m_p < m_end && isDigit(*m_p)) {
            hasParam = true;
            if (param <= kMaxParam)
                param = param * 10 + (*m_p - '0');
            ++m_p;
        }
        if (m_p < m_end && *m_p == ' ')
            ++m_p;
        param = std::min(param, kMaxParam + 1);
        if (negative)
            param = -param;
        param = std::clamp<long long>(param, -kMaxParam - 1, kMaxParam);

        if (word == "bin") {   // binary data: skipped in any destination
            flushBytes();
            const long long n = hasParam ? std::max(0LL, param) : 0;
            m_p += std::min<long long>(n, m_end - m_p);
            return;
        }
        if (consumeSkip())
            return;
        flushBytes();
        if (m_star) {
            m_star = false;
            if (word == "ud")
                st().dest = st().uprOuter;
            return;
        }
        handleWord(word, hasParam, int(param));
    }

    void controlSymbol(char c)
    {
        if (c == '\'') {
            int hi = m_p < m_end ? hexValue(m_p[0]) : -1;
            int lo = m_p + 1 < m_end ? hexValue(m_p[1]) : -1;
            if (hi >= 0 && lo >= 0) {
                m_p += 2;
                textByte(char(hi * 16 + lo));
            } else {
                // A broken escape: drop what of it there is.
                if (hi >= 0)
                    ++m_p;
                consumeSkip();
            }
            return;
        }
        if (c == '*') {
            // Only a destination may follow: its group is skipped unless the destination
            // is one this reader shows.
            m_star = true;
            st().dest = Dest::Skip;
            return;
        }
        if (consumeSkip())
            return;
        switch (c) {
        case '\\': case '{': case '}': textByte(c); break;
        case '~': emitChar(0x00A0); break;
        case '_': emitChar(0x2011); break;
        case '-': emitChar(0x00AD); break;
        case '\r': case '\n': endParagraph(); break;
        case '\t': flushBytes(); tab(); break;
        default: break;   // \| \: and unknown symbols
        }
    }

    void handleWord(const QByteArray &w, bool hasParam, int n)
    {
        State &s = st();
        const bool on = !hasParam || n != 0;

        // destinations
        if (w == "fonttbl") { s.dest = Dest::FontTable; m_fontNum = kNoFont; return; }
        if (w == "colortbl") { s.dest = Dest::ColorTable; return; }
        if (w == "upr") { s.uprOuter = s.dest; s.dest = Dest::Skip; return; }
        if (w == "ud") { s.dest = s.uprOuter; return; }
        if (isSkippedDestination(w)) { s.dest = Dest::Skip; return; }

        if (s.dest == Dest::FontTable) {
            if (w == "f") { commitFontIfNamed(); m_fontNum = n; }
            else if (w == "fcharset") m_fontCodePage = codePageOfCharset(n, m_ansiCodePage);
            else if (w == "cpg") m_fontCodePage = n;
            return;
        }
        if (s.dest == Dest::ColorTable) {
            if (w == "red") { m_red = clampInt(n, 0, 255); m_colorSet = true; }
            else if (w == "green") { m_green = clampInt(n, 0, 255); m_colorSet = true; }
            else if (w == "blue") { m_blue = clampInt(n, 0, 255); m_colorSet = true; }
            return;
        }

        // document
        if (w == "ansi") { m_ansiCodePage = 1252; return; }
        if (w == "mac") { m_ansiCodePage = 10000; return; }
        if (w == "pc") { m_ansiCodePage = 437; return; }
        if (w == "pca") { m_ansiCodePage = 850; return; }
        if (w == "ansicpg") { if (n > 0) m_ansiCodePage = n; return; }
        if (w == "deff") { m_deff = n; if (m_paragraphs == 0 && !m_blockHasText) s.chr.font = n; return; }
        if (w == "uc") { s.uc = clampInt(n, 0, 16); return; }
        if (w == "u") {
            const char16_t u = char16_t(n < 0 ? n + 65536 : n);
            m_skip = 0;
            emitChar(u);
            m_skip = s.uc;
            return;
        }

        // characters
        if (w == "par" || w == "sect" || w == "page" || w == "row" || w == "nestrow") { endParagraph(); return; }
        if (w == "line") { emitChar(0x2028); return; }
        if (w == "tab" || w == "cell" || w == "nestcell") { tab(); return; }
        if (w == "bullet") { emitChar(0x2022); return; }
        if (w == "endash") { emitChar(0x2013); return; }
        if (w == "emdash") { emitChar(0x2014); return; }
        if (w == "lquote") { emitChar(0x2018); return; }
        if (w == "rquote") { emitChar(0x2019); return; }
        if (w == "ldblquote") { emitChar(0x201C); return; }
        if (w == "rdblquote") { emitChar(0x201D); return; }
        if (w == "emspace") { emitChar(0x2003); return; }
        if (w == "enspace") { emitChar(0x2002); return; }
        if (w == "qmspace") { emitChar(0x2005); return; }

        // character formatting
        if (w == "plain") { s.chr = CharProps{}; s.chr.font = m_deff; return; }
        if (w == "b") { s.chr.bold = on; return; }
        if (w == "i") { s.chr.italic = on; return; }
        if (w == "strike" || w == "striked") { s.chr.strike = on; return; }
        if (w == "v") { s.chr.hidden = on; return; }
        if (w == "ulnone") { s.chr.underline = false; return; }
        if (w.startsWith("ul") && w != "ulc") { s.chr.underline = on; return; }
        if (w == "f") { s.chr.font = n; return; }
        if (w == "fs") { s.chr.halfPoints = hasParam ? clampInt(n, 2, 1000) : 24; return; }
        if (w == "cf") { s.chr.fg = n; return; }
        if (w == "cb" || w == "highlight" || w == "chcbpat") { s.chr.bg = n; return; }
        if (w == "super") { s.chr.vertical = 1; return; }
        if (w == "sub") { s.chr.vertical = -1; return; }
        if (w == "nosupersub") { s.chr.vertical = 0; return; }

        // paragraph formatting
        if (w == "pard") { s.para = ParaProps{}; return; }
        if (w == "ql") { s.para.align = 0; return; }
        if (w == "qc") { s.para.align = 1; return; }
        if (w == "qr") { s.para.align = 2; return; }
        if (w == "qj" || w == "qd") { s.para.align = 3; return; }
        if (w == "li" || w == "lin") { s.para.li = clampInt(n, -kMaxTwips, kMaxTwips); return; }
        if (w == "ri" || w == "rin") { s.para.ri = clampInt(n, -kMaxTwips, kMaxTwips); return; }
        if (w == "fi") { s.para.fi = clampInt(n, -kMaxTwips, kMaxTwips); return; }
        if (w == "sb") { s.para.sb = clampInt(n, 0, kMaxTwips); return; }
        if (w == "sa") { s.para.sa = clampInt(n, 0, kMaxTwips); return; }
        if (w == "sl") { s.para.sl = clampInt(n, -kMaxTwips, kMaxTwips); return; }
        if (w == "slmult") { s.para.slmult = on; return; }
        if (w == "tqr") { m_tabType = QTextOption::RightTab; return; }
        if (w == "tqc") { m_tabType = QTextOption::CenterTab; return; }
        if (w == "tqdec") { m_tabType = QTextOption::DelimiterTab; return; }
        if (w == "tx" || w == "tb") {
            if (s.para.tabs.size() < kTabLimit && n > 0)
                s.para.tabs.append(QTextOption::Tab(px(clampInt(n, 0, kMaxTwips)), m_tabType));
            m_tabType = QTextOption::LeftTab;
            return;
        }
    }

    void commitFontIfNamed()
    {
        flushFontName();
        if (m_fontNum != kNoFont && !m_fontNameText.trimmed().isEmpty())
            commitFont();
    }

    static constexpr int kNoFont = -2147483647 - 1;

    const QByteArray m_data;
    QTextDocument *m_doc;
    QTextCursor m_cursor;
    const char *m_p = nullptr;
    const char *m_end = nullptr;
    std::vector<State> m_stack;
    int m_overflow = 0;
    bool m_done = false;
    bool m_star = false;
    int m_skip = 0;

    int m_ansiCodePage = 1252;
    int m_deff = -1;
    QHash<int, Font> m_fonts;
    int m_fontNum = kNoFont;
    QByteArray m_fontName;
    QString m_fontNameText;
    int m_fontCodePage = -1;
    QList<QColor> m_colors;
    bool m_colorSet = false;
    int m_red = 0, m_green = 0, m_blue = 0;
    QTextOption::TabType m_tabType = QTextOption::LeftTab;

    QByteArray m_bytes;
    int m_bytesCodePage = 1252;
    QString m_run;
    CharProps m_runProps;
    bool m_runValid = false;
    bool m_blockHasText = false;
    int m_paragraphs = 0;
};

// Where the RTF starts in `data`, or -1 when it is not RTF.
int rtfStart(const QByteArray &data)
{
    int i = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t'))
        ++i;
    return data.mid(i, 5) == "{\\rtf" ? i : -1;
}

}  // namespace

void read(const QByteArray &data, QTextDocument *document)
{
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    const int start = rtfStart(data);
    if (start < 0) {
        QByteArray text = data;
        text.replace("\r\n", "\n");
        document->setPlainText(cp1250::decode(text));
    } else {
        Reader reader(start == 0 ? data : data.mid(start), document);
        reader.run();
    }
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
}

void readFile(const QString &path, QTextDocument *document)
{
    read(workfiles::readBytes(path), document);
}

}  // namespace rtf
