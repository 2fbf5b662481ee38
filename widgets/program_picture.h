// The program's own compiled-in pictures, for the windows of every part.
#pragma once

#include <QImage>
#include <QString>

namespace tarvel {

// ":/tarvel/<name>.png"; a null picture when the program has none of that name.
QImage ProgramPicture(const QString& name);

}  // namespace tarvel
