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
  page_.addBindValue(QVariant::fromValue(list));
  page_.addBindValue(QVariant::fromValue(offset));
  std::string reply;
  if (page_.exec()) {
    std::int64_t place = offset;
    while (page_.next()) {
      reply += ReplyRecord({std::to_string(++place), page_.value(0).toString().toStdString(),
                            page_.value(1).toString().toStdString(), Text(page_.value(2)),
                            Text(page_.value(3)), Text(page_.value(4)), Text(page_.value(5)),
                            Text(page_.value(6)), Text(page_.value(7)), Text(page_.value(8))});
    }
  }
  page_.finish();
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
  count_.addBindValue(QVariant::fromValue(list));
  const std::int64_t count = count_.exec() && count_.next() ? count_.value(0).toLongLong() : 0;
  count_.finish();
  return count;
}

std::string TopTenModule::Around(std::int64_t list, const std::string& nick,
                                 const std::string& city) {
  best_.addBindValue(QVariant::fromValue(list));
  best_.addBindValue(Bytes(nick));
  best_.addBindValue(Bytes(city));
  if (!best_.exec() || !best_.next()) {
    best_.finish();
    return "\n";
  }
  const std::int64_t id = best_.value(0).toLongLong();
  const std::int64_t score = best_.value(1).toLongLong();
  best_.finish();
  rank_.addBindValue(QVariant::fromValue(list));
  rank_.addBindValue(QVariant::fromValue(score));
  rank_.addBindValue(QVariant::fromValue(score));
  rank_.addBindValue(QVariant::fromValue(id));
  const std::int64_t above = rank_.exec() && rank_.next() ? rank_.value(0).toLongLong() : 0;
  rank_.finish();
  // The player in the middle of ten places where the list allows it.
  const std::int64_t offset = std::clamp<std::int64_t>(above - 4, 0,
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
  insert_.addBindValue(QVariant::fromValue(*list));
  insert_.addBindValue(QVariant::fromValue(*score));
  for (const std::string* text : {&*nick, &*country, &*city, &*r7, &*r8, &*r9, &*r10})
    insert_.addBindValue(Bytes(*text));
  insert_.addBindValue(QDateTime::currentSecsSinceEpoch());
  const bool stored = insert_.exec();
  const std::int64_t id = insert_.lastInsertId().toLongLong();
  insert_.finish();
  if (!stored) return NumberReply(-1);
  cache_.erase(*list);
  rank_.addBindValue(QVariant::fromValue(*list));
  rank_.addBindValue(QVariant::fromValue(*score));
  rank_.addBindValue(QVariant::fromValue(*score));
  rank_.addBindValue(QVariant::fromValue(id));
  const std::int64_t above = rank_.exec() && rank_.next() ? rank_.value(0).toLongLong() : 0;
  rank_.finish();
  return NumberReply(above + 1);
}

}  // namespace tarvel::services
