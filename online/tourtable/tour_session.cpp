#include "online/tourtable/tour_session.h"

#include <array>
#include <cstddef>

#include "lan/lan_messages.h"

namespace tarvel::tour {
namespace {

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }

bool IsSeat(int seat) { return seat >= 1 && seat <= 3; }

}  // namespace

TourSession::TourSession(MatchState& state, TableEvents& events, GameDriver& driver, DeckRandom& random,
                         TourState& tour, TourSender& sender, TourFront& front)
    : state_(state), events_(events), driver_(driver), random_(random), tour_(tour), sender_(sender),
      front_(front) {}

void TourSession::Open(int table, int place) {
  reader_.Clear();
  dealSeen_ = false;
  tour_.TourTable = table;
  tour_.TourLink = kTourLinkConnecting;
  tour_.NoGameSeen = false;
  state_.TourSeat = static_cast<std::uint8_t>(place);
}

void TourSession::Close() {
  reader_.Clear();
  StopTableClocks();
  tour_.TourLink = kTourLinkNone;
  state_.TourGame = false;
  state_.TourOver = false;
  dealSeen_ = false;
  nextDealAsked_ = false;
}

bool TourSession::Running() const { return state_.TourGame && state_.DealActive && dealSeen_; }

void TourSession::Send(const std::string& frame) { sender_.SendFrame(frame); }

void TourSession::OnConnected() {
  if (tour_.TourLink != kTourLinkConnecting) return;
  Send(BuildConnectFrame(state_.TourSeat));
  tour_.TourLink = kTourLinkJoined;
}

void TourSession::OnConnectionError() {
  if (Running()) return;  // a lost game reports itself as disconnected
  tour_.NoGameSeen = true;
  sender_.Deactivate();
}

void TourSession::Leave() {
  if (tour_.TourLink != kTourLinkNone) Send(BuildLeaveFrame(state_.TourSeat));
  sender_.Deactivate();
  Close();
}

void TourSession::OnBytes(std::string_view bytes) {
  if (tour_.TourLink == kTourLinkNone) return;
  reader_.Append(bytes);
  while (std::optional<TourMessage> message = reader_.Next()) Handle(*message);
}

void TourSession::Handle(const TourMessage& message) {
  switch (message.kind) {
    case TourMessageKind::Chat: Chat(message); break;
    case TourMessageKind::Deal:
      driver_.runWhenIdle([this, deal = message.deal] { Deal(deal); });
      break;
    case TourMessageKind::Move:
    case TourMessageKind::Continue:
      driver_.runWhenIdle([this, message] { Move(message); });
      break;
    case TourMessageKind::End:
      driver_.runWhenIdle([this] { ServerEnded(); });
      break;
    case TourMessageKind::Left:
      driver_.runWhenIdle([this, place = message.place] { OpponentGone(TableEnd::OpponentLeft, place); });
      break;
    case TourMessageKind::TimedOut:
      driver_.runWhenIdle([this, place = message.place] { OpponentGone(TableEnd::OpponentTimeOut, place); });
      break;
    case TourMessageKind::MalformedDeal:
    case TourMessageKind::Oversize:
      // Whatever follows cannot be trusted to be in step with the game.
      reader_.Clear();
      driver_.runWhenIdle([this] {
        if (Running() && tour_.TourLink != kTourLinkOver && !state_.GameSummed)
          EndEarly(TableEnd::LostConnection, 0);
      });
      break;
  }
}

void TourSession::Chat(const TourMessage& message) {
  const int place = message.place;
  // The own lines are shown as they are sent.
  if (lan::SeatOfPlace(place, state_.TourSeat) == 0 || place == state_.TourSeat) return;
  if (state_.SoundOn) events_.PlaySound("WToMenK", false);
  front_.ShowTableChat(place, message.line);
}

