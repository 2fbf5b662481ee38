// What the account windows and the account game need of the main window,
// beyond what every records window needs (RecordsHost: the parent window,
// information boxes, sounds, modal runs). The main window implements it.
#pragma once

#include <QString>

namespace tarvel {

struct Settings;

class AccountHost {
 public:
  virtual ~AccountHost() = default;
  // The language and the design of the windows.
  virtual const Settings& AccountSettings() const = 0;
  // A question with Yes and No in the current language; true for Yes.
  virtual bool AskAccount(const QString& text) = 0;
  // The account state or its holder changed: the icon and the fifth member
  // row follow.
  virtual void AccountChanged() = 0;
  // Starts a new game on the table for the account holder.
  virtual void StartAccountTableGame() = 0;
};

}  // namespace tarvel
