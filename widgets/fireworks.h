// The fireworks that decorate a button press (and a played card): thirty
// 100 x 100 frames of the graphics module's strip "GTouch", drawn 12 ms apart
// over the 100 x 100 area centred on the pointer, which is left as it was.
//
// The strip comes from the graphics module, which the main window reads at
// start-up and hands over here; without it the fireworks do nothing, without
// a message.
#pragma once

#include <QImage>
#include <QPoint>

#include "widgets/sparse_strip.h"

namespace tarvel {

inline constexpr int kFireworksFrames = 30;
inline constexpr int kFireworksSize = 100;
inline constexpr int kFireworksFrameMs = 12;

// The strip for every later call; a strip without frames switches the effect
// off. A strip of another size than 30 frames of 100 x 100 counts as none.
void SetFireworksStrip(SparseStrip strip);
bool FireworksAvailable();

// Frame `index` (0..29) of the strip; null without a strip.
QImage FireworksFrame(int index);

// Plays the effect centred on `globalPos` and returns when it is over. The
// caller's command runs afterwards. Returns false (at once) without a strip.
bool Fireworks(QPoint globalPos);
// The same at the pointer.
bool Fireworks();

}  // namespace tarvel