void TourSession::Deal(const lan::DealData& deal) {
  MatchState& s = state_;
  // A deal is due once the third place joined (the first) and after a deal
  // was scored with the game going on.
  if (tour_.TourLink != kTourLinkJoined) return;
  if (dealSeen_ && !(s.DealActive && s.Turn == TurnNextDeal)) return;
  const bool first = !dealSeen_;
  if (first) {
    front_.TableGameStarts();
    front_.ClearTableChat();
  }
  s.TourGame = true;
  s.TourOver = false;
  s.NetGame = false;
  s.GameTo8 = true;
  s.GameTarget = 8;
  for (std::size_t pos = 1; pos <= 24; ++pos) {
    s.Deck[pos] = deal.deck[pos];
    s.DeckRanks[pos] = deal.ranks[pos];
    s.DeckPoints[pos] = deal.points[pos];
  }
  s.PlayedLog.fill(NoCard);
  for (int place = 1; place <= 3; ++place) {
    const std::size_t seat = At(lan::SeatOfPlace(place, s.TourSeat));
    for (int slot = 1; slot <= 24; ++slot) {
      const std::size_t pos = At((place - 1) * 8 + slot);
      const bool dealt = slot <= 8;
      s.Hands[seat][At(slot)] = dealt ? s.Deck[pos] : NoCard;
      s.HandRanks[seat][At(slot)] = dealt ? s.DeckRanks[pos] : EmptyValue;
      s.HandPoints[seat][At(slot)] = dealt ? s.DeckPoints[pos] : EmptyValue;
    }
    s.HandCount[seat] = 8;
  }
  tour_.OwnTable = 0;
  tour_.OwnPlace = 0;
  dealSeen_ = true;
  nextDealAsked_ = false;
  if (first) {
    for (int place = 1; place <= 3; ++place)
      s.SeatNames[At(lan::SeatOfPlace(place, s.TourSeat))] = front_.NickOfPlace(place);
  }
  StartDeal(s, events_, random_, !first);
  front_.EnableTableChat(true);
  StartClock(s.Turn);
}

void TourSession::Move(const TourMessage& message) {
  MatchState& s = state_;
  if (!Running() || tour_.TourLink == kTourLinkOver) return;
  if (message.kind == TourMessageKind::Continue) {
    // Place 1 collects on its own press; the others when it says so.
    if (s.TourSeat == 1 || message.place != 1 || s.Turn != TurnTrickComplete) return;
    s.DealStage = StagePlaying;
    events_.StartTimer();
    CollectTrick(s, events_, true);
    return;
  }
  // A move of another place, sent by the place whose turn it is.
  if (!IsSeat(s.Turn) || s.Turn == 3 || s.TrickPos < 1 || s.TrickPos > 3 ||
      message.place != lan::PlaceOfSeat(s.Turn, s.TourSeat) || IsIllegalCardOf(s, s.Turn, message.slot))
    return;
  s.DealStage = StagePlaying;
  events_.StartTimer();
  events_.SetButtonCaption(TableButton::Continue, TableWord::OK);
  PlayCard(s, events_, s.Turn, message.slot, false);
}

void TourSession::ServerEnded() {
  MatchState& s = state_;
  if (!dealSeen_) return;
  // Every place may sum up now; place 1 already has.
  s.TourOver = true;
  if (!s.GameSummed) events_.SetButtonEnabled(TableButton::Continue, true);
  tour_.TourLink = kTourLinkOver;
  front_.EnableTableChat(false);
  HideClocks();
  clockRunning_ = false;
}

void TourSession::OpponentGone(TableEnd end, int place) {
  MatchState& s = state_;
  if (!Running() || s.GameSummed) return;
  if (end == TableEnd::OpponentLeft && tour_.TourLink == kTourLinkOver) return;
  const int seat = lan::SeatOfPlace(place, s.TourSeat);
  if (seat == 0) return;
  if (seat == 3) {
    // The server's clock ran out for this place before the own one did: it
    // knows already.
    OwnTimeOut(false);
    return;
  }
  if (s.SoundOn) events_.PlaySound(end == TableEnd::OpponentLeft ? "WWrongs" : "WKoGutX", false);
  EndEarly(end, seat);
}

void TourSession::OwnTimeOut(bool tellServer) {
  tour_.TourLink = kTourLinkOver;
  if (tellServer) Send(BuildTimeOutFrame(state_.TourSeat));
  if (state_.SoundOn) events_.PlaySound("WWrongs", false);
  EndEarly(TableEnd::OwnTimeOut, 3);
}

