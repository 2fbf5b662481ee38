#include "accounts_module.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QVariant>

#include <sodium.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tarvel::services {
namespace {

using Status = QHttpServerResponse::StatusCode;

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
// The game's tag in front of its field names.
constexpr std::string_view kGameTag = "crdmzk";
constexpr std::size_t kMaxPassword = 64;
constexpr std::size_t kMinNewPassword = 4;
constexpr double kMaxRating = 1e7;
constexpr int kGamesPerCycle = 30;
constexpr std::size_t kMaxProfileLine = 200;
constexpr std::size_t kMaxAbout = 1000;

// A nick may fail four times; the fifth failure refuses it for 30 s.
constexpr LoginThrottle::Policy kNickPolicy{5, 30, 24 * 3600, 3600};
// An address may try more nicks before it is held up (players behind one
// router share it).
constexpr LoginThrottle::Policy kAddressPolicy{20, 30, 24 * 3600, 3600};

// The profile's fields in reply order, with their names in the save request.
constexpr std::array<std::string_view, 14> kProfileFields = {
    "namei",  "name2", "about", "telephone", "emailo",   "website",    "skype",
    "ok",     "vk",    "telegram", "facebook", "twitter", "instagramm", "youtube"};

std::string Tagged(std::string_view name) { return std::string(kGameTag) + std::string(name); }

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const QVariant& value) { return value.toByteArray().toStdString(); }

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The field names of a request, in the order FormFields::Shape gives them.
std::string ShapeOf(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  std::string shape;
  for (const std::string& name : names) shape += (shape.empty() ? "" : ",") + name;
  return shape;
}

// A nick of an account: 2..12 characters of the name alphabet without
// Cyrillic letters (it names the photo file too).
std::optional<std::string> AccountNick(const std::string& nick) {
  if (nick.size() < 2 || nick.size() > 12) return std::nullopt;
  for (const char c : nick) {
    const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                         std::string_view("!(),-.@_").find(c) != std::string_view::npos;
    if (!allowed) return std::nullopt;
  }
  return nick;
}

std::optional<std::string> NickField(const FormFields& form) {
  const std::optional<std::string> nick = form.Text("nick", 12);
  return nick ? AccountNick(*nick) : std::nullopt;
}

// A rating as sent: decimal with '.' (',' accepted), an exponent allowed.
std::optional<double> ParseRating(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  if (!text.empty() && text.front() == '+') text.erase(0, 1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
      !std::isfinite(value) || std::fabs(value) > kMaxRating)
    return std::nullopt;
  return value;
}

// The shortest decimal that reads back as `rating`, never with an exponent.
std::string FormatRating(double rating) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, rating,
                                          std::chars_format::fixed);
  return error == std::errc{} ? std::string(buffer, end) : std::string("0");
}

// A line of a profile inside the '~'-separated record.
std::string ProfileField(std::string value) {
  for (char& c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '~' || c == '$') c = '_';
  }
  return value;
}

std::string Refusal(std::int64_t wait) {
  if (wait <= 0) return std::string(kRefused);
  std::string reply = "$+no wait";
  reply += NumberReply(wait);
  return reply;
}

}  // namespace

AccountsModule::AccountsModule(AccountOptions options)
    : options_(std::move(options)),
      hasher_(options_.cost),
      nickThrottle_(kNickPolicy),
      addressThrottle_(kAddressPolicy) {}

std::vector<QStringList> AccountsModule::Migrations() const {
  QString profileColumns;
  for (const std::string_view field : kProfileFields)
    profileColumns += QStringLiteral(", %1 BLOB NOT NULL").arg(QString::fromLatin1(field));
  return {{
      QStringLiteral("CREATE TABLE accounts ("
                     "id INTEGER PRIMARY KEY AUTOINCREMENT, nick TEXT NOT NULL, "
                     "nick_key TEXT NOT NULL UNIQUE, pw_hash TEXT NOT NULL, city BLOB NOT NULL, "
                     "country1 BLOB NOT NULL, country2 TEXT NOT NULL, sex TEXT NOT NULL, "
                     "email BLOB NOT NULL, dater BLOB NOT NULL, r01 BLOB NOT NULL, "
                     "r02 BLOB NOT NULL, r03 BLOB NOT NULL, r04 INTEGER NOT NULL, "
                     "r05 INTEGER NOT NULL, r06 INTEGER NOT NULL, created INTEGER NOT NULL)"),
      QStringLiteral("CREATE TABLE account_games ("
                     "account INTEGER PRIMARY KEY REFERENCES accounts (id), kon INTEGER NOT NULL, "
                     "best INTEGER NOT NULL, rating REAL NOT NULL, sessions INTEGER NOT NULL, "
                     "konl INTEGER NOT NULL, score INTEGER NOT NULL, r1 INTEGER NOT NULL, "
                     "r2 BLOB NOT NULL, updated INTEGER NOT NULL)"),
      QStringLiteral("CREATE INDEX account_games_rating ON account_games (rating DESC)"),
      QStringLiteral("CREATE TABLE account_profiles ("
                     "account INTEGER PRIMARY KEY REFERENCES accounts (id)") +
          profileColumns + QStringLiteral(", updated INTEGER NOT NULL)"),
  }};
}

