#include "assets/sound/tarvel_sounds.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the initialiser in the enclosing namespace, so it
// has to be expanded outside namespace tarvel.
static void InitCompiledInSounds() { Q_INIT_RESOURCE(tarvel_sounds); }

namespace tarvel {

void InitTarvelSounds() {
  static const bool initialised = [] {
    InitCompiledInSounds();
    return true;
  }();
  (void)initialised;
}

}  // namespace tarvel
