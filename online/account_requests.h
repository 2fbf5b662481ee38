// The requests of the account service: registration, login, the game record
// and its rating list, the profile, and the photo (read over HTTP, written
// over FTP with the account's own login). Each returns its failure flag (no
// connection, time-out, HTTP error status, a reply that does not parse) and
// leaves the caller's data at the defaults it wrote before sending.
#pragma once

#include <cstdint>
#include <string>

#include "account_records.h"
#include "service_requests.h"

namespace tarvel {

class AccountRequests {
 public:
  explicit AccountRequests(ServiceRequests& requests) : requests_(requests) {}

  // 0 created, 1 the nick exists, 2 not created (also on failure).
  int Register(const TQorUser& user);
  // Nick and Pw of `user` are sent; the passport fields come back. False when
  // refused or failed.
  bool Login(TQorUser& user);
  bool ReadGame(const TQorUser& user, TQorGame& game);
  // False when failed or not accepted ("ok" missing).
  bool WriteGame(const TQorUser& user, const TQorGame& game);
  // The place by rating, -1 when none.
  bool ReadPlace(double rating, std::int32_t& place);
  bool ReadAccountCount(std::int32_t& count);
  bool ReadRatingList(AccountTopTen& rows);
  // False when failed or the account has no profile.
  bool ReadProfile(const std::string& nick, TInfo14& info);
  // Sends the nick, the password ("pw=", which the services require) and
  // `user.Info`.
  bool SaveProfile(const TQorUser& user);
  // The JPEG bytes of an account's photo; `jpeg` is left alone on failure.
  bool ReadPhoto(const std::string& nick, std::string& jpeg);
  // Stores `jpeg` as the account's photo, logged in with its nick and password.
  bool UploadPhoto(const TQorUser& user, const std::string& jpeg);

 private:
  ServiceRequests& requests_;
};

// The file name of an account's photo: the nick and ".jpg". Empty for a nick
// that could leave the photo folder.
std::string PhotoFileName(const std::string& nick);

}  // namespace tarvel
