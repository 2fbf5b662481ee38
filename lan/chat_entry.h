// The chat entry of a network game on the table: a one-line edit field with
// a square send button beside it, under the chat box. Enter in the field (the
// key goes no further) or a click on the button sends the field's text.
//
// The send button also listens for a five-digit number typed while it has
// the focus; it turns the opponents' hands face up or down again.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

namespace tarvel::lan {

class ChatEntry : public QObject {
  Q_OBJECT

 public:
  // The number that opens the hands.
  static constexpr const char* kOpenHandsCode = "51973";

  // The field and the button are created hidden on `table`.
  explicit ChatEntry(QWidget* table);

  void Place(const QRect& field, const QRect& button, const QFont& font);
  void SetVisible(bool visible);
  void SetEnabled(bool enabled);
  void Clear();
  // The send button's hint ("Send" in the current language).
  void SetHint(const QString& text);

  QLineEdit* Field() const { return field_; }
  QPushButton* Button() const { return button_; }

 signals:
  // A line to send; never empty. The field is cleared.
  void LineEntered(const QString& line);
  void OpenHandsToggled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Send();

  QLineEdit* field_ = nullptr;
  QPushButton* button_ = nullptr;
  QString typed_;  // digits typed while the button has the focus
};

}  // namespace tarvel::lan
