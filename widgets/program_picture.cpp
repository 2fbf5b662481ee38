#include "widgets/program_picture.h"

#include <QFile>
#include <QImageReader>

#include "tarvel_assets.h"

namespace tarvel {

QImage ProgramPicture(const QString& name) {
  InitTarvelAssets();
  return DecodePicture(QStringLiteral(":/tarvel/") + name + QStringLiteral(".png"));
}

QImage DecodePicture(const QString& path) {
  const bool jpeg = path.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
                    path.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&file, jpeg ? QByteArrayLiteral("jpeg") : QByteArrayLiteral("png"));
  reader.setAutoDetectImageFormat(false);
  QImage image = reader.read();
  // In place where the depth stays the same: no second copy of a large
  // picture while it is converted.
  if (!image.isNull()) image.convertTo(QImage::Format_ARGB32_Premultiplied);
  return image;
}

}  // namespace tarvel
