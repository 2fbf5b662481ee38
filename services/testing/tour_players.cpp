#include "tour_players.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "engine/autoplay.h"
#include "engine/rules.h"

namespace tarvel::services {
namespace {

using tour::TourMessageKind;
using Clock = std::chrono::steady_clock;

}  // namespace

std::vector<std::string> ScriptedPlayer::OnMessage(const tour::TourMessage& m) {
  std::vector<std::string> out;
  if (over_) return out;
  switch (m.kind) {
    case TourMessageKind::Deal:
      game_.DealCards(m.deal, deals_ > 0);
      ++deals_;
      askedDeal_ = false;
      break;
    case TourMessageKind::Move:
      inStep_ = inStep_ && game_.Move(m.place, m.slot);
      break;
    case TourMessageKind::Continue:
      inStep_ = inStep_ && game_.Continue(m.place);
      break;
    case TourMessageKind::Chat:
      return out;
    case TourMessageKind::End:
    case TourMessageKind::Left:
    case TourMessageKind::TimedOut:
      over_ = true;
      ending_ = m.kind;
      endingPlace_ = m.place;
      return out;
    case TourMessageKind::MalformedDeal:
    case TourMessageKind::Oversize:
      over_ = true;
      inStep_ = false;
      return out;
  }
  Misbehave(out);
  Act(out);
  return out;
}

void ScriptedPlayer::Misbehave(std::vector<std::string>& out) {
  const MatchState& s = game_.State();
  const bool othersTurn = s.Turn >= 1 && s.Turn <= 3 && s.Turn != place_;
  if (misdeeds_.wrongPlaceDigit && !done_.wrongPlaceDigit && othersTurn) {
    done_.wrongPlaceDigit = true;
    ++misdeedsDone_;
    out.push_back(tour::BuildMoveFrame(1, s.Turn));  // posing as the place to play
  }
  if (misdeeds_.foreignContinue && !done_.foreignContinue && place_ != 1 && s.Turn == TurnTrickComplete) {
    done_.foreignContinue = true;
    ++misdeedsDone_;
    out.push_back(tour::BuildContinueFrame(place_));
  }
  if (misdeeds_.illegalCard && !done_.illegalCard && s.Turn == place_ && s.TrickPos >= 2) {
    for (int slot = 1; slot <= s.HandCount[static_cast<std::size_t>(place_)]; ++slot) {
      if (!IsIllegalCardOf(s, place_, slot)) continue;
      done_.illegalCard = true;
      ++misdeedsDone_;
      out.push_back(tour::BuildMoveFrame(slot, place_));
      break;
    }
  }
}

void ScriptedPlayer::Act(std::vector<std::string>& out) {
  for (;;) {
    if (misdeeds_.silentAfterActs >= 0 && acts_ >= misdeeds_.silentAfterActs) return;
    if (WantsToDrop()) return;
    const MatchState& s = game_.State();
    if (s.Turn == place_) {
      const int slot = ChooseComputerSlot(s, place_);
      if (!game_.Move(place_, slot)) {
        inStep_ = false;
        return;
      }
      out.push_back(tour::BuildMoveFrame(slot, place_));
      if (misdeeds_.outOfTurn && !done_.outOfTurn) {
        // Right behind its own card: the table waits for another place now.
        done_.outOfTurn = true;
        ++misdeedsDone_;
        out.push_back(tour::BuildMoveFrame(1, place_));
      }
    } else if (place_ == 1 && s.Turn == TurnTrickComplete) {
      game_.Continue(1);
      out.push_back(tour::BuildContinueFrame(1));
    } else if (place_ == 1 && s.Turn == TurnNextDeal && !askedDeal_) {
      // Asked once: the next deal arrives as a message.
      askedDeal_ = true;
      out.push_back(tour::BuildNextDealFrame(1));
    } else if (place_ == 1 && game_.GameOver() && !summed_) {
      summed_ = true;
      std::array<std::int32_t, 3> results = game_.Results();
      if (misdeeds_.forgedResults) {
        results = {results[0] + 200, results[1] - 100, results[2] - 100};
        ++misdeedsDone_;
      }
      out.push_back(tour::BuildResultsFrame({results[0], results[1], results[2]}, 1));
    } else {
      return;
    }
    ++acts_;
  }
}

FrameLink::FrameLink(int port) {
  fd_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd_ >= 0 && connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) Close();
  const int on = 1;
  if (fd_ >= 0) setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

FrameLink::~FrameLink() { Close(); }

void FrameLink::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

bool FrameLink::Send(std::string_view bytes) {
  while (fd_ >= 0 && !bytes.empty()) {
    const ssize_t sent = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return fd_ >= 0;
}

bool FrameLink::Receive() {
  char buffer[4096];
  const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
  if (got <= 0) return false;
  reader_.Append(std::string_view(buffer, static_cast<std::size_t>(got)));
  return true;
}

std::string TakePlaceBody(int table, int place, const std::string& nick, const std::string& city) {
  const std::string k = std::to_string(place);
  std::string body = "client3on" + k + "=0&gid=87&num=" + std::to_string(table) + "&can=1";
  body += "&nick" + k + "=" + nick;
  body += "&score" + k + "=0&kon" + k + "=0&rating" + k + "=0";
  body += "&country" + k + "=1-001&city" + k + "=" + city + "&sex" + k + "=M&ip" + k + "=127.0.0.1";
  return body;
}

TablesRun PlayTables(std::vector<ScriptedTable>& tables, int basePort, int limitMs) {
  TablesRun run;
  for (ScriptedTable& t : tables) {
    for (std::size_t i = 0; i < 3; ++i) {
      t.links[i] = std::make_unique<FrameLink>(basePort + t.table);
      t.links[i]->Send(tour::BuildConnectFrame(t.players[i]->Place()));
    }
  }
  const Clock::time_point start = Clock::now();
  const Clock::time_point deadline = start + std::chrono::milliseconds(limitMs);
  for (;;) {
    std::vector<pollfd> polls;
    std::vector<std::pair<ScriptedTable*, std::size_t>> owners;
    for (ScriptedTable& t : tables) {
      for (std::size_t i = 0; i < 3; ++i) {
        if (t.players[i]->Over() || !t.links[i]->Open()) continue;
        polls.push_back({t.links[i]->Descriptor(), POLLIN, 0});
        owners.emplace_back(&t, i);
      }
    }
    if (polls.empty()) {
      run.finished = true;
      break;
    }
    if (Clock::now() >= deadline) break;
    if (poll(polls.data(), polls.size(), 100) <= 0) continue;
    for (std::size_t n = 0; n < polls.size(); ++n) {
      if (polls[n].revents == 0) continue;
      ScriptedTable& t = *owners[n].first;
      ScriptedPlayer& player = *t.players[owners[n].second];
      FrameLink& link = *t.links[owners[n].second];
      const bool open = link.Receive();
      while (std::optional<tour::TourMessage> m = link.Next()) {
        const Clock::time_point now = Clock::now();
        if (m->kind == TourMessageKind::Move || m->kind == TourMessageKind::Continue) {
          ++run.relayed;
          run.latencyUs.push_back(std::chrono::duration<double, std::micro>(now - t.sentAt).count());
        }
        std::string frames;
        for (const std::string& frame : player.OnMessage(*m)) frames += frame;
        if (!frames.empty()) {
          t.sentAt = Clock::now();
          link.Send(frames);
        }
        if (player.WantsToDrop()) link.Close();
        if (!link.Open()) break;
      }
      if (!open) link.Close();
    }
  }
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return run;
}

}  // namespace tarvel::services
