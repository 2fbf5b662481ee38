#include "online/tournament/lobby_rules.h"

namespace tarvel {

LobbyHold HoldAfterTables(const TourTables& tables, LobbyHold hold) {
  if (!hold.Holds() || hold.table < 1 || hold.table > kTourTables) return hold;
  if (PlaceFree(tables[static_cast<std::size_t>(hold.table - 1)].Place(1))) return {};
  return hold;
}

TablePlaceButtons TableButtons(const TQorTable_3& record, int table, LobbyHold hold, bool serverOn) {
  TablePlaceButtons buttons;
  if (!serverOn) return buttons;
  for (int place = 1; place <= kTourPlaces; ++place) {
    PlaceRule& button = buttons[static_cast<std::size_t>(place - 1)];
    const bool mine = hold.table == table && hold.place == place;
    if (mine && place < kTourPlaces) {
      // Place 3 cannot log off: the game starts as soon as it is taken.
      button = {PlaceCaption::LogOff, true};
    } else if (mine || !PlaceFree(record.Place(place))) {
      button = {PlaceCaption::Occupant, false};
    } else {
      // A free place is offered once the place before it is taken.
      const bool offered = place == 1 || !PlaceFree(record.Place(place - 1));
      button = {offered ? PlaceCaption::TakeThePlace : PlaceCaption::Free, offered && !hold.Holds()};
    }
  }
  return buttons;
}

PlacePress PressOf(int table, int place, LobbyHold hold) {
  if (table < 1 || table > kTourTables || place < 1 || place > kTourPlaces) return PlacePress::Nothing;
  if (hold.Holds())
    return hold.table == table && hold.place == place && place < kTourPlaces ? PlacePress::GiveUp
                                                                           : PlacePress::Nothing;
  return PlacePress::Take;
}

bool SameAddressRefused(const std::string& earlierIp, const std::string& ownIp, const std::string& serverIp) {
  return earlierIp == ownIp && earlierIp != kNoPlayer && serverIp != "127.0.0.1";
}

PlaceRange PlacesReleasedOnError(int ownPlace) {
  if (ownPlace < 1 || ownPlace > kTourPlaces) return {};
  return {ownPlace, kTourPlaces};
}

bool LobbyButtonsEnabled(LobbyHold hold, bool serverOn) { return !(hold.Holds() && serverOn); }

int WelcomeFontSize(std::size_t characters) {
  if (characters > 54) return 20;
  if (characters > 39) return 24;
  return 28;
}

}  // namespace tarvel
