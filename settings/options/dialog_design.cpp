#include "settings/options/dialog_design.h"

#include <QColor>

namespace tarvel {

QPalette DialogPalette(const Settings& settings, QPalette base) {
  QColor window(180, 180, 186);  // aristocratic
  QColor text(40, 40, 60);
  if (settings.DialogDesignPurple) {
    window = QColor(120, 0, 200);
    text = QColor(200, 175, 50);
  } else if (settings.DialogScheme == 1) {  // concise
    window = QColor(212, 212, 212);
    text = QColor(0, 0, 0);
  } else if (settings.DialogScheme == 3) {  // red ribbons
    window = QColor(200, 200, 200);
    text = QColor(160, 0, 0);
  }
  base.setColor(QPalette::Window, window);
  base.setColor(QPalette::WindowText, text);
  return base;
}

}  // namespace tarvel
