// A balloon hint: a rounded light-yellow balloon with an arrow pointing at a
// control, a maroon title and red text in a red border. It opens with a
// 200 ms animation growing from its centre and closes after 5000 ms or when
// the pointer leaves the control. One balloon is open at a time.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

namespace tarvel {

class BalloonHint : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kOpeningMs = 200;
  static constexpr int kShownMs = 5000;

  // Opens the balloon at `control` (closing any other). `fontFamily` is the
  // family of FontLarge. `area` (control coordinates) narrows the control to
  // a painted part of it: the arrow points there and leaving it closes the
  // balloon; empty means the whole control.
  static BalloonHint* Show(const QString& title, const QString& text, QWidget* control,
                           const QString& fontFamily = QString(), const QRect& area = QRect());
  // The open balloon, or null.
  static BalloonHint* Current();
  // Closes the open balloon, if any.
  static void CloseCurrent();

  const QString& Title() const { return title_; }
  const QString& Text() const { return text_; }
  QWidget* Control() const { return control_; }
  const QRect& Area() const { return area_; }
  // 0 .. 1 while opening; 1 once open.
  double Opening() const { return opening_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  BalloonHint(const QString& title, const QString& text, QWidget* control, const QString& fontFamily,
              const QRect& area);

  QString title_;
  QString text_;
  QPointer<QWidget> control_;
  QRect area_;
  QFont titleFont_;
  QFont textFont_;
  bool arrowUp_ = true;  // the balloon lies below the control
  int arrowX_ = 20;
  double opening_ = 0.0;
  QVariantAnimation grow_;
  QTimer life_;
};

}  // namespace tarvel