bool AccountsModule::Open(QSqlDatabase& database) {
  for (QSqlQuery* query : {&find_, &rehash_, &insert_, &passport_, &readGame_, &writeGame_,
                           &place_, &ranked_, &count_, &list_, &readProfile_, &writeProfile_})
    *query = QSqlQuery(database);
  QString profileNames, profileMarks, profileUpdates;
  for (const std::string_view field : kProfileFields) {
    const QString name = QString::fromLatin1(field);
    profileNames += name + QStringLiteral(", ");
    profileMarks += QStringLiteral("?, ");
    profileUpdates += QStringLiteral("%1 = excluded.%1, ").arg(name);
  }
  profileNames.chop(2);
  return hasher_.Ready() && !options_.photoFolder.isEmpty() &&
         QDir().mkpath(options_.photoFolder) &&
         find_.prepare(QStringLiteral("SELECT id, nick, pw_hash FROM accounts WHERE nick_key = ?")) &&
         rehash_.prepare(QStringLiteral("UPDATE accounts SET pw_hash = ? WHERE id = ?")) &&
         insert_.prepare(QStringLiteral(
             "INSERT INTO accounts (nick, nick_key, pw_hash, city, country1, country2, sex, email, "
             "dater, r01, r02, r03, r04, r05, r06, created) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")) &&
         passport_.prepare(QStringLiteral(
             "SELECT city, country1, country2, sex, email, dater, r01, r02, r03, r04, r05, r06 "
             "FROM accounts WHERE id = ?")) &&
         readGame_.prepare(QStringLiteral(
             "SELECT kon, best, rating, sessions, konl, score, r1, r2 FROM account_games "
             "WHERE account = ?")) &&
         writeGame_.prepare(QStringLiteral(
             "INSERT INTO account_games (account, kon, best, rating, sessions, konl, score, r1, r2, "
             "updated) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (account) DO UPDATE SET "
             "kon = excluded.kon, best = excluded.best, rating = excluded.rating, "
             "sessions = excluded.sessions, konl = excluded.konl, score = excluded.score, "
             "r1 = excluded.r1, r2 = excluded.r2, updated = excluded.updated")) &&
         place_.prepare(QStringLiteral(
             "SELECT COUNT(*) FROM account_games WHERE kon > 0 AND rating > ?")) &&
         ranked_.prepare(QStringLiteral("SELECT COUNT(*) FROM account_games WHERE kon > 0")) &&
         count_.prepare(QStringLiteral("SELECT COUNT(*) FROM accounts")) &&
         list_.prepare(QStringLiteral(
             "SELECT a.nick, a.city, a.country2, a.country1, a.sex, g.rating "
             "FROM account_games g JOIN accounts a ON a.id = g.account WHERE g.kon > 0 "
             "ORDER BY g.rating DESC, g.kon DESC, a.id ASC LIMIT 10")) &&
         readProfile_.prepare(QStringLiteral("SELECT ") + profileNames +
                              QStringLiteral(" FROM account_profiles WHERE account = ?")) &&
         writeProfile_.prepare(QStringLiteral("INSERT INTO account_profiles (account, ") +
                               profileNames + QStringLiteral(", updated) VALUES (?, ") +
                               profileMarks +
                               QStringLiteral("?) ON CONFLICT (account) DO UPDATE SET ") +
                               profileUpdates + QStringLiteral("updated = excluded.updated"));
}

void AccountsModule::AddRoutes(QHttpServer& server) {
  AddFormRoute(server, QStringLiteral("/account"),
               [this](const FormFields& form,
                      const QHttpServerRequest& request) -> std::optional<FormReply> {
                 std::optional<std::string> body = Answer(form, CallerAddress(request).toStdString());
                 if (!body) return std::nullopt;
                 return FormReply{std::move(*body), {}};
               });
  AddFormRoute(server, QStringLiteral("/photo-login"),
               [this](const FormFields& form,
                      const QHttpServerRequest&) -> std::optional<FormReply> {
                 std::optional<std::string> body = PhotoLogin(form);
                 if (!body) return std::nullopt;
                 return FormReply{std::move(*body), {}};
               });
  server.route(QStringLiteral("/photos/<arg>"), QHttpServerRequest::Method::Get,
               [this](const QString& name) { return Photo(name); });
}

