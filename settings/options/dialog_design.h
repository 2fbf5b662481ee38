// The look of the auxiliary windows: the purple design or one of the three
// grey schemes of `DialogScheme`.
#pragma once

#include <QPalette>

#include "settings/settings_file.h"

namespace tarvel {

// `base` with the window and text colours of the design in `settings`.
QPalette DialogPalette(const Settings& settings, QPalette base);

}  // namespace tarvel
