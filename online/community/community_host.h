// What the statistics, news and chat features need of the main window.
#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace tarvel {

class CommunityHost {
 public:
  virtual ~CommunityHost() = default;
  // The window that owns the community windows.
  virtual QWidget* CommunityParent() = 0;
  // The main menu is on screen; a game is running on the table.
  virtual bool CommunityMenuShown() const = 0;
  virtual bool CommunityGameRunning() const = 0;
  // The blue (news) and red (chat) sirens of the main menu.
  virtual void SetNewsSiren(bool on) = 0;
  virtual void SetChatSiren(bool on) = 0;
  // An effect sound by its resource name.
  virtual void PlayCommunitySound(const char* name) = 0;
  // Shows `window` modally; its result.
  virtual int RunCommunityWindow(QDialog& window) = 0;
  // A message box in the current language.
  virtual void InformCommunity(const QString& title, const QString& text) = 0;
  // Writes the settings file (after a vote).
  virtual void SaveCommunitySettings() = 0;
};

}  // namespace tarvel
