#include "lan/lan_messages.h"

#include <algorithm>

#include "settings/cp1251.h"

namespace tarvel::lan {
namespace {

constexpr std::string_view kJoinHead = "qor8725connect1";
constexpr std::string_view kAcceptanceHead = "connect2";
constexpr std::string_view kRosterHead = "connect3";
constexpr std::string_view kAbort = "abort";
constexpr std::string_view kContinue = "hsl1";
constexpr std::uint8_t kGameTo8On = 0xC8;   // "И"
constexpr std::uint8_t kGameTo8Off = 0xCB;  // "Л"

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }

bool IsPlace(int place) { return place >= 1 && place <= 3; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) { return c - '0'; }

std::uint8_t Byte(char c) { return static_cast<std::uint8_t>(c); }

char Digit(int value) { return static_cast<char>('0' + value % 10); }

void AppendTwoDigits(std::string& out, int value) {
  out += Digit(value / 10);
  out += Digit(value);
}

// True while `bytes` can still become `head` (or already begins with it).
bool MayBecome(std::string_view bytes, std::string_view head) {
  const std::size_t n = std::min(bytes.size(), head.size());
  return bytes.substr(0, n) == head.substr(0, n);
}

std::string NamesText(const PlaceNames& names) {
  std::string out;
  for (const std::string& name : names) {
    std::string field = name.substr(0, kNameFieldLength);
    field.resize(kNameFieldLength, ' ');
    out += field;
  }
  return out;
}

PlaceNames ReadNames(std::string_view bytes) {
  PlaceNames names;
  for (std::size_t i = 0; i < names.size(); ++i)
    names[i] = Cp1251ToUtf8(bytes.substr(i * kNameFieldLength, kNameFieldLength));
  return names;
}

}  // namespace

int SeatOfHostSeat(int hostSeat, int place) {
  if (!IsPlace(hostSeat) || !IsPlace(place)) return 0;
  return ((hostSeat - place) % 3 + 3) % 3 + 1;
}

int SeatOfPlace(int place, int ownPlace) {
  if (!IsPlace(place)) return 0;
  // The host sees place 2 as seat 1, place 3 as seat 2, itself as seat 3.
  const int hostSeat = (place + 1) % 3 + 1;
  return SeatOfHostSeat(hostSeat, ownPlace);
}

int PlaceOfSeat(int seat, int ownPlace) {
  if (!IsPlace(seat) || !IsPlace(ownPlace)) return 0;
  return (ownPlace - 1 + seat) % 3 + 1;
}

HostRoute RouteFromHost(int originPlace, int netClients2) {
  return HostRoute{originPlace != 2, netClients2 >= 1 && originPlace != 3};
}

std::string NameField(std::string_view utf8Name) {
  std::string field = Utf8ToCp1251(utf8Name).substr(0, kNameFieldLength);
  field.resize(kNameFieldLength, ' ');
  return field;
}

std::string BuildJoinRequest(std::string_view nameField) {
  std::string out(kJoinHead);
  out += NamesText({std::string(nameField), {}, {}}).substr(0, kNameFieldLength);
  return out;
}

std::string BuildAcceptance(int place, const PlaceNames& names) {
  std::string out(kAcceptanceHead);
  out += '+';
  out += Digit(place);
  return out + NamesText(names);
}

std::string BuildRoster(const PlaceNames& names) {
  std::string out(kRosterHead);
  out += '+';
  return out + NamesText(names);
}

void AppendDealCards(std::string& out, const MatchState& s) {
  for (std::size_t pos = 1; pos <= 24; ++pos) {
    out += static_cast<char>(s.Deck[pos].rank);
    out += static_cast<char>(s.Deck[pos].suit);
  }
  for (std::size_t pos = 1; pos <= 24; ++pos) out += Digit(s.DeckRanks[pos]);
  for (std::size_t pos = 1; pos <= 24; ++pos) AppendTwoDigits(out, s.DeckPoints[pos]);
}

std::string BuildDeal(const MatchState& s, int firstPlayer) {
  std::string out;
  out.reserve(kDealLength);
  out += 'b';
  AppendDealCards(out, s);
  out += static_cast<char>(s.GameTo8 ? kGameTo8On : kGameTo8Off);
  out += Digit(firstPlayer);
  out += static_cast<char>(s.Trump);
  return out;
}

std::string BuildMove(int slot, int place) {
  std::string out = "h";
  AppendTwoDigits(out, slot);
  out += Digit(place);
  return out;
}

std::string BuildContinue() { return std::string(kContinue); }

