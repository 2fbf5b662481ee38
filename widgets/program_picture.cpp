#include "widgets/program_picture.h"

#include "tarvel_assets.h"

namespace tarvel {

QImage ProgramPicture(const QString& name) {
  InitTarvelAssets();
  QImage image(QStringLiteral(":/tarvel/") + name + QStringLiteral(".png"));
  if (image.isNull()) return image;
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace tarvel
