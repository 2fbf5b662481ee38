// The frames of a tournament table: what a player sends and how the table
// server reads it, what the server sends and how a player's reader takes it
// out of chunks cut anywhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/rules.h"
#include "tour_frames.h"

namespace tarvel::tour {
namespace {

MatchState Shuffled(std::uint64_t seed) {
  MatchState s;
  DeckRandom random(seed);
  ShuffleDeck(s, random);
  return s;
}

// Every message of `bytes`, given to the reader in two pieces cut at `cut`.
std::vector<TourMessage> ReadAll(const std::string& bytes, std::size_t cut) {
  TourFrameReader reader;
  std::vector<TourMessage> out;
  for (const std::string& piece : {bytes.substr(0, cut), bytes.substr(cut)}) {
    reader.Append(piece);
    while (std::optional<TourMessage> m = reader.Next()) out.push_back(*m);
  }
  return out;
}

std::string Hashes(std::size_t n) { return std::string(n, '#'); }

TEST(TourFrames, PlayerFramesAreTwentyBytes) {
  struct Row {
    std::string frame, expected;
  };
  const std::string longChat = "s" + std::string(25, 'x');
  for (const Row& row : {
           Row{BuildConnectFrame(2), "connect2" + Hashes(11) + "2"},
           Row{BuildMoveFrame(7, 3), "h07" + Hashes(16) + "3"},
           Row{BuildContinueFrame(1), "hsl" + Hashes(16) + "1"},
           Row{BuildNextDealFrame(1), "bnext" + Hashes(14) + "1"},
           Row{BuildLeaveFrame(2), "disA" + Hashes(15) + "2"},
           Row{BuildTimeOutFrame(3), "TOut" + Hashes(15) + "3"},
           Row{BuildResultsFrame({200, -100, -100}, 1), "o  200 -100 -100###1"},
           Row{BuildTourFrame(longChat, 2), longChat.substr(0, 19) + "2"},
       }) {
    EXPECT_EQ(row.frame, row.expected);
  }
}

TEST(TourFrames, LongChatLineGoesOutInPieces) {
  // 40 bytes of text: 18 + 18 + 4; a Cyrillic letter is one byte on the wire.
  const std::string line = std::string(17, 'a') + "\xD0\x96" + std::string(22, 'b');
  const std::vector<std::string> frames = BuildChatFrames(line, 2);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0], "s" + std::string(17, 'a') + "\xC6" + "2");
  EXPECT_EQ(frames[1], "s" + std::string(18, 'b') + "2");
  EXPECT_EQ(frames[2], "sbbbb" + Hashes(14) + "2");
  EXPECT_TRUE(BuildChatFrames("", 1).empty());

  // Read back by a player, the pieces give the line again.
  std::string joined;
  for (const std::string& f : frames) joined += f;
  std::string text;
  for (const TourMessage& m : ReadAll(joined, 7)) {
    EXPECT_EQ(m.kind, TourMessageKind::Chat);
    EXPECT_EQ(m.place, 2);
    text += m.line;
  }
  EXPECT_EQ(text, line);
}

TEST(TourFrames, ServerReadsPlayerFrames) {
  struct Row {
    std::string frame;
    ClientFrameKind kind;
    int place, slot, connectPlace;
  };
  using K = ClientFrameKind;
  for (const Row& row : {
           Row{BuildConnectFrame(3), K::Connect, 3, 0, 3},
           Row{"connect4" + Hashes(11) + "1", K::Unknown, 1, 0, 0},
           Row{"connect12" + Hashes(10) + "1", K::Unknown, 1, 0, 0},
           Row{BuildMoveFrame(24, 2), K::Move, 2, 24, 0},
           Row{BuildMoveFrame(25, 2), K::Unknown, 2, 0, 0},
           Row{BuildMoveFrame(0, 2), K::Unknown, 2, 0, 0},
           Row{"h1x" + Hashes(16) + "2", K::Unknown, 2, 0, 0},
           Row{"h123" + Hashes(15) + "2", K::Unknown, 2, 0, 0},
           Row{BuildContinueFrame(1), K::Continue, 1, 0, 0},
           Row{BuildNextDealFrame(1), K::NextDeal, 1, 0, 0},
           Row{BuildLeaveFrame(3), K::Leave, 3, 0, 0},
           Row{BuildTimeOutFrame(2), K::TimeOut, 2, 0, 0},
           Row{BuildChatFrames("hi", 1)[0], K::Chat, 1, 0, 0},
           Row{"x" + Hashes(18) + "1", K::Unknown, 1, 0, 0},
           Row{"disA" + Hashes(15) + "7", K::Leave, 0, 0, 0},
           Row{"o  200 -100 -1x0###1", K::Unknown, 1, 0, 0},
           Row{"o  200 -100 -100x##1", K::Unknown, 1, 0, 0},
           Row{"o  200 -100     ###1", K::Unknown, 1, 0, 0},
           Row{"short", K::Unknown, 0, 0, 0},
       }) {
    const ClientFrame f = ParseClientFrame(row.frame);
    EXPECT_EQ(f.kind, row.kind) << row.frame;
    EXPECT_EQ(f.place, row.place) << row.frame;
    EXPECT_EQ(f.slot, row.slot) << row.frame;
    EXPECT_EQ(f.connectPlace, row.connectPlace) << row.frame;
  }
  const ClientFrame results = ParseClientFrame(BuildResultsFrame({1600, -800, -800}, 1));
  EXPECT_EQ(results.kind, ClientFrameKind::Results);
  EXPECT_EQ(results.results, (std::array<int, 3>{1600, -800, -800}));
}

