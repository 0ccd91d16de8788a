// The career sheets' RTF reader: time to read a typical sheet and a large one into a
// text document, and the layout of the result at the sheet box's width.

#include "rules/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>

#include <cstdio>

namespace {

QByteArray sheet(int paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}"
                     "{\\f1\\froman\\fcharset238 Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}"
                     "{\\colortbl ;\\red0\\green51\\blue102;\\red153\\green0\\blue0;}"
                     "{\\info{\\title Kert\\'e9sz}}\\pard\\plain\\qc\\sa60\\f0\\fs40\\b\\cf1 Kert\\'e9sz\\par\n";
    for (int i = 0; i < paragraphs; ++i) {
        if (i % 8 == 0)
            rtf += "\\pard\\plain\\keepn\\sb240\\sa80\\f0\\fs26\\b\\cf2 Feladatok\\par\n";
        else if (i % 8 < 4)
            rtf += "\\pard\\plain\\fi-284\\li567\\sa40\\f1\\fs22 {\\pntext\\f2\\'b7\\tab}"
                   "{\\*\\pn\\pnlvlblt\\pnf2\\pnindent284{\\pntxtb\\'b7}}vet\\'e9s, pal\\'e1nt\\'e1z\\'e1s, "
                   "\\'fcltet\\'e9s\\par\n";
        else
            rtf += "\\pard\\plain\\qj\\sa120\\sl276\\slmult1\\f1\\fs22 Faiskol\\'e1ban, {\\b kert\\'e9szetben}, "
                   "\\u252?vegh\\'e1zban, {\\i k\\'f6zparkok} fenntart\\'e1s\\'e1n\\'e1l vagy saj\\'e1t "
                   "kert\\'e9szetben dolgozik, t\\'f6bbnyire a szabadban, az \\'e9vszakok ritmusa szerint.\\par\n";
    }
    return rtf + "}";
}

void measure(const char *name, const QByteArray &rtf, int rounds)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        QTextDocument doc;
        rtf::read(rtf, &doc);
    }
    const double readMs = timer.nsecsElapsed() / 1e6 / rounds;

    QTextDocument doc;
    rtf::read(rtf, &doc);
    timer.restart();
    doc.setTextWidth(425);
    const double height = doc.documentLayout()->documentSize().height();
    const double layoutMs = timer.nsecsElapsed() / 1e6;

    std::printf("%s_bytes: %lld\n", name, static_cast<long long>(rtf.size()));
    std::printf("%s_read_ms: %.3f\n", name, readMs);
    std::printf("%s_read_mb_per_s: %.1f\n", name, rtf.size() / 1e6 / (readMs / 1000.0));
    std::printf("%s_layout_ms: %.3f\n", name, layoutMs);
    std::printf("%s_height_px: %.0f\n", name, height);
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    measure("rtf_typical_sheet", sheet(24), 200);
    measure("rtf_large_sheet", sheet(4000), 3);
    return 0;
}
