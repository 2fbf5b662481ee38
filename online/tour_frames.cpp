#include "tour_frames.h"

#include <algorithm>
#include <cstdio>

#include "cp1251.h"

namespace tarvel::tour {
namespace {

constexpr char kPad = '#';
constexpr std::string_view kConnect = "connect";
constexpr std::string_view kContinue = "hsl";
constexpr std::string_view kNextDeal = "bnext";
constexpr std::string_view kLeave = "disA";
constexpr std::string_view kTimeOut = "TOut";
constexpr std::string_view kLeft = "aleft";
// "o" and three results of five characters.
constexpr std::size_t kResultWidth = 5;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int DigitValue(char c) { return c - '0'; }
char Digit(int value) { return static_cast<char>('0' + ((value % 10) + 10) % 10); }

// A place digit, 0 when the byte is none.
int PlaceOf(char c) { return c >= '1' && c <= '3' ? DigitValue(c) : 0; }

// The part of a frame before its padding.
std::string_view Text(std::string_view frame) {
  return frame.substr(0, std::min(frame.find(kPad), frame.size()));
}

// True when bytes [from, to) of a frame are all padding.
bool Padded(std::string_view frame, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to && i < frame.size(); ++i)
    if (frame[i] != kPad) return false;
  return true;
}

std::string PaddedFrame(std::string_view text, std::size_t length) {
  std::string out(text.substr(0, length));
  out.resize(length, kPad);
  return out;
}

// A two-digit slot 1..24 at frame bytes 2..3; 0 when it is none.
int SlotAt(std::string_view frame) {
  if (frame.size() < 3 || !IsDigit(frame[1]) || !IsDigit(frame[2])) return 0;
  const int slot = DigitValue(frame[1]) * 10 + DigitValue(frame[2]);
  return slot >= 1 && slot <= 24 ? slot : 0;
}

// One result field: blanks, an optional minus, digits, nothing else.
std::optional<int> ReadResult(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  bool negative = false;
  if (i < field.size() && field[i] == '-') {
    negative = true;
    ++i;
  }
  if (i == field.size()) return std::nullopt;
  int value = 0;
  for (; i < field.size(); ++i) {
    if (!IsDigit(field[i])) return std::nullopt;
    value = value * 10 + DigitValue(field[i]);
  }
  return negative ? -value : value;
}

}  // namespace

std::string BuildTourFrame(std::string_view text, int place) {
  std::string out = PaddedFrame(text, kFrameLength);
  out[kFrameLength - 1] = Digit(place);
  return out;
}

std::vector<std::string> BuildChatFrames(std::string_view utf8Line, int place) {
  const std::string bytes = Utf8ToCp1251(utf8Line);
  std::vector<std::string> frames;
  for (std::size_t at = 0; at < bytes.size(); at += kChatFrameText) {
    std::string text = "s";
    text += std::string_view(bytes).substr(at, kChatFrameText);
    frames.push_back(BuildTourFrame(text, place));
  }
  return frames;
}

std::string BuildConnectFrame(int place) {
  std::string text(kConnect);
  text += Digit(place);
  return BuildTourFrame(text, place);
}

std::string BuildMoveFrame(int slot, int place) {
  std::string text = "h";
  text += Digit(slot / 10);
  text += Digit(slot);
  return BuildTourFrame(text, place);
}

std::string BuildContinueFrame(int place) { return BuildTourFrame(kContinue, place); }
std::string BuildNextDealFrame(int place) { return BuildTourFrame(kNextDeal, place); }
std::string BuildLeaveFrame(int place) { return BuildTourFrame(kLeave, place); }
std::string BuildTimeOutFrame(int place) { return BuildTourFrame(kTimeOut, place); }

std::string BuildResultsFrame(const std::array<int, 3>& results, int place) {
  std::string text = "o";
  for (const int result : results) {
    char field[16];
    std::snprintf(field, sizeof field, "%5d", result);
    text += field;
  }
  return BuildTourFrame(text, place);
}