TEST(TourFrames, ServerFrames) {
  const MatchState s = Shuffled(7);
  const std::string deal = BuildDealFrame(s);
  ASSERT_EQ(deal.size(), kDealFrameLength);
  EXPECT_EQ(deal.substr(121), Hashes(19));
  EXPECT_EQ(BuildEndFrame(), "e" + Hashes(19));
  EXPECT_EQ(BuildLeftFrame(2), "aleft2" + Hashes(14));
  EXPECT_EQ(BuildTimedOutFrame(3), "TOut" + Hashes(15) + "3");
}

// Each case is read whole and cut at every byte: the same messages come out.
TEST(TourFrames, PlayerReaderTakesWholeFramesInOrder) {
  using K = TourMessageKind;
  const MatchState s = Shuffled(11);
  const std::string deal = BuildDealFrame(s);
  std::string badDeal = deal;
  badDeal[1] = badDeal[3];  // the second card twice
  badDeal[2] = badDeal[4];
  const std::string move = BuildMoveFrame(5, 2);
  const std::string chat19 = "s" + std::string(18, 'z') + "3";
  struct Row {
    const char* name;
    std::string bytes;
    std::vector<K> kinds;
  };
  for (const Row& row : {
           Row{"move then deal", move + deal, {K::Move, K::Deal}},
           Row{"deal then move", deal + move, {K::Deal, K::Move}},
           Row{"continue, end", BuildContinueFrame(1) + BuildEndFrame(), {K::Continue, K::End}},
           Row{"left, timed out", BuildLeftFrame(3) + BuildTimedOutFrame(1), {K::Left, K::TimedOut}},
           Row{"unknown dropped", "x" + Hashes(19) + move, {K::Move}},
           Row{"bad fields dropped",
               "h99" + Hashes(16) + "1" + "aleft9" + Hashes(14) + "s" + Hashes(18) + "0" + BuildEndFrame(),
               {K::End}},
           Row{"malformed deal", badDeal + move, {K::MalformedDeal, K::Move}},
           Row{"chat of 19 bytes", chat19, {K::Chat}},
       }) {
    for (std::size_t cut = 0; cut <= row.bytes.size(); ++cut) {
      const std::vector<TourMessage> got = ReadAll(row.bytes, cut);
      std::vector<K> kinds;
      for (const TourMessage& m : got) kinds.push_back(m.kind);
      ASSERT_EQ(kinds, row.kinds) << row.name << " cut at " << cut;
    }
  }

  const std::vector<TourMessage> got = ReadAll(move + deal + chat19 + BuildLeftFrame(2), 0);
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].slot, 5);
  EXPECT_EQ(got[0].place, 2);
  for (std::size_t pos = 1; pos <= 24; ++pos) {
    EXPECT_EQ(got[1].deal.deck[pos], s.Deck[pos]);
    EXPECT_EQ(got[1].deal.points[pos], s.DeckPoints[pos]);
  }
  EXPECT_EQ(got[2].line, std::string(18, 'z'));  // shown whole, without the place digit
  EXPECT_EQ(got[2].place, 3);
  EXPECT_EQ(got[3].place, 2);
}

TEST(TourFrames, OversizeAndSplitPlayerFrames) {
  TourFrameReader reader;
  reader.Append(std::string(kMaxPending + 1, 'b'));
  std::optional<TourMessage> m = reader.Next();
  ASSERT_TRUE(m);
  EXPECT_EQ(m->kind, TourMessageKind::Oversize);
  EXPECT_EQ(reader.Pending(), 0u);
  EXPECT_FALSE(reader.Next());

  ClientFrameReader server;
  const std::string frames = BuildMoveFrame(3, 1) + BuildContinueFrame(1);
  EXPECT_TRUE(server.Append(frames.substr(0, 13)));
  EXPECT_FALSE(server.Next());
  EXPECT_TRUE(server.Append(frames.substr(13)));
  EXPECT_EQ(server.Next(), BuildMoveFrame(3, 1));
  EXPECT_EQ(server.Next(), BuildContinueFrame(1));
  EXPECT_FALSE(server.Next());
  EXPECT_FALSE(server.Append(std::string(kMaxPending + 1, 'h')));
}

}  // namespace
}  // namespace tarvel::tour
