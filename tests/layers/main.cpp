// zomir-layers [ROOT]: prints which layer of the tree includes which, and every include that
// goes against the layer rules; exits 1 when there is one. ROOT is the source tree (the
// tree it was built from by default).

#include "tests/layers/layers.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString root = args.size() > 1 ? args.at(1) : QStringLiteral(ZOMIR_SOURCE_DIR);
    const layers::Result result = layers::check(root);
    QTextStream(stdout) << layers::report(result);
    return result.violations.isEmpty() && result.unresolved.isEmpty() ? 0 : 1;
}
