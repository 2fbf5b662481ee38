#include "rules.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <chrono>
#include <cstddef>
#include <utility>

namespace tarvel {
namespace {

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }

constexpr bool IsSeat(int seat) { return seat >= 1 && seat <= 3; }

// This machine is a LAN client (it receives its deals from the host).
bool IsLanClient(const MatchState& s) { return s.NetGame && s.NetRole != 1; }
bool IsLanHost(const MatchState& s) { return s.NetGame && s.NetRole == 1; }
bool IsLocalGame(const MatchState& s) { return !s.NetGame && !s.TourGame; }

void PlaySound(const MatchState& s, TableEvents& events, std::string_view name,
               bool wait) {
  if (s.SoundOn) events.PlaySound(name, wait);
}

void EmptyHand(MatchState& s, int seat) {
  s.Hands[At(seat)].fill(NoCard);
  s.HandRanks[At(seat)].fill(EmptyValue);
  s.HandPoints[At(seat)].fill(EmptyValue);
  s.HandCount[At(seat)] = 0;
}

void ClearTrick(MatchState& s) {
  s.Trick.fill(NoCard);
  s.TrickRanks.fill(EmptyValue);
  s.TrickPoints.fill(EmptyValue);
  s.LedSuit = NoSuit;
}

// Deck positions 1..8 to seat 1, 9..16 to seat 2, 17..24 to seat 3.
void DealDeck(MatchState& s) {
  for (int seat = 1; seat <= 3; ++seat) {
    for (int slot = 1; slot <= 8; ++slot) {
      const std::size_t pos = At((seat - 1) * 8 + slot);
      s.Hands[At(seat)][At(slot)] = s.Deck[pos];
      s.HandRanks[At(seat)][At(slot)] = s.DeckRanks[pos];
      s.HandPoints[At(seat)][At(slot)] = s.DeckPoints[pos];
    }
    s.HandCount[At(seat)] = 8;
  }
}

// First player at a tournament table by deal count and own place.
int TournamentFirstPlayer(std::int32_t dealNo, int tourSeat) {
  static constexpr int kTable[3][3] = {
      {3, 2, 1},  // dealNo mod 3 = 0
      {1, 3, 2},  // 1
      {2, 1, 3},  // 2
  };
  const int row = static_cast<int>(((dealNo % 3) + 3) % 3);
  const int column = IsSeat(tourSeat) ? tourSeat - 1 : 0;
  return kTable[row][column];
}

bool AnySeatClosed(const MatchState& s) {
  return s.Taken[1] >= 66 || s.Taken[2] >= 66 || s.Taken[3] >= 66;
}

// The deal start. `random` is null when the deck is already in place and
// `givenFirst` names the first player (StartGivenDeal).
void OpenDeal(MatchState& s, TableEvents& events, DeckRandom* random,
              bool nextDeal, int givenFirst) {
  // 0. Table set-up.
  events.ChooseBack();
  events.StopMusic();
  events.SetMenuCommandEnabled(MenuCommand::Quit, true);
  events.SetMenuCommandEnabled(MenuCommand::GenCount, true);
  events.LayoutTable();
  events.ShowTable();

  // 1. New game.
  if (!nextDeal) {
    s.GamePoints.fill(0);
    s.DealNo = 0;
    s.GameResult = 0;
    s.NewScore = 0;
    PlayerRecord record = events.LoadPlayerRecord();
    s.PlayerKon = record.kon;
    s.PlayerScore = record.score;
    s.PlayerRating = record.rating;
    s.PlayerName = std::move(record.name);
  }

  // 2. Count the deal. A LAN client counts while it waits for its first deal
  // and after a played deal (some trick was collected), so that the deal
  // message that follows its joining is not counted twice.
  const bool client = IsLanClient(s);
  if (!client || s.NetWaitDeal || s.PlayedCount > 1) ++s.DealNo;

  // 3. Seat names of a local game.
  if (IsLocalGame(s)) {
    s.SeatNames[1] = "PC";
    s.SeatNames[2] = "PC";
    s.SeatNames[3] = s.PlayerName;
  }

  // 4. Empty hands and log, except where the cards came from a message.
  if (!s.TourGame && (!client || s.NetWaitDeal)) {
    for (int seat = 1; seat <= 3; ++seat) EmptyHand(s, seat);
    s.PlayedLog.fill(NoCard);
  }

  // 5, 6. Deal and first player.
  int first = 0;
  if (!s.TourGame && !client) {
    if (random != nullptr) ShuffleDeck(s, *random);
    DealDeck(s);
    first = random != nullptr ? RotationFirstPlayer(s.PlayerKon, s.DealNo)
                              : givenFirst;
    if (IsLanHost(s)) events.SendDeal(s, first);
  } else if (s.TourGame) {
    first = TournamentFirstPlayer(s.DealNo, s.TourSeat);
  } else if (!s.NetWaitDeal) {
    first = s.Turn;  // placed by the deal message
  }
  if (!IsSeat(first)) first = 0;  // a client still waiting: nobody moves

  // 7. Reset the deal-wide values.
  ClearTrick(s);
  s.Taken.fill(0);
  s.DealResult.fill(0);
  s.PendingMarriage.fill(0);
  s.PlayedCount = 1;
  s.PrevLeader = static_cast<std::uint8_t>(first);
  s.TrickPos = 1;
  s.GameSummed = false;
  s.GameOver = false;
  s.GameTarget = s.GameTo8 ? 8 : 10;
  s.Leader = static_cast<std::uint8_t>(first);
  s.Turn = static_cast<std::uint8_t>(first);
  s.DealStage = StageDealt;
  s.DealActive = true;

  // 8. The trump is the suit of the first player's last dealt card.
  const CardCode trumpCard = first != 0 ? s.Hands[At(first)][8] : NoCard;
  s.Trump = trumpCard.IsCard() ? trumpCard.suit : NoSuit;

  // 9, 10. Table buttons.
  events.SetButtonCaption(TableButton::Continue, TableWord::ToBegin);
  events.SetButtonCaption(TableButton::Exit, TableWord::ExitToMenu);
  events.SetButtonVisible(TableButton::Continue, true);
  events.SetButtonVisible(TableButton::Exit, true);
  events.SetButtonEnabled(TableButton::Exit, false);
  events.SetButtonEnabled(TableButton::Continue, MayStartDeal(s));

  if (s.NetWaitDeal) {
    events.ShowWaitingForDeal();
    s.NetWaitDeal = false;
    return;
  }

  // 11. Pack and draw the hands; the trump card is shown face up.
  for (int seat = 1; seat <= 3; ++seat) {
    PackHand(s.Hands[At(seat)], s.HandRanks[At(seat)], s.HandPoints[At(seat)],
             s.HandCount[At(seat)], s.Trump);
    events.DrawHand(seat, seat == 3);
  }
  if (first != 0) {
    const int trumpSlot = SlotOf(trumpCard, s.Hands[At(first)]);
    if (trumpSlot != 0) events.ShowTrumpCard(first, trumpSlot);
  }
  events.DrawDeck(s.Trump);
  PlaySound(s, events, "WTasoKo", false);
  events.SetTimerInterval(200);
  events.StopTimer();

  // 12. The game counter's hint.
  events.ShowGameCounter(s.PlayerKon, s.TourGame ? 1 : 30);
}

}  // namespace

