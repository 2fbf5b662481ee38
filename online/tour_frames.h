// The frames of a tournament table, built and read as Windows-1251 bytes.
//
// A player's copy sends the table server frames of exactly 20 bytes: the
// text padded with '#', the last byte replaced by the sender's place digit.
// The server sends 20-byte frames too, except the deal, which is 140 bytes:
// "b", the 120 bytes of the deal's cards, '#' padding.
//
// TCP cuts the stream anywhere, so each side keeps what has arrived on a
// connection and takes whole frames by their length. Everything a peer
// sends is checked before it is returned.
//
// Plain C++, no Qt.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/match_state.h"
#include "lan/lan_messages.h"

namespace tarvel::tour {

inline constexpr std::size_t kFrameLength = 20;
inline constexpr std::size_t kDealFrameLength = 140;
// Text bytes of one chat frame: "s", the text, the place digit.
inline constexpr std::size_t kChatFrameText = kFrameLength - 2;
// A connection that holds more than this without a whole frame is broken.
inline constexpr std::size_t kMaxPending = 64 * 1024;

// ---------------------------------------------------------------------------
// Player -> table server

// `text` cut or padded with '#' to 20 bytes, byte 20 the digit of `place`.
std::string BuildTourFrame(std::string_view text, int place);
// A chat line (UTF-8) as "s" frames of at most kChatFrameText bytes of text
// each, cut between characters; nothing for an empty line.
std::vector<std::string> BuildChatFrames(std::string_view utf8Line, int place);
std::string BuildConnectFrame(int place);
std::string BuildMoveFrame(int slot, int place);
std::string BuildContinueFrame(int place);   // "hsl"
std::string BuildNextDealFrame(int place);   // "bnext"
std::string BuildLeaveFrame(int place);      // "disA"
std::string BuildTimeOutFrame(int place);    // "TOut"
// "o" and the results of places 1, 2, 3 (already x100), each at least five
// characters wide, right-aligned.
std::string BuildResultsFrame(const std::array<int, 3>& results, int place);

enum class ClientFrameKind {
  Connect,   // "connect" + place
  Chat,      // "s" + text
  Move,      // "h" + two-digit slot
  Continue,  // "hsl"
  NextDeal,  // "bnext"
  Results,   // "o" + three results
  Leave,     // "disA"
  TimeOut,   // "TOut"
  Unknown,   // anything else
};

struct ClientFrame {
  ClientFrameKind kind = ClientFrameKind::Unknown;
  int place = 0;  // byte 20 as a place 1..3, 0 when it is none
  int slot = 0;   // Move: 1..24
  int connectPlace = 0;  // Connect: the place asked for, 1..3
  std::array<int, 3> results{};  // Results: places 1, 2, 3
};

// One 20-byte frame of a player read and checked; Unknown when it is none
// of the known frames or a field is out of range.
ClientFrame ParseClientFrame(std::string_view frame);

// ---------------------------------------------------------------------------
// Table server -> player

// The deal: the cards of the state's deck, deck block b (positions
// 8b-7..8b) dealt to place b.
std::string BuildDealFrame(const MatchState& state);
std::string BuildEndFrame();                 // "e"
std::string BuildLeftFrame(int place);       // "aleft" + place
std::string BuildTimedOutFrame(int place);   // "TOut", place at byte 20

enum class TourMessageKind {
  Chat,       // line, place
  Deal,       // deal
  Move,       // slot, place
  Continue,   // place
  End,
  Left,       // place
  TimedOut,   // place
  MalformedDeal,  // a deal frame whose cards are wrong: the game cannot go on
  Oversize,       // more than kMaxPending bytes without a frame: a broken peer
};

struct TourMessage {
  TourMessageKind kind = TourMessageKind::End;
  int place = 0;
  int slot = 0;
  std::string line;    // Chat: UTF-8
  lan::DealData deal;  // Deal: deck, ranks, points (block b = place b)
};

// Whole frames out of what arrives from the table server.
class TourFrameReader {
 public:
  void Append(std::string_view bytes);
  // The next message. A frame with an unknown first byte or a bad field is
  // dropped; a malformed deal and an oversize buffer are returned as such
  // (the buffer is then emptied). Nothing while a frame is incomplete.
  std::optional<TourMessage> Next();

  std::size_t Pending() const { return buffer_.size() - begin_; }
  void Clear();

 private:
  std::string buffer_;
  std::size_t begin_ = 0;  // bytes before it are taken
  bool oversize_ = false;
};

// Whole 20-byte frames out of what arrives from one player.
class ClientFrameReader {
 public:
  // False when the connection holds more than kMaxPending bytes that have
  // not been taken: the peer floods and is dropped.
  bool Append(std::string_view bytes);
  // The next whole frame, nothing while it is incomplete.
  std::optional<std::string> Next();
  std::size_t Pending() const { return buffer_.size() - begin_; }

 private:
  std::string buffer_;
  std::size_t begin_ = 0;
};

}  // namespace tarvel::tour
