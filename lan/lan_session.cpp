#include "lan/lan_session.h"

#include <cstddef>

#include "settings/cp1251.h"

namespace tarvel::lan {
namespace {

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }

bool IsSeat(int seat) { return seat >= 1 && seat <= 3; }

}  // namespace

LanSession::LanSession(MatchState& state, TableEvents& events, GameDriver& driver,
                       DeckRandom& random, LanLink& link, LanFront& front)
    : state_(state), events_(events), driver_(driver), random_(random), link_(link), front_(front) {}

void LanSession::OpenHost(const std::string& ownName) { Open(1, ownName); }

void LanSession::OpenClient(const std::string& ownName) { Open(2, ownName); }

void LanSession::Open(int place, const std::string& ownName) {
  Close();
  ownName_ = ownName;
  netJoin_ = 1;
  state_.NetGame = true;
  state_.NetRole = static_cast<std::uint8_t>(place);
  state_.NetClients2 = -1;
  state_.NetWaitDeal = place != 1;  // a client waits for its first deal
}

void LanSession::Close() {
  netJoin_ = 0;
  connections_.clear();
  hostReader_.Clear();
}

int LanSession::ConnectionOfPlace(int place) const {
  for (const auto& [id, connection] : connections_)
    if (connection.place == place) return id;
  return -1;
}

void LanSession::SendFromHost(int originPlace, std::string_view bytes) {
  const HostRoute route = RouteFromHost(originPlace, state_.NetClients2);
  for (const auto& [place, wanted] : {std::pair{2, route.connection0}, std::pair{3, route.connection1}}) {
    const int connection = ConnectionOfPlace(place);
    if (wanted && connection >= 0) link_.SendToConnection(connection, bytes);
  }
}

bool LanSession::PeerMoveLegal(int slot) const {
  const MatchState& s = state_;
  return s.DealActive && IsSeat(s.Turn) && s.Turn != 3 && s.TrickPos >= 1 && s.TrickPos <= 3 &&
         !IsIllegalCardOf(s, s.Turn, slot);
}

void LanSession::BeforeRemoteCard() {
  // A remote player may lead before this copy pressed "To Begin".
  events_.SetButtonCaption(TableButton::Continue, TableWord::OK);
  state_.DealStage = StagePlaying;
  events_.StartTimer();
}

void LanSession::Broken(bool sendAbort) {
  state_.DealActive = false;
  if (state_.SoundOn) events_.PlaySound("WWrongs", false);
  if (sendAbort) SendFromHost(1, BuildAbort());
  front_.EnableChat(false);
  front_.GameBroken();
}

// ---------------------------------------------------------------------------
// Host

void LanSession::OnClientBytes(int connection, std::string_view bytes) {
  if (netJoin_ == 0 || state_.NetRole != 1) return;
  connections_[connection].reader.Append(bytes);
  // Looked up again for every message: a message may lead to a nested event
  // loop (a card flight) in which this or another connection is lost.
  for (;;) {
    const auto from = connections_.find(connection);
    if (from == connections_.end()) return;
    std::optional<Message> message = from->second.reader.Next();
    if (!message) return;
    HostMessage(from->second.place, connection, *message);
  }
}

void LanSession::HostMessage(int place, int connection, const Message& message) {
  switch (message.kind) {
    case MessageKind::Join: HostJoin(connection, message); break;
    case MessageKind::Chat: HostChat(message, place); break;
    case MessageKind::Move:
      driver_.runWhenIdle([this, message, place] { HostMove(message, place); });
      break;
    default: break;  // "abort" and what only the host sends are ignored
  }
}

void LanSession::HostJoin(int connection, const Message& message) {
  // Joining is open while the host waits, for two clients at most, once each.
  const auto joining = connections_.find(connection);
  if (netJoin_ != 1 || state_.NetClients2 >= 1 || joining == connections_.end() ||
      joining->second.place != 0)
    return;
  MatchState& s = state_;
  ++s.NetClients2;
  const int place = s.NetClients2 + 2;
  joining->second.place = place;
  s.SeatNames[2] = std::string(kComputerNameField);
  s.SeatNames[At(s.NetClients2 + 1)] = message.names[0];
  s.SeatNames[3] = Cp1251ToUtf8(NameField(ownName_));
  const PlaceNames names{NameField(s.SeatNames[3]), NameField(s.SeatNames[1]), NameField(s.SeatNames[2])};
  link_.SendToConnection(connection, BuildAcceptance(place, names));
  if (s.NetClients2 == 1) {
    const int first = ConnectionOfPlace(2);
    if (first >= 0) link_.SendToConnection(first, BuildRoster(names));
  }
  front_.ClientJoined(s.NetClients2);
}

void LanSession::HostChat(const Message& message, int fromPlace) {
  if (fromPlace == 0 || message.place != fromPlace) return;
  SendFromHost(fromPlace, message.bytes);
  if (state_.SoundOn) events_.PlaySound("WToMenK", false);
  front_.ShowChatLine(fromPlace, message.text);
}

void LanSession::HostMove(const Message& message, int fromPlace) {
  MatchState& s = state_;
  if (netJoin_ != 3 || fromPlace == 0 || message.place != fromPlace) return;
  if (!IsSeat(s.Turn) || PlaceOfSeat(s.Turn, 1) != fromPlace || !PeerMoveLegal(message.slot)) return;
  BeforeRemoteCard();
  SendFromHost(fromPlace, message.bytes);
  PlayCard(s, events_, s.Turn, message.slot, false);
}

