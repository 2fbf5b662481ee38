// The lobby's place rules: captions and presses of every place of a table.
#include "online/tournament/lobby_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

// A table whose taken places are given by a pattern like "AB-" (A, B taken,
// place 3 free).
TQorTable_3 Table(const std::string& taken) {
  TQorTable_3 table;
  for (std::size_t i = 0; i < taken.size(); ++i) {
    if (taken[i] == '-') continue;
    table.Places[i].Nick = std::string(1, taken[i]);
    table.Places[i].Score = 10 * static_cast<int>(i + 1);
  }
  return table;
}

constexpr PlaceCaption Take = PlaceCaption::TakeThePlace;
constexpr PlaceCaption Off = PlaceCaption::LogOff;
constexpr PlaceCaption Who = PlaceCaption::Occupant;
constexpr PlaceCaption Free = PlaceCaption::Free;
constexpr PlaceCaption Down = PlaceCaption::ServerOff;

TEST(LobbyRules, PlaceButtonsOfOneTable) {
  struct Case {
    const char* name;
    const char* taken;
    LobbyHold hold;  // table 4 is the one shown
    bool serverOn;
    TablePlaceButtons buttons;
  } const cases[] = {
      {"empty table, no place held", "---", {}, true, {{{Take, true}, {Free, false}, {Free, false}}}},
      {"empty table, a place held elsewhere", "---", {7, 1}, true, {{{Take, false}, {Free, false}, {Free, false}}}},
      {"place 1 taken: place 2 offered", "A--", {}, true, {{{Who, false}, {Take, true}, {Free, false}}}},
      {"place 1 taken, a place held elsewhere: not highlighted", "A--", {7, 2}, true,
       {{{Who, false}, {Take, false}, {Free, false}}}},
      {"places 1 and 2 taken: place 3 offered", "AB-", {}, true, {{{Who, false}, {Who, false}, {Take, true}}}},
      {"own place 1 logs off", "A--", {4, 1}, true, {{{Off, true}, {Take, false}, {Free, false}}}},
      {"own place 2 logs off", "AB-", {4, 2}, true, {{{Who, false}, {Off, true}, {Take, false}}}},
      {"own place 3 cannot log off", "ABC", {4, 3}, true, {{{Who, false}, {Who, false}, {Who, false}}}},
      {"full table", "ABC", {}, true, {{{Who, false}, {Who, false}, {Who, false}}}},
      {"place 2 free between two taken places", "A-C", {}, true, {{{Who, false}, {Take, true}, {Who, false}}}},
      {"server off", "A--", {}, false, {{{Down, false}, {Down, false}, {Down, false}}}},
      {"server off with the own place", "A--", {4, 1}, false, {{{Down, false}, {Down, false}, {Down, false}}}},
  };
  for (const Case& c : cases) EXPECT_EQ(TableButtons(Table(c.taken), 4, c.hold, c.serverOn), c.buttons) << c.name;
}

TEST(LobbyRules, HoldPressAndRelease) {
  // The hold follows place 1 of the held table: giving up place 1 frees
  // place 2 as well, and its holder no longer holds a place.
  TourTables tables;
  tables[3] = Table("AB-");
  EXPECT_EQ(HoldAfterTables(tables, {4, 2}).table, 4);
  tables[3] = Table("---");
  EXPECT_FALSE(HoldAfterTables(tables, {4, 2}).Holds());
  EXPECT_EQ(HoldAfterTables(tables, {5, 1}).table, 0);  // place 1 of table 5 is free too
  tables[4] = Table("A--");
  EXPECT_EQ(HoldAfterTables(tables, {5, 1}).table, 5);
  EXPECT_FALSE(HoldAfterTables(tables, {}).Holds());

  struct PressCase {
    int table, place;
    LobbyHold hold;
    PlacePress press;
  } const presses[] = {
      {4, 1, {}, PlacePress::Take},          {4, 3, {}, PlacePress::Take},
      {4, 1, {4, 1}, PlacePress::GiveUp},    {4, 2, {4, 2}, PlacePress::GiveUp},
      {4, 3, {4, 3}, PlacePress::Nothing},   {4, 2, {4, 1}, PlacePress::Nothing},
      {5, 1, {4, 1}, PlacePress::Nothing},   {0, 1, {}, PlacePress::Nothing},
      {11, 1, {}, PlacePress::Nothing},      {4, 4, {}, PlacePress::Nothing},
  };
  for (const PressCase& p : presses)
    EXPECT_EQ(PressOf(p.table, p.place, p.hold), p.press) << p.table << ":" << p.place;

  struct AddressCase {
    const char* earlier;
    const char* own;
    const char* server;
    bool refused;
  } const addresses[] = {
      {"203.0.113.9", "203.0.113.9", "198.51.100.1", true},
      {"203.0.113.9", "203.0.113.9", "127.0.0.1", false},  // a table server on this machine
      {"203.0.113.8", "203.0.113.9", "198.51.100.1", false},
      {"X", "X", "198.51.100.1", false},  // neither address is known
  };
  for (const AddressCase& a : addresses)
    EXPECT_EQ(SameAddressRefused(a.earlier, a.own, a.server), a.refused) << a.earlier << " " << a.server;

  // A lost connection releases the own place and the places after it.
  EXPECT_EQ(PlacesReleasedOnError(2).first * 10 + PlacesReleasedOnError(2).last, 23);
  EXPECT_LT(PlacesReleasedOnError(0).last, PlacesReleasedOnError(0).first);

  for (const auto& [characters, size] : {std::pair{0, 28}, {39, 28}, {40, 24}, {54, 24}, {55, 20}})
    EXPECT_EQ(WelcomeFontSize(static_cast<std::size_t>(characters)), size) << characters;
}

}  // namespace
}  // namespace tarvel
