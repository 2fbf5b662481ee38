// The look of the auxiliary windows: one of three grey schemes
// (`DialogScheme`: 1 concise, 2 aristocratic, 3 red ribbons) or the purple
// picture design (`DialogDesignPurple`). Every auxiliary window applies it
// when it is shown; its owner-drawn buttons follow it and `NewButtons`.
#pragma once

#include <functional>

#include <QColor>
#include <QImage>

#include "settings/settings_file.h"
#include "widgets/qor_cards_button.h"

class QWidget;

namespace tarvel {

// The accent and text colours of the purple design; its buttons take the
// QCards scheme, the purple style of the button pictures.
inline const QColor kPurpleAccent{0x88, 0x00, 0xE2};
inline const QColor kPurpleText{0xC8, 0xAF, 0x32};

struct DialogLook {
  QColor window;      // ground of the window (under the picture in purple)
  QColor text;        // labels
  TColorSB buttons;   // scheme of the owner-drawn buttons
  QColor buttonText;  // their caption colour
  bool picture;       // the purple background picture is drawn
};

DialogLook DialogLookFor(const Settings& settings);

// The purple design's background picture ("BGLilu" of the graphics module):
// the main window hands over how to decode it, and each window that draws it
// decodes it again, so that the large picture is not kept for the program's
// life. Empty: a plain purple ground.
void SetPurpleDialogBackground(std::function<QImage()> decode);

// Colours `window`, its labels and its owner-drawn buttons for the settings.
void ApplyDialogDesign(QWidget* window, const Settings& settings);

}  // namespace tarvel
