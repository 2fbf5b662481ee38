#include "lan/chat_entry.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tarvel::lan {

ChatEntry::ChatEntry(QWidget* table) : QObject(table) {
  field_ = new QLineEdit(table);
  field_->setObjectName(QStringLiteral("Edit1"));
  button_ = new QPushButton(table);
  button_->setObjectName(QStringLiteral("BitBtn1"));
  button_->setText(QStringLiteral(">"));
  field_->installEventFilter(this);
  button_->installEventFilter(this);
  connect(button_, &QPushButton::clicked, this, &ChatEntry::Send);
  SetVisible(false);
}

void ChatEntry::Place(const QRect& field, const QRect& button, const QFont& font) {
  field_->setGeometry(field);
  field_->setFont(font);
  button_->setGeometry(button);
}

void ChatEntry::SetVisible(bool visible) {
  field_->setVisible(visible);
  button_->setVisible(visible);
}

void ChatEntry::SetEnabled(bool enabled) {
  field_->setEnabled(enabled);
  button_->setEnabled(enabled);
}

void ChatEntry::Clear() { field_->clear(); }

void ChatEntry::SetHint(const QString& text) { button_->setToolTip(text); }

void ChatEntry::Send() {
  const QString line = field_->text();
  if (line.isEmpty()) return;
  field_->clear();
  emit LineEntered(line);
}

bool ChatEntry::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == field_ && type == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Send();
      return true;  // the table must not see it as its continue key
    }
  }
  if (watched == button_) {
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) typed_.clear();
    if (type == QEvent::KeyPress) {
      typed_ += static_cast<QKeyEvent*>(event)->text();
      if (typed_.endsWith(QLatin1String(kOpenHandsCode))) {
        typed_.clear();
        emit OpenHandsToggled();
      }
      // Only the last digits can still become the number.
      if (typed_.size() > 16) typed_ = typed_.right(5);
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarvel::lan