DeckRandom::DeckRandom() {
  std::random_device device;
  const auto ticks = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  std::seed_seq seed{static_cast<std::uint32_t>(ticks),
                     static_cast<std::uint32_t>(ticks >> 32), device(), device()};
  generator_.seed(seed);
}

DeckRandom::DeckRandom(std::uint64_t seed) : generator_(seed) {}

void DeckRandom::DrawPermutation(std::array<int, 24>& numbers) {
  // One test per piece: a piece is taken when its number is still
  // available; pieces 24..31 never are. Branch-free apart from the refill,
  // since the rejections are as unpredictable as the pieces.
  std::uint32_t available = (1u << 24) - 1;  // bit n: number n + 1 not drawn
  std::size_t count = 0;
  while (count < numbers.size()) {
    const auto piece = static_cast<std::uint32_t>(NextPiece());
    const std::uint32_t take = (available >> piece) & 1u;
    numbers[count] = static_cast<int>(piece) + 1;  // kept only when taken
    count += take;
    available &= ~(take << piece);
  }
}

void ShuffleDeck(MatchState& s, DeckRandom& random) {
  std::array<int, 24> numbers{};
  random.DrawPermutation(numbers);
  for (std::size_t pos = 1; pos <= 24; ++pos) {
    const CardCode card = CardFromDeckNumber(numbers[pos - 1]);
    s.Deck[pos] = card;
    s.DeckRanks[pos] = card.Order();
    s.DeckPoints[pos] = card.Points();
  }
}

