// The messages of a network game, built and read as Windows-1251 bytes.
//
// One host and one or two clients play over TCP. Every copy numbers the
// players by its own seats (seat 3 is always the local player) and has a
// place: 1 for the host, 2 and 3 for the clients in the order they were
// accepted. Seats travel in the host's numbering and are translated here.
//
// Messages have no length prefix and no terminator. A MessageReader keeps what
// has arrived on one connection and takes complete messages by their known
// lengths; a chat line is the rest of what has arrived. Everything a peer
// sends is checked before it is returned: a malformed message is dropped and
// never reaches the game.
//
// Plain C++, no Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/match_state.h"

namespace tarvel::lan {

inline constexpr int kGameId = 87;
inline constexpr std::uint16_t kDefaultPort = 25666;

inline constexpr std::size_t kNameFieldLength = 6;
inline constexpr std::size_t kJoinLength = 21;        // "qor8725connect1" + name field
inline constexpr std::size_t kAcceptanceLength = 28;  // "connect2+" + place + 3 name fields
inline constexpr std::size_t kRosterLength = 27;      // "connect3+" + 3 name fields
inline constexpr std::size_t kDealLength = 124;
// The cards of a deal: 24 card codes, 24 rank orders, 24 two-digit points.
inline constexpr std::size_t kDealCardsLength = 120;
inline constexpr std::size_t kMoveLength = 4;         // moves and the continue message
inline constexpr std::size_t kAbortLength = 5;
// Longest chat line passed on, in bytes after the kind letter and the place
// digit. The table's box shows a dozen characters; the limit keeps a flood
// from being drawn, stored or relayed.
inline constexpr std::size_t kMaxChatBytes = 200;

// The name field of the computer player: "PC" and four blanks.
inline constexpr std::string_view kComputerNameField = "PC    ";

// Name fields of places 1, 2, 3 (index 0 = place 1), Windows-1251 bytes.
using PlaceNames = std::array<std::string, 3>;

// ---------------------------------------------------------------------------
// Places and seats

// The local seat of host seat `hostSeat` on the copy at `place`:
// ((hostSeat - place) mod 3) + 1. 0 when either is out of range.
int SeatOfHostSeat(int hostSeat, int place);
// The local seat of the player at `place` on the copy at `ownPlace`; 0 when
// either is out of range.
int SeatOfPlace(int place, int ownPlace);
// The place of local seat `seat` on the copy at `ownPlace`; 0 when out of range.
int PlaceOfSeat(int seat, int ownPlace);

// Which client connections of the host a message from `originPlace` goes
// to: connection 0 unless it came from place 2; connection 1 when two
// clients are connected (netClients2 >= 1) and it did not come from place 3.
struct HostRoute {
  bool connection0 = false;
  bool connection1 = false;
  bool operator==(const HostRoute&) const = default;
};
HostRoute RouteFromHost(int originPlace, int netClients2);

// ---------------------------------------------------------------------------
// Building

// The wire name field: the first six characters of a UTF-8 name in
// Windows-1251, padded with blanks.
std::string NameField(std::string_view utf8Name);

std::string BuildJoinRequest(std::string_view nameField);
// `place` is the new client's place, 2 or 3.
std::string BuildAcceptance(int place, const PlaceNames& names);
std::string BuildRoster(const PlaceNames& names);
// The deal of the host's state: deck, rank orders, card points, GameTo8, the
// first player (host seat) and the trump letter.
std::string BuildDeal(const MatchState& state, int firstPlayer);
// Appends the cards of the state's deck (kDealCardsLength bytes): card codes,
// rank orders and points of deck positions 1..24.
void AppendDealCards(std::string& out, const MatchState& state);
// "h" + slot (two digits) + the mover's place digit.
std::string BuildMove(int slot, int place);
std::string BuildContinue();
// "s" + place digit + the line (UTF-8 in, Windows-1251 out).
std::string BuildChat(int place, std::string_view utf8Line);
std::string BuildAbort();

// ---------------------------------------------------------------------------
// Reading

enum class MessageKind {
  Join,        // client -> host
  Acceptance,  // host -> joining client
  Roster,      // host -> place 2
  Deal,        // host -> clients
  Move,        // any -> host -> other client
  Continue,    // host -> clients
  Chat,        // any -> host -> other client
  Abort,       // host -> remaining client
};

// A deal as the host sent it: deck positions 1..24 (index 0 unused).
struct DealData {
  std::array<CardCode, 25> deck{};
  std::array<std::uint8_t, 25> ranks{};
  std::array<std::uint8_t, 25> points{};
  bool gameTo8 = false;
  int firstPlayer = 0;  // host seat 1..3
};

struct Message {
  MessageKind kind = MessageKind::Abort;
  std::string bytes;   // the message as it came, for relaying
  int place = 0;       // Acceptance: the client's place; Move, Chat: the sender's
  int slot = 0;        // Move: 1..24 (checked against the hand by the game)
  PlaceNames names;    // Join: names[0] the joining name; Acceptance, Roster: places 1..3
  std::string text;    // Chat: the line, UTF-8
  DealData deal;       // Deal
};

// The cards of a deal (kDealCardsLength bytes: 24 card codes, their rank
// orders, their two-digit points) read and checked: 24 different cards with
// the ranks and points that belong to them. Nothing when any of it is wrong;
// the convention and the first player stay at their defaults.
std::optional<DealData> ParseDealCards(std::string_view body);

// The deal message read and checked: 124 bytes, 24 different cards, rank
// orders and points that belong to the cards, a known convention letter and
// a first player 1..3. Nothing when any of it is wrong.
std::optional<DealData> ParseDeal(std::string_view bytes);

// Places the deal on the copy at `place`: the deck, the blocks of eight deck
// positions in the hands of the own seats, HandCount 8, the first player in
// Turn and the host's convention in GameTo8; the played-card log is emptied.
void PlaceDeal(MatchState& state, const DealData& deal, int place);

// Complete messages out of what arrives on one connection.
class MessageReader {
 public:
  // The host reads join requests, moves, chat and abort; a client reads
  // everything the host sends.
  enum class Side { Host, Client };
  explicit MessageReader(Side side) : side_(side) {}

