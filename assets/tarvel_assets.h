// The program's own pictures, compiled in.
//
// Every picture lies under the resource prefix "/tarvel" with its game
// resource name: ":/tarvel/<Name>.png" (backgrounds ":/tarvel/<Name>.jpg"),
// e.g. ":/tarvel/Ch09.png", ":/tarvel/TabloSm.png", ":/tarvel/FonG.jpg".
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace tarvel {

// Registers the compiled-in pictures. The linker drops resource
// initialisers of a static library that nothing references, so a program
// must call this once before it loads any picture; calling it again is
// harmless.
void InitTarvelAssets();

// Cursor pictures are square, of this many pixels.
inline constexpr int kCursorSize = 32;

// One of the program's own cursors ("CURARROW", "CURHAND", "CURWAIT",
// "CUREDIT"). A cursor of one frame is the picture "<name>"; an animated one
// has the pictures "<name>_1" .. "<name>_<frames>", each shown `delayMs`.
struct CursorInfo {
  QString name;
  int frames = 1;
  int delayMs = 0;
  int hotX = 0;
  int hotY = 0;

  // Resource names of the frames, in order.
  QStringList FrameNames() const;
};

// Parses a cursor list: a JSON object mapping cursor names to objects with
// the integers "frames", "delay", "hotX" and "hotY". Entries that are not
// sound (bad name, no frames, an animation without delay, a hot spot outside
// the picture) are left out; a document that is not such an object gives an
// empty list. Sorted by name.
std::vector<CursorInfo> ParseCursorInfos(const QByteArray& json);

// The cursor list compiled in beside the cursor pictures (":/tarvel/Cursors.json").
std::vector<CursorInfo> OwnCursorInfos();

}  // namespace tarvel
