#include "data/pictures/builtpictures.h"
#include "data/pictures/pictures.h"

// The picture resources themselves are generated and attached by the build.
namespace zpict {

int resourcesLibraryAnchor() { return 1; }

QImage builtCataloguePicture(const QString &tableFile, int key)
{
    return QImage(QStringLiteral(":/") + builtCatalogueName(tableFile, key)).convertToFormat(QImage::Format_RGB32);
}

QImage builtProfessionPicture(int code)
{
    return QImage(QStringLiteral(":/szakma/%1.png").arg(code)).convertToFormat(QImage::Format_RGB32);
}

}  // namespace zpict
