#include "topten_module.h"

#include <QDateTime>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace tarvel::services {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMaxList = 99999;
// A cycle of games per result sent.
constexpr std::int64_t kGamesPerEntry = 30;
constexpr std::int64_t kChatList = 100;

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const QVariant& value) { return value.toByteArray().toStdString(); }

}  // namespace

std::vector<QStringList> TopTenModule::Migrations() const {
  return {{
      QStringLiteral("CREATE TABLE topten_entries ("
                     "id INTEGER PRIMARY KEY AUTOINCREMENT, gid INTEGER NOT NULL, "
                     "score INTEGER NOT NULL, nick BLOB NOT NULL, country BLOB NOT NULL, "
                     "city BLOB NOT NULL, r07 BLOB NOT NULL, r08 BLOB NOT NULL, "
                     "r09 BLOB NOT NULL, r10 BLOB NOT NULL, created INTEGER NOT NULL)"),
      QStringLiteral("CREATE INDEX topten_order ON topten_entries (gid, score DESC, id)"),
      QStringLiteral("CREATE INDEX topten_player ON topten_entries (gid, nick, city)"),
  }};
}

bool TopTenModule::Open(QSqlDatabase& database) {
  for (QSqlQuery* query : {&page_, &rank_, &best_, &insert_, &count_}) *query = QSqlQuery(database);
  return page_.prepare(QStringLiteral(
             "SELECT id, score, nick, country, city, r07, r08, r09, r10 FROM topten_entries "
             "WHERE gid = ? ORDER BY score DESC, id ASC LIMIT 10 OFFSET ?")) &&
         rank_.prepare(QStringLiteral(
             "SELECT COUNT(*) FROM topten_entries WHERE gid = ? AND "
             "(score > ? OR (score = ? AND id < ?))")) &&
         best_.prepare(QStringLiteral(
             "SELECT id, score FROM topten_entries WHERE gid = ? AND nick = ? AND city = ? "
             "ORDER BY score DESC, id ASC LIMIT 1")) &&
         insert_.prepare(QStringLiteral(
             "INSERT INTO topten_entries (gid, score, nick, country, city, r07, r08, r09, r10, "
             "created) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")) &&
         count_.prepare(QStringLiteral("SELECT COUNT(*) FROM topten_entries WHERE gid = ?"));
}

void TopTenModule::AddRoutes(QHttpServer& server) {
  AddFormRoute(server, QStringLiteral("/wtop10"),
               [this](const FormFields& form, const QHttpServerRequest&) { return Serve(form); });
}

std::vector<std::pair<QString, QString>> TopTenModule::DirectoryKeys() const {
  return {{QStringLiteral("WTGamesPatt"), EncipheredPath("wtop10")}};
}

std::optional<FormReply> TopTenModule::Serve(const FormFields& form) {
  const auto list = form.Number(form.Has("rgid") ? "rgid" : "gid", 1, kMaxList);
  if (list && (*list == kChatList ? chatPaused_ : topTenPaused_)) {
    FormReply paused{"$paused#\n", {}, QHttpServerResponse::StatusCode::ServiceUnavailable};
    return paused;
  }
  std::optional<std::string> body = Answer(form);
  if (!body) return std::nullopt;
  return FormReply{std::move(*body), {}};
}

std::optional<std::string> TopTenModule::Answer(const FormFields& form) {
  const std::string shape = form.Shape();
  if (shape == "gid") {
    const auto list = form.Number("gid", 1, kMaxList);
    if (!list) return std::nullopt;
    return ListReply(*list);
  }
  if (shape == "rgid") {
    const auto list = form.Number("rgid", 1, kMaxList);
    if (!list) return std::nullopt;
    return NumberReply(Count(*list) * kGamesPerEntry);
  }
  if (shape == "city,gid,nick") {
    const auto list = form.Number("gid", 1, kMaxList);
    const auto nick = form.Name("nick", 2, 12);
    const auto city = form.Name("city", 2, 15);
    if (!list || !nick || !city) return std::nullopt;
    return Around(*list, *nick, *city);
  }
  if (shape == "R10,R7,R8,R9,city,country,gid,nick,score") return Write(form);
  return std::nullopt;
}

std::string TopTenModule::Records(std::int64_t list, std::int64_t offset) {
  StatementRun page(page_, {QVariant::fromValue(list), QVariant::fromValue(offset)});
  std::string reply;
  for (std::int64_t place = offset; page.Next();) {
    reply += ReplyRecord({std::to_string(++place), std::to_string(page.Number(0)),
                          std::to_string(page.Number(1)), Text(page.Value(2)), Text(page.Value(3)),
                          Text(page.Value(4)), Text(page.Value(5)), Text(page.Value(6)),
                          Text(page.Value(7)), Text(page.Value(8))});
  }
  return reply + "\n";
}

std::string TopTenModule::ListReply(std::int64_t list) {
  const auto cached = cache_.find(list);
  if (cached != cache_.end()) return cached->second;
  std::string reply = Records(list, 0);
  cache_[list] = reply;
  return reply;
}

std::int64_t TopTenModule::Count(std::int64_t list) {
  return StatementRun(count_, {QVariant::fromValue(list)}).Single();
}

std::int64_t TopTenModule::Above(std::int64_t list, std::int64_t score, std::int64_t id) {
  return StatementRun(rank_, {QVariant::fromValue(list), QVariant::fromValue(score),
                              QVariant::fromValue(score), QVariant::fromValue(id)})
      .Single();
}

std::string TopTenModule::Around(std::int64_t list, const std::string& nick,
                                 const std::string& city) {
  std::int64_t id = 0;
  std::int64_t score = 0;
  {
    StatementRun best(best_, {QVariant::fromValue(list), Bytes(nick), Bytes(city)});
    if (!best.Next()) return "\n";
    id = best.Number(0);
    score = best.Number(1);
  }
  // The player in the middle of ten places where the list allows it.
  const std::int64_t offset = std::clamp<std::int64_t>(Above(list, score, id) - 4, 0,
                                                       std::max<std::int64_t>(Count(list) - 10, 0));
  return Records(list, offset);
}

std::optional<std::string> TopTenModule::Write(const FormFields& form) {
  const auto list = form.Number("gid", 1, kMaxList);
  const auto score = form.Number("score", kInt32Min, kInt32Max);
  const auto nick = form.Name("nick", 2, 12);
  const auto city = form.Name("city", 2, 15);
  const auto country = form.Country("country");
  const auto r7 = form.Name("R7", 1, 1, true);  // the sex, M or W
  const auto r8 = form.Name("R8", 1, 10);       // the sending program's version
  const auto r9 = form.Name("R9", 1, 60, true);
  const auto r10 = form.Name("R10", 1, 120, true);
  if (!list || !score || !nick || !city || !country || !r7 || !r8 || !r9 || !r10)
    return std::nullopt;
  std::int64_t id = 0;
  {
    const StatementRun insert(insert_, {QVariant::fromValue(*list), QVariant::fromValue(*score),
                                        Bytes(*nick), Bytes(*country), Bytes(*city), Bytes(*r7),
                                        Bytes(*r8), Bytes(*r9), Bytes(*r10),
                                        QDateTime::currentSecsSinceEpoch()});
    if (!insert.Ok()) return NumberReply(-1);
    id = insert.LastInsertId();
  }
  cache_.erase(*list);
  return NumberReply(Above(*list, *score, id) + 1);
}

}  // namespace tarvel::services
