// Fuzz target of the tournament table frames: bytes from a peer, cut
// anywhere, read by a player's frame reader and by the table server's.
// Properties: every message is well-formed, a move rebuilt reads the same,
// and a reader never keeps a whole frame unread.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "online/tour_frames.h"

namespace {

using namespace tarvel;
using namespace tarvel::tour;

void CheckMessage(const TourMessage& m) {
  switch (m.kind) {
    case TourMessageKind::Move:
      TARVEL_FUZZ_CHECK(m.slot >= 1 && m.slot <= 24);
      [[fallthrough]];
    case TourMessageKind::Chat:
    case TourMessageKind::Continue:
    case TourMessageKind::Left:
    case TourMessageKind::TimedOut:
      TARVEL_FUZZ_CHECK(m.place >= 1 && m.place <= 3);
      break;
    case TourMessageKind::Deal: {
      // Deck numbers 1..24, each once, with the cards' own points.
      std::uint32_t numbers = 0;
      for (std::size_t pos = 1; pos <= 24; ++pos) {
        numbers |= 1u << DeckNumber(m.deal.deck[pos]);
        TARVEL_FUZZ_CHECK(m.deal.points[pos] == m.deal.deck[pos].Points());
      }
      TARVEL_FUZZ_CHECK(numbers == (1u << 25) - 2);
      break;
    }
    case TourMessageKind::End:
    case TourMessageKind::MalformedDeal:
    case TourMessageKind::Oversize:
      break;
  }
}

void ReadCut(std::string_view bytes, std::size_t step) {
  TourFrameReader player;
  ClientFrameReader server;
  for (std::size_t at = 0; at < bytes.size(); at += step) {
    const std::string_view piece = bytes.substr(at, step);
    player.Append(piece);
    while (std::optional<TourMessage> m = player.Next()) CheckMessage(*m);
    TARVEL_FUZZ_CHECK(player.Pending() < kDealFrameLength);
    if (!server.Append(piece)) return;
    while (std::optional<std::string> frame = server.Next()) {
      TARVEL_FUZZ_CHECK(frame->size() == kFrameLength);
      const ClientFrame f = ParseClientFrame(*frame);
      if (f.kind == ClientFrameKind::Move)
        TARVEL_FUZZ_CHECK(f.slot >= 1 && f.slot <= 24 && ParseClientFrame(BuildMoveFrame(f.slot, 1)).slot == f.slot);
      if (f.kind == ClientFrameKind::Connect) TARVEL_FUZZ_CHECK(f.connectPlace >= 1 && f.connectPlace <= 3);
    }
    TARVEL_FUZZ_CHECK(server.Pending() < kFrameLength);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadCut(bytes, bytes.size() + 1);
  ReadCut(bytes, 7);
  ReadCut(bytes, 1);
  return 0;
}