std::vector<std::pair<QString, QString>> AccountsModule::DirectoryKeys() const {
  return {{QStringLiteral("AccPath"), EncipheredPath("account")}};
}

std::optional<std::pair<QString, QString>> AccountsModule::UploadKey(const QString& host) const {
  if (photoUploadPort_ == 0 || host.isEmpty()) return std::nullopt;
  const QString address = QStringLiteral("ftp://%1:%2/photos/").arg(host).arg(photoUploadPort_);
  return std::make_pair(QStringLiteral("FtpPath"), EncipheredPath(address.toStdString()));
}

std::optional<std::string> AccountsModule::Answer(const FormFields& form,
                                                  const std::string& address) {
  static const std::string registerShape =
      ShapeOf({"nick", "pw", "city", "country1", "country2", "sex", "email", "dater", "R01", "R02",
               "R03", "R04", "R05", "R06"});
  static const std::string writeShape =
      ShapeOf({"nick", "pw", Tagged("kon"), Tagged("best"), Tagged("rating"), Tagged("ses"),
               Tagged("konl"), Tagged("score"), Tagged("R1"), Tagged("R2")});
  static const std::string readShape = ShapeOf({"nick", "pw", Tagged("best")});
  const std::string shape = form.Shape();
  if (shape == registerShape) return Register(form);
  if (shape == "label0,nick,pw") return LogIn(form, address);
  if (shape == readShape) return ReadGame(form, address);
  if (shape == writeShape) return WriteGame(form, address);
  if (shape == Tagged("rating")) return Place(form);
  if (shape == "label1") return NumberReply(StatementRun(count_, {}).Single());
  if (shape == Tagged("kon")) return RatingList();
  if (shape == "labelinforead,nick") return ReadProfile(form);
  if (form.Has("labelinfosave")) return SaveProfile(form, address);
  return std::nullopt;
}

std::optional<AccountsModule::Account> AccountsModule::Find(const std::string& nick) {
  StatementRun find(find_, {QString::fromStdString(Lower(nick))});
  if (!find.Next()) return std::nullopt;
  return Account{find.Number(0), find.Value(1).toString().toStdString(),
                 find.Value(2).toString().toStdString()};
}

AccountsModule::Login AccountsModule::Check(const std::string& nick, const std::string& password,
                                            const std::string& address) {
  const std::int64_t now = QDateTime::currentSecsSinceEpoch();
  const std::string nickKey = Lower(nick);
  const std::int64_t wait =
      std::max(nickThrottle_.Wait(nickKey, now), addressThrottle_.Wait(address, now));
  if (wait > 0) return {0, {}, wait};
  const std::optional<Account> account = Find(nick);
  if (!account) hasher_.VerifyNobody(password);
  if (!account || !hasher_.Verify(account->hash, password)) {
    return {0, {},
            std::max(nickThrottle_.Failed(nickKey, now), addressThrottle_.Failed(address, now))};
  }
  nickThrottle_.Succeeded(nickKey);
  if (hasher_.NeedsRenewal(account->hash)) {
    const std::string renewed = hasher_.Hash(password);
    if (!renewed.empty())
      StatementRun(rehash_, {QString::fromStdString(renewed), QVariant::fromValue(account->id)});
  }
  return {account->id, account->nick, 0};
}