void LanSession::OnClientLost(int connection) {
  const auto found = connections_.find(connection);
  if (found == connections_.end()) return;
  const bool joined = found->second.place != 0;
  connections_.erase(found);
  // A connection that never joined played no part in the game.
  if (!joined || netJoin_ == 0) return;
  if (netJoin_ == 1) {
    // A player left before the first deal: a game started now would wait
    // for ever for its moves. The waiting ends as a broken game; a client
    // that stays sees its connection closed.
    front_.EnableChat(false);
    front_.GameBroken();
    return;
  }
  driver_.runWhenIdle([this] {
    front_.EnableChat(false);
    const MatchState& s = state_;
    if (s.DealActive && s.NetRole == 1 && s.Turn != TurnGameOver) Broken(s.NetClients2 == 1);
  });
}

// ---------------------------------------------------------------------------
// Client

void LanSession::OnConnected() {
  if (netJoin_ == 1 && state_.NetRole != 1) link_.SendToHost(BuildJoinRequest(NameField(ownName_)));
}

void LanSession::OnHostBytes(std::string_view bytes) {
  if (netJoin_ == 0 || state_.NetRole == 1) return;
  hostReader_.Append(bytes);
  while (std::optional<Message> message = hostReader_.Next()) ClientMessage(*message);
}

void LanSession::ClientMessage(const Message& message) {
  switch (message.kind) {
    case MessageKind::Chat:
      if (state_.SoundOn) events_.PlaySound("WToMenK", false);
      front_.ShowChatLine(message.place, message.text);
      break;
    case MessageKind::Acceptance: ClientAccepted(message); break;
    case MessageKind::Roster:
      // Only while the first deal is awaited: a roster in the middle of a
      // game would change who is thought to play the third place.
      if (netJoin_ == 2 && state_.NetRole == 2 && state_.Turn == 0) {
        state_.NetClients2 = 1;
        for (int place = 1; place <= 3; ++place)
          state_.SeatNames[At(SeatOfPlace(place, 2))] = message.names[At(place - 1)];
      }
      break;
    case MessageKind::Abort:
      driver_.runWhenIdle([this] {
        if (netJoin_ == 2 && state_.DealActive) Broken(false);
      });
      break;
    case MessageKind::Deal:
      driver_.runWhenIdle([this, message] { ClientDeal(message); });
      break;
    case MessageKind::Move:
      driver_.runWhenIdle([this, message] { ClientMove(message); });
      break;
    case MessageKind::Continue:
      driver_.runWhenIdle([this] { ClientContinue(); });
      break;
    case MessageKind::Join: break;  // only clients send it
  }
}

void LanSession::ClientAccepted(const Message& message) {
  if (netJoin_ != 1) return;
  MatchState& s = state_;
  netJoin_ = 2;
  s.NetRole = static_cast<std::uint8_t>(message.place);
  for (int place = 1; place <= 3; ++place)
    s.SeatNames[At(SeatOfPlace(place, s.NetRole))] = message.names[At(place - 1)];
  s.NetClients2 = message.place == 2 ? 0 : 1;
  front_.JoinAccepted();
}

void LanSession::ClientDeal(const Message& message) {
  MatchState& s = state_;
  // A deal is due after the wait for the first one (no first player yet)
  // and after a deal was scored with the game going on.
  if (netJoin_ != 2 || !s.DealActive || s.NetWaitDeal) return;
  if (s.Turn != 0 && s.Turn != TurnNextDeal) return;
  PlaceDeal(s, message.deal, s.NetRole);
  StartDeal(s, events_, random_, true);
  if (s.DealNo == 1) front_.ClearChat();
  front_.EnableChat(true);
}

void LanSession::ClientMove(const Message& message) {
  MatchState& s = state_;
  if (netJoin_ != 2 || !IsSeat(s.Turn)) return;
  // The host passes each move on with its mover's place; its own computer
  // player (the third place of a game with one client) moves as place 1.
  const int moverPlace = PlaceOfSeat(s.Turn, s.NetRole);
  const int sender = moverPlace == 3 && s.NetClients2 == 0 ? 1 : moverPlace;
  if (message.place != sender || !PeerMoveLegal(message.slot)) return;
  BeforeRemoteCard();
  PlayCard(s, events_, s.Turn, message.slot, false);
}

void LanSession::ClientContinue() {
  MatchState& s = state_;
  if (netJoin_ != 2 || !s.DealActive || s.Turn != TurnTrickComplete) return;
  BeforeRemoteCard();
  CollectTrick(s, events_, true);
}

void LanSession::OnHostLost() {
  if (netJoin_ == 0 || state_.NetRole == 1) return;
  driver_.runWhenIdle([this] {
    front_.EnableChat(false);
    const MatchState& s = state_;
    if (netJoin_ != 0 && s.DealActive && s.Turn != TurnGameOver) Broken(false);
  });
}

// ---------------------------------------------------------------------------
// Local acts

void LanSession::SendMove(int slot) {
  const std::string move = BuildMove(slot, state_.NetRole);
  if (state_.NetRole == 1) {
    SendFromHost(1, move);
  } else {
    link_.SendToHost(move);
  }
}

void LanSession::SendDeal(int firstPlayer) {
  if (state_.NetRole != 1) return;
  SendFromHost(1, BuildDeal(state_, firstPlayer));
  netJoin_ = 3;
  if (state_.DealNo == 1) front_.ClearChat();
  front_.EnableChat(true);
}

void LanSession::SendTrickCollected() {
  if (state_.NetRole == 1) SendFromHost(1, BuildContinue());
}

void LanSession::SendChat(const std::string& utf8Line) {
  if (utf8Line.empty() || netJoin_ == 0) return;
  const int place = state_.NetRole;
  if (place == 1) {
    SendFromHost(1, BuildChat(1, utf8Line));
  } else {
    link_.SendToHost(BuildChat(place, utf8Line));
  }
  front_.ShowChatLine(place, utf8Line);
}

}  // namespace tarvel::lan
