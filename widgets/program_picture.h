// The program's own compiled-in pictures, for the windows of every part.
#pragma once

#include <QImage>
#include <QString>

namespace tarvel {

// ":/tarvel/<name>.png"; a null picture when the program has none of that name.
QImage ProgramPicture(const QString& name);

// A PNG or JPEG picture file (compiled in, from a resource module or on disk),
// read by the reader of the format its name ends in, premultiplied. Without
// the hint Qt would load every image plug-in to ask whether it knows a ".png"
// file before trying its own PNG reader, which costs the program's start tens
// of milliseconds. Null when the file is missing or not of that format.
QImage DecodePicture(const QString& path);

}  // namespace tarvel