int RotationFirstPlayer(std::int32_t kon, std::int32_t dealNo) {
  const std::int64_t sum = static_cast<std::int64_t>(kon) + dealNo + 1;
  return static_cast<int>(((sum % 3) + 3) % 3) + 1;
}

void StartDeal(MatchState& state, TableEvents& events, DeckRandom& random,
               bool nextDeal) {
  OpenDeal(state, events, &random, nextDeal, 0);
}

void StartGivenDeal(MatchState& state, TableEvents& events, bool nextDeal,
                    int firstPlayer) {
  OpenDeal(state, events, nullptr, nextDeal, firstPlayer);
}

bool IsIllegalCard(const MatchState& state, int slot) {
  return IsIllegalCardOf(state, 3, slot);
}

bool IsIllegalCardOf(const MatchState& s, int seat, int slot) {
  if (!IsSeat(seat) || slot < 1 || slot > s.HandCount[At(seat)] || slot > 8) {
    return true;
  }
  const Hand& hand = s.Hands[At(seat)];
  const CardCode card = hand[At(slot)];
  if (!card.IsCard()) return true;
  if (!IsSuit(s.LedSuit)) return false;  // a lead is always legal
  if (card.suit == s.LedSuit) return false;
  if (card.suit == s.Trump) return HasSuit(hand, s.LedSuit);
  return HasSuit(hand, s.LedSuit) || HasSuit(hand, s.Trump);
}

bool MoveAllowed(const MatchState& s, int seat, int slot) {
  return IsSeat(seat) && seat == s.Turn && s.DealStage == StagePlaying && s.TrickPos >= 1 &&
         s.TrickPos <= 3 && slot >= 1 && slot <= s.HandCount[At(seat)] && slot <= 8 &&
         s.Hands[At(seat)][At(slot)].IsCard();
}

bool PlayCard(MatchState& s, TableEvents& events, int seat, int slot, bool send) {
  const bool valid = MoveAllowed(s, seat, slot);
  assert(valid && "PlayCard: move outside the rules' preconditions");
  if (!valid) return false;

  // 1, 2. Pass the move on.
  if (send && (s.NetGame || s.TourGame)) events.SendMove(seat, slot);
  if (s.TourGame) events.PassMoveClock(NextSeat(seat));

  // 3, 4. The card goes to the trick.
  Hand& hand = s.Hands[At(seat)];
  const int pos = s.TrickPos;
  const CardCode card = hand[At(slot)];
  s.Trick[At(pos)] = card;
  s.TrickRanks[At(pos)] = s.HandRanks[At(seat)][At(slot)];
  s.TrickPoints[At(pos)] = s.HandPoints[At(seat)][At(slot)];
  if (pos == 1) s.LedSuit = card.suit;

  // 5. A led king or queen with its partner in hand announces a marriage.
  int marriage = 0;
  if (pos == 1 && (card.rank == RankKing || card.rank == RankQueen) &&
      HasMarriage(hand, card.suit)) {
    marriage = card.suit == s.Trump ? 40 : 20;
    if (s.Taken[At(seat)] == 0) {
      s.PendingMarriage[At(seat)] = static_cast<std::uint8_t>(marriage);
    } else {
      s.Taken[At(seat)] += marriage;
    }
    events.ShowBubbleName(seat);
  }

  // 6, 7. Out of the hand, repack, and onto the table.
  // The hand is packed, so repacking it without the card is closing the gap:
  // the cards after the slot move one slot to the left.
  HandBytes& ranks = s.HandRanks[At(seat)];
  HandBytes& points = s.HandPoints[At(seat)];
  const int last = s.HandCount[At(seat)];
  for (int i = slot; i < last; ++i) {
    hand[At(i)] = hand[At(i + 1)];
    ranks[At(i)] = ranks[At(i + 1)];
    points[At(i)] = points[At(i + 1)];
  }
  hand[At(last)] = NoCard;
  ranks[At(last)] = EmptyValue;
  points[At(last)] = EmptyValue;
  --s.HandCount[At(seat)];
  events.DrawHand(seat, seat == 3);
  events.PlaceCardOnTable(seat, slot, pos, card, s.FlyCards);

  // 8, 9. Announce.
  const bool closing = AnySeatClosed(s);
  if (marriage == 0) {
    PlaySound(s, events, "WHodsDo", true);
  } else {
    events.ShowBubbleWord(seat, marriage == 40 ? TableWord::Forty : TableWord::Twenty, closing);
    events.DrawBoard(seat, false, BoardKeep, BoardKeep, s.Taken[At(seat)]);
    PlaySound(s, events, marriage == 40 ? "WSays40" : "WSays20", true);
  }

  // 10. A marriage that lifts a seat to 66 ends the deal at once.
  if (closing) {
    CollectTrick(s, events, false);
    return true;
  }

  // 11..13. Advance the turn; the third card completes the trick.
  s.Turn = static_cast<std::uint8_t>(pos < 3 ? NextSeat(seat) : TurnTrickComplete);
  ++s.TrickPos;
  if (s.TrickPos == 4) {
    FinishTrick(s, events);
    if (DrivesTable(s)) events.SetButtonEnabled(TableButton::Continue, true);
  }
  return true;
}

