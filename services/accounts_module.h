// The account service: players' accounts with their passport, the game
// record of this game with the rating list, the public profiles, and the
// photo folder (read over HTTP here, written over FTP by the photo server,
// photo_ftp.h, which checks its logins through this module).
//
// Passwords are kept only as slow salted hashes. Every request that carries
// a password goes through one check that also counts failures per nick and
// per address: after a few, the nick or address is refused for a while, and
// the refusal says how long ("$+no wait$SECONDS$").
//
// Paths: POST "/account" (every account request, told apart by its fields),
// GET "/photos/NICK.jpg", and POST "/photo-login" for the photo server only
// (it proves itself with a key). The directory names "/account" under
// "AccPath" and "ftp://HOST:PORT/photos/" of the upload server under "FtpPath".
#pragma once

#include <QByteArray>
#include <QSqlQuery>

#include <cstdint>
#include <optional>
#include <string>

#include "login_throttle.h"
#include "password_hash.h"
#include "service_module.h"

namespace tarvel::services {

struct AccountOptions {
  QString photoFolder;  // the photos, nick + ".jpg"
  PasswordCost cost = PasswordCost::Interactive;
  // Shared with the photo server; its logins are refused while empty.
  QByteArray photoLoginKey;
};

class AccountsModule : public ServiceModule {
 public:
  explicit AccountsModule(AccountOptions options);

  QString Name() const override { return QStringLiteral("accounts"); }
  std::vector<QStringList> Migrations() const override;
  bool Open(QSqlDatabase& database) override;
  void AddRoutes(QHttpServer& server) override;
  std::vector<std::pair<QString, QString>> DirectoryKeys() const override;

  // The port of the photo upload server, published in the directory.
  void SetPhotoUploadPort(quint16 port) { photoUploadPort_ = port; }

  // The directory key "FtpPath": the photo folder on the upload server, for
  // a caller that reached the services at `host`. Nothing while no upload
  // server runs.
  std::optional<std::pair<QString, QString>> UploadKey(const QString& host) const;

 private:
  struct Login {
    std::int64_t account = 0;  // 0: refused
    std::string nick;          // as registered
    std::int64_t wait = 0;     // seconds, when refused for too many failures
  };

  std::optional<std::string> Answer(const FormFields& form, const std::string& address);
  std::optional<std::string> Register(const FormFields& form);
  std::optional<std::string> LogIn(const FormFields& form, const std::string& address);
  std::optional<std::string> ReadGame(const FormFields& form, const std::string& address);
  std::optional<std::string> WriteGame(const FormFields& form, const std::string& address);
  std::optional<std::string> Place(const FormFields& form);
  std::string RatingList();
  std::optional<std::string> ReadProfile(const FormFields& form);
  std::optional<std::string> SaveProfile(const FormFields& form, const std::string& address);
  std::optional<std::string> PhotoLogin(const FormFields& form);

  // The password check of every request that carries one.
  Login Check(const std::string& nick, const std::string& password, const std::string& address);
  struct Account {
    std::int64_t id = 0;
    std::string nick;  // as registered
    std::string hash;  // of the password
  };
  // The account of `nick`, in any case.
  std::optional<Account> Find(const std::string& nick);
  QHttpServerResponse Photo(const QString& name);

  AccountOptions options_;
  PasswordHasher hasher_;
  LoginThrottle nickThrottle_;
  LoginThrottle addressThrottle_;
  quint16 photoUploadPort_ = 0;
  QSqlQuery find_, rehash_, insert_, passport_, readGame_, writeGame_, place_, ranked_,
      count_, list_, readProfile_, writeProfile_;
};

}  // namespace tarvel::services