std::optional<std::string> AccountsModule::Register(const FormFields& form) {
  const auto nick = NickField(form);
  const auto password = form.Text("pw", kMaxPassword);
  const auto city = form.Name("city", 2, 15);
  const auto country1 = form.FreeText("country1", 40);
  const auto country2 = form.Country("country2");
  const auto sex = form.Text("sex", 1);
  const auto email = form.Text("email", 30);
  const auto dater = form.Text("dater", 10);
  const auto r01 = form.Text("R01", 30);
  const auto r02 = form.Text("R02", 30);
  const auto r03 = form.Text("R03", 30);
  const auto r04 = form.Number("R04", kInt32Min, kInt32Max);
  const auto r05 = form.Number("R05", kInt32Min, kInt32Max);
  const auto r06 = form.Number("R06", kInt32Min, kInt32Max);
  if (!nick || !password || password->size() < kMinNewPassword || !city || !country1 ||
      country1->empty() || country1->find_first_of("$*~") != std::string::npos || !country2 ||
      !sex || (*sex != "M" && *sex != "W" && *sex != "#") || !email || !dater || !r01 || !r02 ||
      !r03 || !r04 || !r05 || !r06)
    return std::nullopt;
  if (Find(*nick)) return std::string("$+is#\n");
  const std::string hash = hasher_.Hash(*password);
  if (hash.empty()) return std::string(kRefused);
  const StatementRun insert(
      insert_, {QString::fromStdString(*nick), QString::fromStdString(Lower(*nick)),
                QString::fromStdString(hash), Bytes(*city), Bytes(*country1),
                QString::fromStdString(*country2), QString::fromStdString(*sex), Bytes(*email),
                Bytes(*dater), Bytes(*r01), Bytes(*r02), Bytes(*r03), QVariant::fromValue(*r04),
                QVariant::fromValue(*r05), QVariant::fromValue(*r06),
                QDateTime::currentSecsSinceEpoch()});
  return std::string(insert.Ok() ? kAccepted : kRefused);
}

std::optional<std::string> AccountsModule::LogIn(const FormFields& form,
                                                 const std::string& address) {
  const auto nick = NickField(form);
  const auto password = form.Text("pw", kMaxPassword);
  if (!nick || !password || !form.Number("label0", 0, 0)) return std::nullopt;
  const Login login = Check(*nick, *password, address);
  if (login.account == 0) return Refusal(login.wait);
  StatementRun passport(passport_, {QVariant::fromValue(login.account)});
  if (!passport.Next()) return std::string(kRefused);
  std::vector<std::string> fields;
  for (int column = 0; column < 12; ++column) fields.push_back(Text(passport.Value(column)));
  return ReplyRecord(fields) + "\n";
}

std::optional<std::string> AccountsModule::ReadGame(const FormFields& form,
                                                    const std::string& address) {
  const auto nick = NickField(form);
  const auto password = form.Text("pw", kMaxPassword);
  if (!nick || !password || !form.Number(Tagged("best"), 0, 0)) return std::nullopt;
  const Login login = Check(*nick, *password, address);
  if (login.account == 0) return Refusal(login.wait);
  StatementRun game(readGame_, {QVariant::fromValue(login.account)});
  if (!game.Next()) return ReplyRecord({"0", "0", "0", "0", "0", "0", "0", "#"}) + "\n";
  return ReplyRecord({std::to_string(game.Number(0)), std::to_string(game.Number(1)),
                      FormatRating(game.Value(2).toDouble()), std::to_string(game.Number(3)),
                      std::to_string(game.Number(4)), std::to_string(game.Number(5)),
                      std::to_string(game.Number(6)), Text(game.Value(7))}) +
         "\n";
}

std::optional<std::string> AccountsModule::WriteGame(const FormFields& form,
                                                     const std::string& address) {
  const auto nick = NickField(form);
  const auto password = form.Text("pw", kMaxPassword);
  const auto kon = form.Number(Tagged("kon"), 0, kInt32Max);
  const auto best = form.Number(Tagged("best"), kInt32Min, kInt32Max);
  const auto ratingText = form.Text(Tagged("rating"), 40);
  const auto rating = ratingText ? ParseRating(*ratingText) : std::nullopt;
  const auto sessions = form.Number(Tagged("ses"), 0, kInt32Max);
  const auto konl = form.Number(Tagged("konl"), 0, kGamesPerCycle - 1);
  const auto score = form.Number(Tagged("score"), kInt32Min, kInt32Max);
  const auto r1 = form.Number(Tagged("R1"), kInt32Min, kInt32Max);
  const auto r2 = form.Text(Tagged("R2"), 30);
  if (!nick || !password || !kon || !best || !rating || !sessions || !konl || !score || !r1 || !r2)
    return std::nullopt;
  const Login login = Check(*nick, *password, address);
  if (login.account == 0) return Refusal(login.wait);
  const StatementRun write(
      writeGame_, {QVariant::fromValue(login.account), QVariant::fromValue(*kon),
                   QVariant::fromValue(*best), *rating, QVariant::fromValue(*sessions),
                   QVariant::fromValue(*konl), QVariant::fromValue(*score),
                   QVariant::fromValue(*r1), Bytes(*r2), QDateTime::currentSecsSinceEpoch()});
  return std::string(write.Ok() ? kAccepted : kRefused);
}

std::optional<std::string> AccountsModule::Place(const FormFields& form) {
  const auto text = form.Text(Tagged("rating"), 40);
  const auto rating = text ? ParseRating(*text) : std::nullopt;
  if (!rating) return std::nullopt;
  if (StatementRun(ranked_, {}).Single() == 0) return NumberReply(-1);
  return NumberReply(StatementRun(place_, {*rating}).Single() + 1);
}

