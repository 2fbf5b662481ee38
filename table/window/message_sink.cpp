#include "table/window/message_sink.h"

#include "widgets/message_box.h"

namespace tarvel {

void DialogMessageSink::Inform(QWidget* parent, const QString& title, const QString& text) {
  InformBox(parent, title, text, QString());
}

bool DialogMessageSink::Ask(QWidget* parent, const QString& title, const QString& text,
                            const QString& yes, const QString& no) {
  return AskBox(parent, title, text, yes, no);
}

}  // namespace tarvel