std::string BuildChat(int place, std::string_view utf8Line) {
  std::string out = "s";
  out += Digit(place);
  return out + Utf8ToCp1251(utf8Line);
}

std::string BuildAbort() { return std::string(kAbort); }

std::optional<DealData> ParseDealCards(std::string_view body) {
  if (body.size() != kDealCardsLength) return std::nullopt;
  DealData deal;
  std::array<bool, 25> seen{};
  for (std::size_t pos = 1; pos <= 24; ++pos) {
    const CardCode card{Byte(body[2 * pos - 2]), Byte(body[2 * pos - 1])};
    const char rank = body[48 + pos - 1];
    const char tens = body[72 + 2 * (pos - 1)];
    const char ones = body[73 + 2 * (pos - 1)];
    const int number = DeckNumber(card);
    if (number == 0 || seen[At(number)] || !IsDigit(rank) || !IsDigit(tens) || !IsDigit(ones))
      return std::nullopt;
    seen[At(number)] = true;
    const int points = DigitValue(tens) * 10 + DigitValue(ones);
    if (DigitValue(rank) != card.Order() || points != card.Points()) return std::nullopt;
    deal.deck[pos] = card;
    deal.ranks[pos] = card.Order();
    deal.points[pos] = card.Points();
  }
  return deal;
}

std::optional<DealData> ParseDeal(std::string_view bytes) {
  if (bytes.size() != kDealLength || bytes[0] != 'b') return std::nullopt;
  std::optional<DealData> deal = ParseDealCards(bytes.substr(1, kDealCardsLength));
  if (!deal) return std::nullopt;
  const std::uint8_t convention = Byte(bytes[121]);
  if (convention != kGameTo8On && convention != kGameTo8Off) return std::nullopt;
  deal->gameTo8 = convention == kGameTo8On;
  const char first = bytes[122];
  if (first < '1' || first > '3') return std::nullopt;
  deal->firstPlayer = DigitValue(first);
  return deal;
}

void PlaceDeal(MatchState& s, const DealData& deal, int place) {
  for (std::size_t pos = 1; pos <= 24; ++pos) {
    s.Deck[pos] = deal.deck[pos];
    s.DeckRanks[pos] = deal.ranks[pos];
    s.DeckPoints[pos] = deal.points[pos];
  }
  s.GameTo8 = deal.gameTo8;
  s.Turn = static_cast<std::uint8_t>(SeatOfHostSeat(deal.firstPlayer, place));
  // The cards of the last deal leave the log as they come back into the
  // hands: a card is in one place only, and the computer player (which may
  // stand in for the local player) reads the whole log.
  s.PlayedLog.fill(NoCard);
  for (int block = 1; block <= 3; ++block) {
    const std::size_t seat = At(SeatOfHostSeat(block, place));
    for (int slot = 1; slot <= 8; ++slot) {
      const std::size_t pos = At((block - 1) * 8 + slot);
      s.Hands[seat][At(slot)] = deal.deck[pos];
      s.HandRanks[seat][At(slot)] = deal.ranks[pos];
      s.HandPoints[seat][At(slot)] = deal.points[pos];
    }
    for (int slot = 9; slot <= 24; ++slot) {
      s.Hands[seat][At(slot)] = NoCard;
      s.HandRanks[seat][At(slot)] = EmptyValue;
      s.HandPoints[seat][At(slot)] = EmptyValue;
    }
    s.HandCount[seat] = 8;
  }
}

// ---------------------------------------------------------------------------
// MessageReader

void MessageReader::Append(std::string_view bytes) {
  // What was taken is given back before more arrives, so the buffer never
  // holds more than one incomplete message and the new bytes.
  buffer_.erase(0, begin_);
  begin_ = 0;
  buffer_.append(bytes);
}

void MessageReader::Consume(std::size_t count) { begin_ += std::min(count, Pending()); }

void MessageReader::Drop(std::size_t count) {
  count = std::min(count, Pending());
  begin_ += count;
  dropped_ += count;
}

std::optional<Message> MessageReader::Next() {
  while (Pending() > 0) {
    Message message;
    const bool host = side_ == Side::Host;
    Step step = Step::Unknown;
    switch (Rest()[0]) {
      case 'q': if (host) step = TakeJoin(message); break;
      case 'c': if (!host) step = TakeConnect(message); break;
      case 'b': if (!host) step = TakeDeal(message); break;
      case 'h': step = TakeMove(message); break;
      case 's': step = TakeChat(message); break;
      case 'a': step = TakeAbort(message); break;
      default: break;
    }
    if (step == Step::Wait) return std::nullopt;
    if (step == Step::Taken) return message;
    // A byte that begins no message of this side leaves nothing to find the
    // next message by: the rest of what has arrived goes with it.
    if (step == Step::Unknown) Drop(Pending());
  }
  return std::nullopt;
}

