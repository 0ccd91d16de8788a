// The page search's matching over a large table: the time to go through every row without
// a match (the longest search), and to find a row in the middle, for tables of 1,000 and
// 10,000 rows of three texts each (a category, a description, an amount).

#include "rules/textsearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>
#include <QVector>

#include <algorithm>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// The median of `runs` timings of one search, in milliseconds.
template <class F> double medianMs(int runs, F &&search)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        search();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    for (int count : {1000, 10000}) {
        QVector<QStringList> rows;
        rows.reserve(count);
        for (int r = 0; r < count; ++r)
            rows.append({u("Családi ház %1").arg(r),
                         u("Kertes ház egy kisvárosban, gázfűtéssel, %1. változat; Őrség szélén, fatüzeléssel.").arg(r),
                         QString::number(90000 + r)});
        const auto texts = [&rows](int row) { return rows.at(row); };
        volatile int found = 0;   // keeps the searches from being optimised away
        const double miss = medianMs(9, [&] { found = found + textsearch::findFrom(count, 0, u("hajó"), texts).row; });
        const double middle = medianMs(
            9, [&] { found = found + textsearch::findFrom(count, 0, u("HAZ %1").arg(count / 2), texts).row; });
        out << "search_no_match_" << count << "_rows_ms: " << QString::number(miss, 'f', 2) << '\n';
        out << "search_middle_row_" << count << "_rows_ms: " << QString::number(middle, 'f', 2) << '\n';
        out << "search_no_match_per_row_us_" << count << ": " << QString::number(miss * 1000 / count, 'f', 2)
            << '\n';
    }
    return 0;
}