std::string AccountsModule::RatingList() {
  StatementRun list(list_, {});
  std::string reply;
  for (int place = 1; list.Next(); ++place) {
    std::string country1 = Text(list.Value(3));
    std::replace(country1.begin(), country1.end(), '*', '_');
    reply += ReplyRecord({std::to_string(place), Text(list.Value(0)), Text(list.Value(1)),
                          Text(list.Value(2)), country1, Text(list.Value(4)),
                          FormatRating(list.Value(5).toDouble())}) +
             "*";
  }
  return reply + "\n";
}

std::optional<std::string> AccountsModule::ReadProfile(const FormFields& form) {
  const auto nick = NickField(form);
  if (!nick || !form.Number("labelinforead", 0, 0)) return std::nullopt;
  const auto account = Find(*nick);
  if (!account) return std::string(kRefused);
  StatementRun profile(readProfile_, {QVariant::fromValue(account->id)});
  if (!profile.Next()) return std::string(kRefused);
  std::string reply = "$";
  for (std::size_t i = 0; i < kProfileFields.size(); ++i) {
    if (i > 0) reply += '~';
    reply += ProfileField(Text(profile.Value(static_cast<int>(i))));
  }
  return reply + "\n";
}

std::optional<std::string> AccountsModule::SaveProfile(const FormFields& form,
                                                       const std::string& address) {
  // The first name arrives as "namei"; "name1", which it stands for, is
  // taken as well.
  std::vector<std::string> fields(kProfileFields.begin(), kProfileFields.end());
  if (form.Has("name1")) fields.front() = "name1";
  std::vector<std::string> names = fields;
  names.insert(names.end(), {"nick", "labelinfosave"});
  const std::string withoutPassword = ShapeOf(names);
  names.push_back("pw");
  const std::string shape = form.Shape();
  const auto nick = NickField(form);
  if ((shape != ShapeOf(names) && shape != withoutPassword) || !nick ||
      !form.Number("labelinfosave", 0, 0))
    return std::nullopt;
  std::vector<QVariant> values;
  for (const std::string& field : fields) {
    const auto value = form.FreeText(field, field == "about" ? kMaxAbout : kMaxProfileLine);
    if (!value) return std::nullopt;
    values.emplace_back(Bytes(*value));
  }
  // Without the password anyone could overwrite anyone's profile.
  const auto password = form.Text("pw", kMaxPassword);
  if (!password) return std::string(kRefused);
  const Login login = Check(*nick, *password, address);
  if (login.account == 0) return Refusal(login.wait);
  writeProfile_.addBindValue(QVariant::fromValue(login.account));
  for (const QVariant& value : values) writeProfile_.addBindValue(value);
  writeProfile_.addBindValue(QDateTime::currentSecsSinceEpoch());
  const StatementRun write(writeProfile_, {});
  return std::string(write.Ok() ? kAccepted : kRefused);
}

std::optional<std::string> AccountsModule::PhotoLogin(const FormFields& form) {
  const auto key = form.Text("key", 128);
  const auto address = form.Text("address", 64);
  const auto nick = NickField(form);
  const auto password = form.Text("pw", kMaxPassword);
  if (form.Shape() != "address,key,nick,pw" || !key || !address || !nick || !password ||
      options_.photoLoginKey.isEmpty() ||
      key->size() != static_cast<std::size_t>(options_.photoLoginKey.size()) ||
      sodium_memcmp(key->data(), options_.photoLoginKey.constData(), key->size()) != 0)
    return std::nullopt;
  const Login login = Check(*nick, *password, *address);
  if (login.account == 0) return Refusal(login.wait);
  return "$+ok " + login.nick + "#\n";
}

QHttpServerResponse AccountsModule::Photo(const QString& name) {
  const QString suffix = QStringLiteral(".jpg");
  if (!name.endsWith(suffix)) return QHttpServerResponse(Status::NotFound);
  const auto nick = AccountNick(name.chopped(suffix.size()).toStdString());
  const auto account = nick ? Find(*nick) : std::nullopt;
  if (!account) return QHttpServerResponse(Status::NotFound);
  QFile file(QDir(options_.photoFolder).filePath(QString::fromStdString(account->nick) + suffix));
  if (!file.open(QIODevice::ReadOnly)) return QHttpServerResponse(Status::NotFound);
  return QHttpServerResponse(QByteArrayLiteral("image/jpeg"), file.readAll());
}

}  // namespace tarvel::services
