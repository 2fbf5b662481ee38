// The lobby's rules, without a window: what each place button says and
// whether it can be pressed, what a press does, the address check before a
// place is taken, which places a release frees, the size of the welcome
// line.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "online/tour_requests.h"

namespace tarvel {

// The place this player holds in the lobby (TourState's OwnTable and
// OwnPlace); 0 none.
struct LobbyHold {
  int table = 0;
  int place = 0;
  bool Holds() const { return table != 0; }
};

enum class PlaceCaption {
  TakeThePlace,  // "Take the place of"
  LogOff,        // "Log off"
  Occupant,      // nick + " : " + score
  Free,          // "Free"
  ServerOff,     // "Server Off"
};

struct PlaceRule {
  PlaceCaption caption = PlaceCaption::ServerOff;
  bool enabled = false;

  bool operator==(const PlaceRule&) const = default;
};

using TablePlaceButtons = std::array<PlaceRule, kTourPlaces>;

// The hold after a table list: a held table whose place 1 is free is no
// longer held (the holder of place 1 gave it up, which frees place 2 too, or
// the service cleared the table).
LobbyHold HoldAfterTables(const TourTables& tables, LobbyHold hold);

// The three buttons of table `table` (1..10). With the server off (or a
// failed list) every button says "Server Off" and is disabled.
TablePlaceButtons TableButtons(const TQorTable_3& record, int table, LobbyHold hold, bool serverOn);

// What pressing place `place` of `table` does.
enum class PlacePress { Nothing, GiveUp, Take };
PlacePress PressOf(int table, int place, LobbyHold hold);

// Taking a later place of a table whose earlier place holds a player with
// the same external address is refused, unless the table server runs on
// this machine. An address not known ("X") matches none.
bool SameAddressRefused(const std::string& earlierIp, const std::string& ownIp, const std::string& serverIp);

// The places that a lost table connection releases: the own place and every
// place after it (a later player cannot play without the earlier one).
struct PlaceRange {
  int first = 0;
  int last = -1;  // empty when last < first
};
PlaceRange PlacesReleasedOnError(int ownPlace);

// "Refresh", "Close" and "Top 10" are disabled while a place is held and the
// server is on.
bool LobbyButtonsEnabled(LobbyHold hold, bool serverOn);

// The size (before FontHeight) of the welcome line's "serif" font: 28, 24
// for more than 39 characters, 20 for more than 54.
int WelcomeFontSize(std::size_t characters);

}  // namespace tarvel