  void Append(std::string_view bytes);
  // The next complete, well-formed message. Bytes that can begin no message
  // of this side are dropped with the rest of what has arrived, as an
  // unknown chunk would be; a malformed message of known length is dropped
  // alone. Nothing while a message is still incomplete.
  std::optional<Message> Next();

  // Bytes kept for an incomplete message; never more than a deal.
  std::size_t Pending() const { return buffer_.size() - begin_; }
  // Bytes dropped as malformed so far.
  std::size_t Dropped() const { return dropped_; }
  void Clear() {
    buffer_.clear();
    begin_ = 0;
  }

 private:
  // Wait: incomplete; Taken: `out` holds a message; Skipped: a malformed
  // message of known length was dropped; Unknown: nothing here begins a
  // message of this side.
  enum class Step { Wait, Taken, Skipped, Unknown };
  Step Skip(std::size_t count);
  Step TakeJoin(Message& out);
  Step TakeConnect(Message& out);
  Step TakeDeal(Message& out);
  Step TakeMove(Message& out);
  Step TakeChat(Message& out);
  Step TakeAbort(Message& out);
  std::string_view Rest() const { return std::string_view(buffer_).substr(begin_); }
  void Consume(std::size_t count);
  void Drop(std::size_t count);

  Side side_;
  // Bytes before begin_ are taken; they are given back at the next Append,
  // so that a flood of small messages costs no copying per message.
  std::string buffer_;
  std::size_t begin_ = 0;
  std::size_t dropped_ = 0;
};

}  // namespace tarvel::lan