MessageReader::Step MessageReader::Skip(std::size_t count) {
  Drop(count);
  return Step::Skipped;
}

MessageReader::Step MessageReader::TakeJoin(Message& out) {
  const std::string_view rest = Rest();
  if (!MayBecome(rest, kJoinHead)) return Step::Unknown;
  if (rest.size() < kJoinLength) return Step::Wait;
  // The name field is the rest of the request and must be six characters;
  // a client sends nothing else before it is accepted.
  if (rest.size() > kJoinLength) return Step::Unknown;
  out.kind = MessageKind::Join;
  out.bytes = std::string(rest);
  out.names[0] = Cp1251ToUtf8(rest.substr(kJoinHead.size()));
  Consume(rest.size());
  return Step::Taken;
}

MessageReader::Step MessageReader::TakeConnect(Message& out) {
  const std::string_view rest = Rest();
  const bool acceptance = MayBecome(rest, kAcceptanceHead);
  if (!acceptance && !MayBecome(rest, kRosterHead)) return Step::Unknown;
  if (rest.size() < kAcceptanceHead.size()) return Step::Wait;
  const std::size_t length = acceptance ? kAcceptanceLength : kRosterLength;
  if (rest.size() < length) return Step::Wait;
  const std::string_view bytes = rest.substr(0, length);
  if (acceptance) {
    if (bytes[9] != '2' && bytes[9] != '3') return Skip(length);
    out.place = DigitValue(bytes[9]);
  }
  out.kind = acceptance ? MessageKind::Acceptance : MessageKind::Roster;
  out.names = ReadNames(bytes.substr(length - 3 * kNameFieldLength));
  out.bytes = std::string(bytes);
  Consume(length);
  return Step::Taken;
}

MessageReader::Step MessageReader::TakeDeal(Message& out) {
  const std::string_view rest = Rest();
  if (rest.size() < kDealLength) return Step::Wait;
  std::optional<DealData> deal = ParseDeal(rest.substr(0, kDealLength));
  if (!deal) return Skip(kDealLength);
  out.kind = MessageKind::Deal;
  out.deal = *deal;
  out.bytes = std::string(rest.substr(0, kDealLength));
  Consume(kDealLength);
  return Step::Taken;
}

MessageReader::Step MessageReader::TakeMove(Message& out) {
  const std::string_view rest = Rest();
  if (rest.size() < kMoveLength) return Step::Wait;
  const std::string_view bytes = rest.substr(0, kMoveLength);
  if (bytes.substr(1, 2) == "sl") {
    // Only the host collects tricks on its own: it never receives this.
    if (side_ == Side::Host) return Skip(kMoveLength);
    out.kind = MessageKind::Continue;
  } else {
    if (!IsDigit(bytes[1]) || !IsDigit(bytes[2]) || bytes[3] < '1' || bytes[3] > '3')
      return Skip(kMoveLength);
    out.kind = MessageKind::Move;
    out.slot = DigitValue(bytes[1]) * 10 + DigitValue(bytes[2]);
    out.place = DigitValue(bytes[3]);
  }
  out.bytes = std::string(bytes);
  Consume(kMoveLength);
  return Step::Taken;
}

MessageReader::Step MessageReader::TakeChat(Message& out) {
  const std::string_view rest = Rest();
  if (rest.size() < 2) return Step::Wait;
  if (rest[1] < '1' || rest[1] > '3') return Step::Unknown;
  const std::size_t length = std::min(rest.size(), 2 + kMaxChatBytes);
  out.kind = MessageKind::Chat;
  out.place = DigitValue(rest[1]);
  out.bytes = std::string(rest.substr(0, length));
  out.text = Cp1251ToUtf8(std::string_view(out.bytes).substr(2));
  Consume(length);
  Drop(Pending());  // a line longer than the limit loses its tail
  return Step::Taken;
}

MessageReader::Step MessageReader::TakeAbort(Message& out) {
  const std::string_view rest = Rest();
  if (!MayBecome(rest, kAbort)) return Step::Unknown;
  if (rest.size() < kAbortLength) return Step::Wait;
  out.kind = MessageKind::Abort;
  out.bytes = std::string(kAbort);
  Consume(kAbortLength);
  return Step::Taken;
}

}  // namespace tarvel::lan
