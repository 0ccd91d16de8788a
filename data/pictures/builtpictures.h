#pragma once
// The pictures as the build drew them, from the resources (library zomir_resources). The
// content tool stores these in a working folder rather than drawing them again, so every
// machine's folder holds the same pictures whatever fonts it has installed (the drawings
// take emoji and faces from the build machine's fonts).

#include <QImage>
#include <QString>

namespace zpict {

// Null when the build holds no such picture.
QImage builtCataloguePicture(const QString &tableFile, int key);
QImage builtProfessionPicture(int code);

}  // namespace zpict
