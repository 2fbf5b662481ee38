// Fuzz target of the network game: bytes from a peer, cut anywhere, read by
// the host's and the client's message readers, and thrown at the sessions of
// a game in progress. Properties: what a reader returns is well-formed and
// reads the same when built again; it never keeps more than a deal's bytes;
// and a game hit by the bytes keeps every card in exactly one place.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_cards.h"
#include "fuzz_check.h"
#include "lan/lan_messages.h"
#include "lan_table.h"

namespace {

using namespace tarvel;
using namespace tarvel::lan;

void CheckMessage(const Message& m) {
  switch (m.kind) {
    case MessageKind::Move:
      TARVEL_FUZZ_CHECK(m.slot >= 0 && m.slot <= 99 && m.place >= 1 && m.place <= 3);
      TARVEL_FUZZ_CHECK(BuildMove(m.slot, m.place) == m.bytes);
      break;
    case MessageKind::Deal: {
      std::array<bool, 25> seen{};
      for (std::size_t pos = 1; pos <= 24; ++pos) {
        const int number = DeckNumber(m.deal.deck[pos]);
        TARVEL_FUZZ_CHECK(number != 0 && !seen[static_cast<std::size_t>(number)]);
        seen[static_cast<std::size_t>(number)] = true;
        TARVEL_FUZZ_CHECK(m.deal.points[pos] == m.deal.deck[pos].Points());
      }
      TARVEL_FUZZ_CHECK(m.deal.firstPlayer >= 1 && m.deal.firstPlayer <= 3);
      break;
    }
    case MessageKind::Acceptance:
    case MessageKind::Roster:
      TARVEL_FUZZ_CHECK(m.bytes.size() == (m.kind == MessageKind::Roster ? kRosterLength : kAcceptanceLength));
      break;
    case MessageKind::Chat:
      TARVEL_FUZZ_CHECK(m.place >= 1 && m.place <= 3 && m.bytes.size() <= 2 + kMaxChatBytes);
      break;
    case MessageKind::Join:
      TARVEL_FUZZ_CHECK(m.bytes.size() == kJoinLength);
      break;
    case MessageKind::Continue:
    case MessageKind::Abort:
      break;
  }
}

void ReadCut(MessageReader::Side side, std::string_view bytes, std::size_t step) {
  MessageReader reader(side);
  for (std::size_t at = 0; at < bytes.size(); at += step) {
    reader.Append(bytes.substr(at, step));
    while (std::optional<Message> m = reader.Next()) CheckMessage(*m);
    TARVEL_FUZZ_CHECK(reader.Pending() < kDealLength);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const std::size_t step : {std::size_t{1}, std::size_t{3}, std::size_t{64}, input.size() + 1}) {
    ReadCut(MessageReader::Side::Host, input, step);
    ReadCut(MessageReader::Side::Client, input, step);
  }
  // A game with two clients, hit between moves by the bytes: from a joined
  // client, from a stranger, and as if from the host.
  lantest::Network net(2, lantest::Framing::Whole);
  net.OpenAndJoin();
  for (int round = 0; round < 400; ++round) {
    bool moved = net.Deliver();
    for (auto& copy : net.copies) moved |= copy->Act();
    if (round % 50 == 7) {
      net.Host().session.OnClientBytes(round % 2, input);
      net.Host().session.OnClientBytes(9, input);
      net.Client(round % 2).session.OnHostBytes(input);
    }
    for (auto& copy : net.copies) fuzz::CheckCards(copy->state);
    if (!moved) break;
  }
  return 0;
}
