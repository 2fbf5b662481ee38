#include "table/window/message_sink.h"

#include <QMessageBox>
#include <QPushButton>

namespace tarvel {

void DialogMessageSink::Inform(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
  box.exec();
}

bool DialogMessageSink::Ask(QWidget* parent, const QString& title, const QString& text,
                            const QString& yes, const QString& no) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  if (!yes.isEmpty()) box.button(QMessageBox::Yes)->setText(yes);
  if (!no.isEmpty()) box.button(QMessageBox::No)->setText(no);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace tarvel
