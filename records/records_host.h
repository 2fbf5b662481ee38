// What the records windows need of the main window. The main window
// implements it; tests implement it to record messages and answer dialogs
// without blocking.
#pragma once

#include <QString>

#include <string_view>

#include "settings/words/words.h"

class QDialog;
class QWidget;

namespace tarvel {

class RecordsHost {
 public:
  virtual ~RecordsHost() = default;
  // The window that owns the records windows.
  virtual QWidget* HostWindow() = 0;
  // An information box with OK, in the current language.
  virtual void Inform(const QString& text) = 0;
  // Plays an effect sound when sound is on.
  virtual void PlayRecordsSound(std::string_view name) = 0;
  // Shows `dialog` modally and returns its result (QDialog::Accepted or
  // Rejected).
  virtual int RunModal(QDialog& dialog) = 0;
};

// A word of the word table as a QString.
QString RecordsWord(WordId id, int language, int row = 0);
// Windows-1251 bytes of the record files as a QString, and back.
QString FromRecordBytes(std::string_view bytes);
std::string ToRecordBytes(const QString& text);

}  // namespace tarvel
