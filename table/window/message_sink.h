// Where the window's message boxes go. The window shows them as modal
// message boxes; tests put in a sink that records the texts and answers the
// questions without blocking.
#pragma once

#include <QString>

class QWidget;

namespace tarvel {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // An information or error box with an OK button.
  virtual void Inform(QWidget* parent, const QString& title, const QString& text) = 0;
  // A question with Yes and No; true for Yes. `yes` and `no` are the button
  // captions in the current language (empty: the system's own).
  virtual bool Ask(QWidget* parent, const QString& title, const QString& text,
                   const QString& yes, const QString& no) = 0;
};

// The normal sink: the message boxes of every window (silent and answered
// at once in a run without a person).
class DialogMessageSink : public MessageSink {
 public:
  void Inform(QWidget* parent, const QString& title, const QString& text) override;
  bool Ask(QWidget* parent, const QString& title, const QString& text, const QString& yes,
           const QString& no) override;
};

}  // namespace tarvel
