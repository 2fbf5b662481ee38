// Limits guessing of account passwords. Every key (a nick, an address) may
// fail a few times freely; then it is refused for a while, and each failure
// after a refusal ended doubles the refusal, up to a day. Attempts during a
// refusal are not checked at all, so they cost the guesser time, not the
// server. A key that stays quiet long enough is forgotten. Plain C++, with
// the clock given by the caller.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace tarvel::services {

class LoginThrottle {
 public:
  struct Policy {
    int freeFailures;             // failures before the first refusal
    std::int64_t firstRefusal;    // seconds
    std::int64_t longestRefusal;  // seconds
    std::int64_t forgetAfter;     // seconds without a failure
  };

  explicit LoginThrottle(Policy policy) : policy_(policy) {}

  // Seconds that `key` must still wait; 0 when it may try now.
  std::int64_t Wait(const std::string& key, std::int64_t now) const;

  // Records a failed attempt of `key`; the wait that applies from now.
  std::int64_t Failed(const std::string& key, std::int64_t now);

  // A right password: `key` starts afresh.
  void Succeeded(const std::string& key) { entries_.erase(key); }

 private:
  struct Entry {
    int failures = 0;
    std::int64_t refusal = 0;       // length of the last refusal
    std::int64_t refusedUntil = 0;
    std::int64_t lastFailure = 0;
  };

  bool Forgotten(const Entry& entry, std::int64_t now) const;
  void Prune(std::int64_t now);

  Policy policy_;
  std::unordered_map<std::string, Entry> entries_;
};

}  // namespace tarvel::services