void FinishTrick(MatchState& s, TableEvents& events) {
  int best = TrickWinnerPosition(s.Trick, s.TrickRanks, s.LedSuit, s.Trump);
  if (best == 0) best = 1;  // only reachable with a malformed trick

  const int winner = SeatOfPosition(s.Leader, best);
  s.PrevLeader = s.Leader;
  s.Leader = static_cast<std::uint8_t>(winner);
  for (int pos = 1; pos <= 3; ++pos) {
    const std::uint8_t points = s.TrickPoints[At(pos)];
    if (points != EmptyValue) s.Taken[At(winner)] += points;
  }
  for (int seat = 1; seat <= 3; ++seat) {
    if (s.Taken[At(seat)] != 0 && s.PendingMarriage[At(seat)] != 0) {
      s.Taken[At(seat)] += s.PendingMarriage[At(seat)];
      s.PendingMarriage[At(seat)] = 0;
    }
  }
  for (int seat = 1; seat <= 3; ++seat) {
    events.DrawBoard(seat, seat == winner, BoardKeep, BoardKeep, s.Taken[At(seat)]);
  }
}

void CollectTrick(MatchState& s, TableEvents& events, bool visible) {
  // 1, 2. Move clock, and the trick leaves the table.
  if (s.TourGame) events.PassMoveClock(s.Leader);
  if (visible) {
    if (s.FlyCards) {
      events.FlyTrickTo(s.Leader);
      events.Pause(200);
    } else {
      events.ClearTable();
    }
    for (int seat = 1; seat <= 3; ++seat) events.ShowBubbleName(seat);
  }

  // 3..5. The winner leads next; the trick goes to the log.
  s.Turn = s.Leader;
  s.TrickPos = 1;
  for (int pos = 1; pos <= 3; ++pos) {
    if (s.PlayedCount >= 1 && s.PlayedCount <= 24) {
      s.PlayedLog[At(s.PlayedCount)] = s.Trick[At(pos)];
      ++s.PlayedCount;
    }
  }
  ClearTrick(s);
  events.SetButtonEnabled(TableButton::Continue, false);

  // 6. Over when every hand is empty or a seat has 66.
  const bool allPlayed = s.HandCount[1] == 0 && s.HandCount[2] == 0 && s.HandCount[3] == 0;
  if (!allPlayed && !AnySeatClosed(s)) return;

  // 7. Score the deal.
  s.Turn = TurnScoring;
  for (int seat = 1; seat <= 3; ++seat) {
    if (s.Taken[At(seat)] < 66) continue;
    const std::int32_t o1 = s.Taken[At(NextSeat(seat))];
    const std::int32_t o2 = s.Taken[At(NextSeat(NextSeat(seat)))];
    std::int32_t& result = s.DealResult[At(seat)];
    if (o1 >= 33 || o2 >= 33) result = 1;
    if (o1 <= 32 && o2 <= 32) result = 2;
    if (o1 == 0 && o2 == 0) result = 3;
  }
  if (allPlayed && !s.DeadHeat) {
    std::int32_t top = s.Taken[1];
    for (int seat = 2; seat <= 3; ++seat) top = std::max(top, s.Taken[At(seat)]);
    int atTop = 0;
    for (int seat = 1; seat <= 3; ++seat) atTop += s.Taken[At(seat)] == top ? 1 : 0;
    if (atTop < 3) {
      for (int seat = 1; seat <= 3; ++seat) {
        if (s.Taken[At(seat)] == top) s.DealResult[At(seat)] = 1;
      }
    }
  }
  for (int seat = 1; seat <= 3; ++seat) s.GamePoints[At(seat)] += s.DealResult[At(seat)];

  // 8. Sounds.
  const bool computerScored = s.DealResult[1] > 0 || s.DealResult[2] > 0;
  const bool humanScored = s.DealResult[3] > 0;
  if (computerScored) PlaySound(s, events, "WKoBadX", false);
  if (humanScored) PlaySound(s, events, "WKoGutX", false);
  if (!computerScored && !humanScored) PlaySound(s, events, "WNichya", false);

  // 9. Boards, open hands, bubbles.
  for (int seat = 1; seat <= 3; ++seat) {
    events.DrawBoard(seat, false, s.DealResult[At(seat)], s.GamePoints[At(seat)],
                     s.Taken[At(seat)]);
  }
  events.DrawHand(1, true);
  events.DrawHand(2, true);
  for (int seat = 1; seat <= 3; ++seat) {
    if (s.DealResult[At(seat)] >= 1) events.ShowBubbleWord(seat, TableWord::ICloseGame, false);
  }

  // 10, 11. Game over, or the next deal.
  bool gameOver = false;
  for (int seat = 1; seat <= 3; ++seat) {
    gameOver = gameOver || s.GamePoints[At(seat)] >= s.GameTarget;
  }
  if (gameOver) {
    events.SetButtonCaption(TableButton::Continue, TableWord::ToSumUpOfGame);
    s.GameOver = true;
    s.Turn = TurnGameOver;
    if (!s.TourGame || s.TourSeat == 1) {
      events.SetButtonEnabled(TableButton::Continue, true);
    }
    if (s.NetGame) events.SetChatEnabled(false);
  } else {
    events.SetButtonCaption(TableButton::Continue, TableWord::NextRound);
    s.Turn = TurnNextDeal;
    if (DrivesTable(s)) events.SetButtonEnabled(TableButton::Continue, true);
  }
  // At a tournament table place 1 must press next; every place shows its clock.
  if (s.TourGame) events.RestartMoveClock();
}

