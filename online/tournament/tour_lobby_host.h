// What the tournament lobby needs of the main window and of the rest of the
// program. The main window implements TourLobbyHost and hands the lobby its
// collaborators in a TourLobbyContext; the lobby includes nothing of table/.
#pragma once

#include <QFont>
#include <QString>

#include <string>

#include "online/service_requests.h"
#include "online/tour_state.h"
#include "settings/settings_file.h"

class QWidget;

namespace tarvel {

// The lobby's timers: the refresh of the tables and the own standing, and
// the check for a table connection error.
inline constexpr int kTourRefreshMs = 10000;
inline constexpr int kTourErrorMs = 1000;

// The logged-in account as the tournament shows it.
struct TourAccount {
  std::string nick;
  std::string country;  // the country code "d-nnn" (the flags)
  std::string city;
  char sex = 'M';       // 'M' or 'W'
};

class TourLobbyHost {
 public:
  virtual ~TourLobbyHost() = default;
  // The window that owns the lobby and its top ten window.
  virtual QWidget* TourParent() = 0;
  // The language and the design of the windows.
  virtual const Settings& TourSettings() const = 0;
  // The logged-in account (the lobby opens only with a login).
  virtual TourAccount TourPlayer() const = 0;
  // A font of the "serif" role at FontHeight(size, "serif"), for the
  // lobby's welcome line.
  virtual QFont TourSerifFont(int size, bool bold) const = 0;
  // An effect sound by its resource name ("WWrongs").
  virtual void PlayTourSound(const char* name) = 0;
  // A message box with OK in the current language (silent in a run without
  // a person).
  virtual void InformTour(const QString& text) = 0;
  // "Top 10": opens the world top ten read window at its view "WINDOWS.
  // ONLINE TOURNAMENT" when the window pictures of the graphics module are
  // there and returns true; false when they are not, and the lobby opens its
  // own "Tournament Top Ten" window.
  virtual bool OpenWorldTopTenAtTournament() = 0;
};

struct TourLobbyContext {
  TourLobbyHost& host;
  ServiceRequests& requests;  // the tournament service and "/get_ip.php"
  TourState& state;           // shared with the table connection
  TourTableLink& link;        // the table connection
  int refreshMs = kTourRefreshMs;  // shorter in test runs ("--fast")
  int errorMs = kTourErrorMs;
};

}  // namespace tarvel
