#include "widgets/dialog_design.h"

#include <QBrush>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace tarvel {

namespace {

std::function<QImage()> gPurpleBackground;

}  // namespace

DialogLook DialogLookFor(const Settings& settings) {
  if (settings.DialogDesignPurple)
    return {kPurpleAccent, kPurpleText, TColorSB::QCards, kPurpleText, static_cast<bool>(gPurpleBackground)};
  switch (settings.DialogScheme) {
    case 1: return {QColor(212, 212, 212), QColor(0, 0, 0), TColorSB::QBlue, QColor(255, 255, 255), false};
    case 3: return {QColor(200, 200, 200), QColor(160, 0, 0), TColorSB::QRed, QColor(255, 255, 255), false};
    default: return {QColor(180, 180, 186), QColor(40, 40, 60), TColorSB::QNavy, QColor(0, 255, 255), false};
  }
}

void SetPurpleDialogBackground(std::function<QImage()> decode) { gPurpleBackground = std::move(decode); }

void ApplyDialogDesign(QWidget* window, const Settings& settings) {
  if (window == nullptr) return;
  const DialogLook look = DialogLookFor(settings);
  QPalette palette = window->palette();
  if (look.picture) {
    const QImage ground = gPurpleBackground().scaled(window->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    palette.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(ground)));
  } else {
    palette.setColor(QPalette::Window, look.window);
  }
  palette.setColor(QPalette::WindowText, look.text);
  window->setPalette(palette);
  window->setAutoFillBackground(true);
  for (TQorCardsButton* button : window->findChildren<TQorCardsButton*>()) button->SetLook(look.buttons, look.buttonText);
  ApplyNewButtons(window, settings.NewButtons);
}

}  // namespace tarvel