SeatResults SumUpGame(const MatchState& s) {
  SeatResults results{};
  for (int seat = 1; seat <= 3; ++seat) {
    results[At(seat)] = 2 * s.GamePoints[At(seat)] - s.GamePoints[At(NextSeat(seat))] -
                        s.GamePoints[At(NextSeat(NextSeat(seat)))];
  }
  return results;
}

void EndGame(MatchState& s, TableEvents& events) {
  s.GameOver = true;
  SeatResults results = SumUpGame(s);
  for (int seat = 1; seat <= 3; ++seat) results[At(seat)] *= 100;
  s.GameResult = results[3];
  for (int seat = 1; seat <= 3; ++seat) {
    events.DrawBoard(seat, false, BoardKeep, s.GamePoints[At(seat)], results[At(seat)]);
  }
  PlaySound(s, events, s.GameResult > 0 ? "WKoGood" : "WKoBads", false);
  s.GameSummed = true;
  s.NewScore = s.PlayerScore + s.GameResult;
  if (!s.TourGame) {
    events.ShowResults(ResultsFigures{s.PlayerKon, 30, s.PlayerRating, s.GameResult,
                                      s.PlayerScore, false});
  }
  events.SetButtonEnabled(TableButton::Continue, false);
  events.SetButtonEnabled(TableButton::Exit, true);
  if (s.TourGame) {
    if (s.TourSeat == 1) events.SendGameResults(results);
    events.StopTableClocks();
  }
}

bool DrivesTable(const MatchState& s) {
  return IsLocalGame(s) || IsLanHost(s) || (s.TourGame && s.TourSeat == 1);
}

bool MayStartDeal(const MatchState& s) {
  const int first = s.Turn;
  if (!IsSeat(first)) return false;
  if (s.TourGame) return first == 3;
  if (!s.NetGame) return true;
  if (first == 3) return IsLanHost(s) || !s.NetWaitDeal;
  return first == 2 && IsLanHost(s) && s.NetClients2 < 1;
}

int SeatOfTrickPosition(const MatchState& s, int pos) {
  if (pos < 1 || pos > 3) return 0;
  const int leader = s.TrickPos == 4 ? s.PrevLeader : s.Leader;
  return IsSeat(leader) ? SeatOfPosition(leader, pos) : 0;
}

}  // namespace tarvel
