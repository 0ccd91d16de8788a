#pragma once
// Reading a test's output file whole.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace testenv {

// The bytes of a file, or "<missing>" when it cannot be read (so that a comparison names it).
inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

}  // namespace testenv
