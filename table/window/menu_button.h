// The buttons of the main menu and the table: a glossy rounded face in one
// colour, the caption in its own colour, yellow while the pointer is over
// the button, greyed when disabled. A caption wider than the face is drawn
// in a smaller font rather than cut.
#pragma once

#include <QColor>
#include <QPushButton>

namespace tarvel {

class MenuButton : public QPushButton {
  Q_OBJECT

 public:
  explicit MenuButton(QWidget* parent = nullptr);

  void SetColours(const QColor& face, const QColor& text);
  QColor FaceColour() const { return face_; }
  QColor TextColour() const { return text_; }
  // The caption's colour while the pointer is over the button.
  static QColor PointerColour() { return QColor(255, 255, 0); }
  bool PointerOver() const { return pointerOver_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QColor face_{200, 0, 0};
  QColor text_{255, 255, 255};
  bool pointerOver_ = false;
};

}  // namespace tarvel
