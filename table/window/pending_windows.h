// The main window's commands whose windows belong to other parts of the
// program. Each command has one named entry point here; until its window is
// built, the entry point tells the user, in the current language, that the
// feature is not available yet, so that no control silently does nothing.
// Connecting a window means replacing the body of its entry point.
#pragma once

#include <QString>

#include "settings/settings_file.h"

class QWidget;

namespace tarvel {

class MessageSink;

// What an entry point needs to show its window or its message.
struct PendingContext {
  QWidget* parent;
  MessageSink& messages;
  Settings& settings;
  QString dataFolder;
};

// "New Player" and "To change a name": the player name and password window
// for `memberSlot` (6 a new player). True when the window ended with
// success and the game may start. Until the club part exists the player of
// the settings plays as a new player: the entry point succeeds at once.
bool RunPlayerNameWindow(const PendingContext& context, int memberSlot);
// "To change a name" at the table: the player name window.
void OpenChangeNameWindow(const PendingContext& context);
// "Mode" changed `ClubMode`: the member rows show the other column. No club
// part exists yet, so the rows stay empty.
void ReloadClubList(const PendingContext& context);
// Member rows 1..5: the password window of that member.
void OpenMemberPasswordWindow(const PendingContext& context, int row);
// "Top Ten": the local champions window.
void OpenTopTenWindow(const PendingContext& context);
// "Options": the options dialog.
void OpenOptionsDialog(const PendingContext& context);
// "History": the history window.
void OpenHistoryWindow(const PendingContext& context);
// Pop-up "Radio" and "Chat".
void OpenRadioWindow(const PendingContext& context);
void OpenChatWindow(const PendingContext& context);

}  // namespace tarvel