ClientFrame ParseClientFrame(std::string_view frame) {
  ClientFrame out;
  if (frame.size() != kFrameLength) return out;
  out.place = PlaceOf(frame[kFrameLength - 1]);
  const std::string_view body = frame.substr(0, kFrameLength - 1);
  const std::string_view text = Text(body);
  switch (frame[0]) {
    case 'c':
      if (text.size() == kConnect.size() + 1 && text.substr(0, kConnect.size()) == kConnect &&
          PlaceOf(text.back()) != 0) {
        out.kind = ClientFrameKind::Connect;
        out.connectPlace = PlaceOf(text.back());
      }
      break;
    case 's':
      out.kind = ClientFrameKind::Chat;
      break;
    case 'h':
      if (text == kContinue) {
        out.kind = ClientFrameKind::Continue;
      } else if (text.size() == 3 && SlotAt(text) != 0) {
        out.kind = ClientFrameKind::Move;
        out.slot = SlotAt(text);
      }
      break;
    case 'b':
      if (text == kNextDeal) out.kind = ClientFrameKind::NextDeal;
      break;
    case 'd':
      if (text == kLeave) out.kind = ClientFrameKind::Leave;
      break;
    case 'T':
      if (text == kTimeOut) out.kind = ClientFrameKind::TimeOut;
      break;
    case 'o': {
      const std::size_t end = 1 + 3 * kResultWidth;
      if (!Padded(body, end, body.size())) break;
      bool ok = true;
      for (std::size_t i = 0; i < 3 && ok; ++i) {
        const std::optional<int> value = ReadResult(body.substr(1 + i * kResultWidth, kResultWidth));
        ok = value.has_value();
        if (ok) out.results[i] = *value;
      }
      if (ok) out.kind = ClientFrameKind::Results;
      break;
    }
    default:
      break;
  }
  return out;
}

std::string BuildDealFrame(const MatchState& state) {
  std::string out = "b";
  lan::AppendDealCards(out, state);
  return PaddedFrame(out, kDealFrameLength);
}

std::string BuildEndFrame() { return PaddedFrame("e", kFrameLength); }

std::string BuildLeftFrame(int place) {
  std::string text(kLeft);
  text += Digit(place);
  return PaddedFrame(text, kFrameLength);
}

std::string BuildTimedOutFrame(int place) {
  std::string out = PaddedFrame(kTimeOut, kFrameLength);
  out[kFrameLength - 1] = Digit(place);
  return out;
}

// ---------------------------------------------------------------------------
// TourFrameReader

void TourFrameReader::Append(std::string_view bytes) {
  buffer_.erase(0, begin_);
  begin_ = 0;
  buffer_.append(bytes);
  if (buffer_.size() > kMaxPending) oversize_ = true;
}

void TourFrameReader::Clear() {
  buffer_.clear();
  begin_ = 0;
  oversize_ = false;
}

std::optional<TourMessage> TourFrameReader::Next() {
  if (oversize_) {
    Clear();
    TourMessage message;
    message.kind = TourMessageKind::Oversize;
    return message;
  }
  while (Pending() > 0) {
    const std::string_view rest = std::string_view(buffer_).substr(begin_);
    const bool deal = rest[0] == 'b';
    const std::size_t length = deal ? kDealFrameLength : kFrameLength;
    if (rest.size() < length) return std::nullopt;
    const std::string_view frame = rest.substr(0, length);
    begin_ += length;

    TourMessage message;
    message.place = PlaceOf(frame[kFrameLength - 1]);
    const std::string_view text = Text(frame.substr(0, kFrameLength - 1));
    switch (frame[0]) {
      case 'b': {
        std::optional<lan::DealData> cards =
            lan::ParseDealCards(frame.substr(1, lan::kDealCardsLength));
        message.kind = cards ? TourMessageKind::Deal : TourMessageKind::MalformedDeal;
        if (cards) message.deal = *cards;
        return message;
      }
      case 's':
        if (message.place == 0) break;
        message.kind = TourMessageKind::Chat;
        message.line = Cp1251ToUtf8(text.substr(1));
        return message;
      case 'h':
        if (message.place == 0) break;
        if (text == kContinue) {
          message.kind = TourMessageKind::Continue;
          return message;
        }
        if (text.size() != 3 || SlotAt(text) == 0) break;
        message.kind = TourMessageKind::Move;
        message.slot = SlotAt(text);
        return message;
      case 'e':
        message.kind = TourMessageKind::End;
        message.place = 0;
        return message;
      case 'a':
        if (frame.substr(0, kLeft.size()) != kLeft || PlaceOf(frame[kLeft.size()]) == 0) break;
        message.kind = TourMessageKind::Left;
        message.place = PlaceOf(frame[kLeft.size()]);
        return message;
      case 'T':
        if (text != kTimeOut || message.place == 0) break;
        message.kind = TourMessageKind::TimedOut;
        return message;
      default:
        break;
    }
    // An unknown or damaged frame is dropped alone; the next one follows.
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------
// ClientFrameReader

bool ClientFrameReader::Append(std::string_view bytes) {
  buffer_.erase(0, begin_);
  begin_ = 0;
  if (buffer_.size() + bytes.size() > kMaxPending) return false;
  buffer_.append(bytes);
  return true;
}

std::optional<std::string> ClientFrameReader::Next() {
  if (Pending() < kFrameLength) return std::nullopt;
  std::string frame = buffer_.substr(begin_, kFrameLength);
  begin_ += kFrameLength;
  return frame;
}

}  // namespace tarvel::tour
