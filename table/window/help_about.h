// The pop-up commands "Help" and "About": the help page shipped beside the
// program (HTML made from the sources in assets/help), opened in the user's
// browser, and the about window with the title picture and the version.
#pragma once

#include <QDialog>
#include <QString>

#include "settings/settings_file.h"

class QLabel;
class QPushButton;

namespace tarvel {

class MessageSink;

inline constexpr const char* kVersionText = "V 5.7f";

// The folder of the help pages: "help" beside the program.
QString DefaultHelpFolder();
// The page for a language: "Tarvel_<picture suffix>.html" in `folder`; the
// English page for a language without its own; empty when neither exists.
QString HelpPagePath(const QString& folder, int language);

// Opens the help page for the language with the desktop's browser. When no
// English page is shipped, English users are told so ("Excuse! ...") and get
// the Russian one; when no page exists at all the user is told so.
void OpenHelp(QWidget* parent, MessageSink& messages, int language, const QString& folder);

// The about window: the title picture in the current language, the version
// text and an OK button, in the auxiliary window design.
class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  TFormAbout(const Settings& settings, QWidget* parent = nullptr);

  QLabel* Title() const { return title_; }
  QLabel* Version() const { return version_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  QLabel* title_ = nullptr;
  QLabel* version_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace tarvel
