#include "password_hash.h"

#include <sodium.h>

namespace tarvel::services {

PasswordHasher::PasswordHasher(PasswordCost cost)
    : operations_(cost == PasswordCost::Interactive ? crypto_pwhash_OPSLIMIT_INTERACTIVE
                                                    : crypto_pwhash_OPSLIMIT_MIN),
      memory_(cost == PasswordCost::Interactive ? crypto_pwhash_MEMLIMIT_INTERACTIVE
                                                : crypto_pwhash_MEMLIMIT_MIN),
      ready_(sodium_init() >= 0) {}

std::string PasswordHasher::Hash(std::string_view password) const {
  char stored[crypto_pwhash_STRBYTES];
  if (!ready_ || crypto_pwhash_str(stored, password.data(), password.size(), operations_,
                                   memory_) != 0)
    return {};
  return stored;
}

bool PasswordHasher::Verify(const std::string& hash, std::string_view password) const {
  return ready_ && !hash.empty() &&
         crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

bool PasswordHasher::NeedsRenewal(const std::string& hash) const {
  return crypto_pwhash_str_needs_rehash(hash.c_str(), operations_, memory_) != 0;
}

void PasswordHasher::VerifyNobody(std::string_view password) {
  if (nobody_.empty()) nobody_ = Hash("nobody");
  Verify(nobody_, password);
}

}  // namespace tarvel::services
