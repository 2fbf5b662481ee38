// The radio icon of the main menu: the radio on its shelf, green while it
// plays, red while it is off, grey when there is no radio. A left click
// switches the radio, a right click opens the radio window; pointing at it
// shows the station.
#pragma once

#include <QWidget>

#include <functional>

#include "media/internet_radio.h"

namespace tarvel {

class RadioIcon : public QWidget {
  Q_OBJECT

 public:
  static constexpr QSize kSize{220, 125};
  // The window's language for the hint (0..9).
  using Language = std::function<int()>;

  RadioIcon(InternetRadio& radio, Language language, QWidget* parent);

  // "GRadioG", "GRadioR" or "GRadioB" for the radio's state.
  QString PictureName() const;

 signals:
  void Pressed(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;

 private:
  InternetRadio& radio_;
  Language language_;
};

}  // namespace tarvel
