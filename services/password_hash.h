// Account passwords at rest: a salted, memory-hard hash (Argon2id through
// libsodium's crypto_pwhash_str), never the password. The stored text holds
// the salt and the cost it was made with, so a later change of cost still
// verifies old hashes and renews them at the next login.
#pragma once

#include <string>
#include <string_view>

namespace tarvel::services {

enum class PasswordCost {
  Interactive,  // libsodium's interactive level (64 MiB, 2 passes): the default
  TestOnly,     // the library's minimum: only for test runs, never a real server
};

class PasswordHasher {
 public:
  explicit PasswordHasher(PasswordCost cost);

  // False when libsodium cannot start; nothing else works then.
  bool Ready() const { return ready_; }

  // The stored form of `password`; empty when hashing failed (out of memory).
  std::string Hash(std::string_view password) const;

  // True when `password` matches the stored `hash`.
  bool Verify(const std::string& hash, std::string_view password) const;

  // True when `hash` was made with another cost than this hasher's.
  bool NeedsRenewal(const std::string& hash) const;

  // Verifies `password` against a hash of no account, so that an unknown
  // nick costs as long as a known one.
  void VerifyNobody(std::string_view password);

 private:
  unsigned long long operations_;
  std::size_t memory_;
  bool ready_ = false;
  std::string nobody_;
};

}  // namespace tarvel::services