void TourSession::EndEarly(TableEnd end, int seat) {
  MatchState& s = state_;
  tour_.TourLink = kTourLinkOver;
  s.GameSummed = true;
  HideClocks();
  clockRunning_ = false;
  front_.EnableTableChat(false);
  sender_.Deactivate();
  events_.SetButtonEnabled(TableButton::Continue, false);
  events_.SetButtonCaption(TableButton::Exit, TableWord::ExitToMenu);
  events_.SetButtonEnabled(TableButton::Exit, true);
  s.Turn = TurnGameOver;
  front_.ShowTableEnd(end, seat);
}

void TourSession::OnDisconnected() {
  front_.EnableTableChat(false);
  // Closed while waiting for the game: the lobby releases the place.
  if (!dealSeen_ && tour_.TourLink != kTourLinkNone) tour_.NoGameSeen = true;
  driver_.runWhenIdle([this] {
    // Nothing to end once the table was left or the game is over.
    if (tour_.TourLink == kTourLinkOver || !Running() || state_.GameSummed) return;
    if (state_.SoundOn) events_.PlaySound("WWrongs", false);
    EndEarly(TableEnd::LostConnection, 0);
  });
}

// ---------------------------------------------------------------------------
// Local acts

void TourSession::SendMove(int slot) { Send(BuildMoveFrame(slot, state_.TourSeat)); }

void TourSession::SendTrickCollected() {
  if (state_.TourSeat == 1) Send(BuildContinueFrame(1));
}

void TourSession::RequestNextDeal() {
  // Asked once per scored deal: the server refuses a second request.
  if (state_.TourSeat != 1 || nextDealAsked_) return;
  nextDealAsked_ = true;
  Send(BuildNextDealFrame(1));
  events_.SetButtonEnabled(TableButton::Continue, false);
}

void TourSession::SendGameResults(const SeatResults& results) {
  if (state_.TourSeat != 1) return;
  std::array<int, 3> byPlace{};
  for (int place = 1; place <= 3; ++place)
    byPlace[At(place - 1)] = results[At(lan::SeatOfPlace(place, state_.TourSeat))];
  Send(BuildResultsFrame(byPlace, 1));
  tour_.TourLink = kTourLinkOver;
  front_.EnableTableChat(false);
}

void TourSession::SendChat(const std::string& utf8Line) {
  if (utf8Line.empty() || !state_.TourGame || tour_.TourLink != kTourLinkJoined) return;
  for (const std::string& frame : BuildChatFrames(utf8Line, state_.TourSeat)) Send(frame);
  front_.ShowTableChat(state_.TourSeat, utf8Line);
}

// ---------------------------------------------------------------------------
// Move clock

void TourSession::HideClocks() {
  for (int seat = 1; seat <= 3; ++seat) front_.DrawMoveClock(seat, -1);
}

void TourSession::StartClock(int seat) {
  if (!IsSeat(seat) || tour_.TourLink == kTourLinkOver) return;
  HideClocks();
  clockSeat_ = seat;
  clockLeft_ = kMoveClockSeconds;
  clockRunning_ = true;
  front_.DrawMoveClock(seat, clockLeft_);
}

void TourSession::PassMoveClock(int seat) {
  // Called as a card is played, before it lies: the third card of a trick
  // hands the clock to place 1, whose press collects it.
  if (state_.TrickPos == 3 && IsSeat(state_.Turn)) seat = lan::SeatOfPlace(1, state_.TourSeat);
  StartClock(seat);
}

void TourSession::RestartMoveClock() { StartClock(lan::SeatOfPlace(1, state_.TourSeat)); }

void TourSession::StopTableClocks() {
  if (clockRunning_) HideClocks();
  clockRunning_ = false;
  front_.EnableTableChat(false);
}

void TourSession::Tick() {
  if (!clockRunning_ || !state_.TourGame) return;
  if (clockLeft_ > 0) --clockLeft_;
  front_.DrawMoveClock(clockSeat_, clockLeft_);
  if (clockSeat_ != 3) return;
  if (state_.SoundOn && clockLeft_ > 0) events_.PlaySound(clockLeft_ > 7 ? "STimerA" : "STimerB", false);
  if (clockLeft_ == 0) {
    clockRunning_ = false;
    driver_.runWhenIdle([this] {
      if (Running() && tour_.TourLink != kTourLinkOver && !state_.GameSummed) OwnTimeOut(true);
    });
  }
}

}  // namespace tarvel::tour
