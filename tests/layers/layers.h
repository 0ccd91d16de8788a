#pragma once
// Who may include whom: the folders of the tree are layers, each of which may include only
// the layers below it, and no screen of the game includes another screen. `check` reads
// every source file below a root folder, resolves each quoted include to the file it
// names, and lists the includes that go against the rules, together with the graph of
// which folder includes which.

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

namespace layers {

struct Violation {
    QString file;       // relative to the root
    int line = 0;
    QString included;   // relative to the root
    QString rule;       // the rule it breaks, in words
};

struct Result {
    // Layer -> the layers its files include (only layers of ours, itself left out).
    QMap<QString, QSet<QString>> graph;
    QVector<Violation> violations;
    QStringList unresolved;   // "file:line: name" of quoted includes that name no file of the tree
};

// The layer of a file by its path relative to the root; empty for a file no rule covers
// (the tests and the benchmarks may include anything).
QString layerOf(const QString &relativePath);
// The layers `layer` may include.
QSet<QString> allowedBelow(const QString &layer);
// The game's screens, by source unit name: no screen includes another one's header.
QSet<QString> screenUnits();

Result check(const QString &root);
// The graph and the violations as text, one line each.
QString report(const Result &result);

}  // namespace layers
