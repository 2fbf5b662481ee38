#include "login_throttle.h"

#include <algorithm>

namespace tarvel::services {
namespace {

// Past this many keys, forgotten ones are dropped before a new one is added.
constexpr std::size_t kPruneAbove = 100000;

}  // namespace

bool LoginThrottle::Forgotten(const Entry& entry, std::int64_t now) const {
  return entry.refusedUntil <= now && now - entry.lastFailure >= policy_.forgetAfter;
}

std::int64_t LoginThrottle::Wait(const std::string& key, std::int64_t now) const {
  const auto found = entries_.find(key);
  if (found == entries_.end()) return 0;
  return std::max<std::int64_t>(found->second.refusedUntil - now, 0);
}

std::int64_t LoginThrottle::Failed(const std::string& key, std::int64_t now) {
  if (entries_.size() > kPruneAbove && entries_.count(key) == 0) Prune(now);
  Entry& entry = entries_[key];
  if (Forgotten(entry, now)) entry = Entry{};
  entry.lastFailure = now;
  if (++entry.failures >= policy_.freeFailures) {
    entry.refusal = entry.refusal == 0 ? policy_.firstRefusal
                                       : std::min(entry.refusal * 2, policy_.longestRefusal);
    entry.refusedUntil = now + entry.refusal;
  }
  return Wait(key, now);
}

void LoginThrottle::Prune(std::int64_t now) {
  std::erase_if(entries_, [&](const auto& item) { return Forgotten(item.second, now); });
}

}  // namespace tarvel::services
