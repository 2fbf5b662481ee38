// The program's own sounds, compiled in: every effect sound under
// ":/sounds/<NAME>" (a WAVE file, the resource name in capitals, e.g.
// ":/sounds/WHODSDO") and the menu song ":/sounds/MIDISONG" (a MIDI file).
#pragma once

namespace tarvel {

// Registers the compiled-in sounds. The linker drops resource initialisers
// of a static library that nothing references, so a program calls this
// once before it looks a sound up; calling it again is harmless.
void InitTarvelSounds();

}  // namespace tarvel
