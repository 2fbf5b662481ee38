#include "stats_module.h"

#include "service_records.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QVariant>

#include <array>

namespace tarvel::services {
namespace {

constexpr std::int64_t kMaxGame = 99999;
constexpr std::int64_t kChatList = 100;
constexpr std::int64_t kMaxGameField = 1000000;
constexpr const char* kCookieName = "qorkey";
constexpr std::size_t kKeyLength = 32;

bool IsKey(std::string_view text) {
  if (text.size() != kKeyLength) return false;
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

QString GameColumns() {
  QStringList columns;
  for (int i = 1; i <= 12; ++i) columns << QStringLiteral("r%1").arg(i);
  return columns.join(QLatin1Char(','));
}

}  // namespace

std::vector<QStringList> StatsModule::Migrations() const {
  QStringList gameColumns;
  for (int i = 1; i <= 12; ++i) gameColumns << QStringLiteral("r%1 INTEGER NOT NULL DEFAULT 0").arg(i);
  return {{
      QStringLiteral("CREATE TABLE stat_starts (gid INTEGER NOT NULL, machine TEXT NOT NULL, "
                     "starts INTEGER NOT NULL, first INTEGER NOT NULL, PRIMARY KEY (gid, machine))"),
      QStringLiteral("CREATE TABLE stat_votes (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                     "gid INTEGER NOT NULL, machine TEXT NOT NULL, nick BLOB NOT NULL, "
                     "at INTEGER NOT NULL, UNIQUE (gid, machine))"),
      QStringLiteral("CREATE TABLE stat_games (gid INTEGER PRIMARY KEY, "
                     "reports INTEGER NOT NULL DEFAULT 0, ") +
          gameColumns.join(QStringLiteral(", ")) + QStringLiteral(")"),
  }};
}

bool StatsModule::Open(QSqlDatabase& database) {
  for (QSqlQuery* query : {&start_, &vote_, &games_, &readStarts_, &readVotes_, &lastVote_, &readGames_})
    *query = QSqlQuery(database);
  QStringList sums;
  for (int i = 1; i <= 12; ++i) sums << QStringLiteral("r%1 = r%1 + excluded.r%1").arg(i);
  return start_.prepare(QStringLiteral(
             "INSERT INTO stat_starts (gid, machine, starts, first) VALUES (?, ?, 1, ?) "
             "ON CONFLICT (gid, machine) DO UPDATE SET starts = starts + 1")) &&
         vote_.prepare(QStringLiteral(
             "INSERT INTO stat_votes (gid, machine, nick, at) VALUES (?, ?, ?, ?) "
             "ON CONFLICT (gid, machine) DO NOTHING")) &&
         games_.prepare(QStringLiteral("INSERT INTO stat_games (gid, reports, ") + GameColumns() +
                        QStringLiteral(") VALUES (?, 1") + QStringLiteral(", ?").repeated(12) +
                        QStringLiteral(") ON CONFLICT (gid) DO UPDATE SET reports = reports + 1, ") +
                        sums.join(QStringLiteral(", "))) &&
         readStarts_.prepare(QStringLiteral(
             "SELECT COALESCE(SUM(starts), 0), COUNT(*) FROM stat_starts WHERE gid = ?")) &&
         readVotes_.prepare(QStringLiteral("SELECT COUNT(*) FROM stat_votes WHERE gid = ?")) &&
         lastVote_.prepare(QStringLiteral(
             "SELECT nick FROM stat_votes WHERE gid = ? ORDER BY id DESC LIMIT 1")) &&
         readGames_.prepare(QStringLiteral("SELECT reports, ") + GameColumns() +
                            QStringLiteral(" FROM stat_games WHERE gid = ?"));
}

void StatsModule::AddRoutes(QHttpServer& server) {
  AddFormRoute(server, QStringLiteral("/stat"),
               [this](const FormFields& form, const QHttpServerRequest& request)
                   -> std::optional<FormReply> {
                 std::optional<std::string> key = KeyOf(request);
                 const bool newKey = !key;
                 if (newKey) key = NewKey();
                 std::optional<FormReply> reply = Serve(form, *key);
                 if (reply && newKey) {
                   reply->headers.emplace_back(
                       QByteArrayLiteral("Set-Cookie"),
                       QByteArray(kCookieName) + '=' + QByteArray::fromStdString(*key) +
                           QByteArrayLiteral("; Max-Age=315360000; Path=/"));
                 }
                 return reply;
               });
}

std::vector<std::pair<QString, QString>> StatsModule::DirectoryKeys() const {
  return {{QStringLiteral("StatPath"), EncipheredPath("stat")}};
}

std::optional<std::string> StatsModule::KeyOf(const QHttpServerRequest& request) {
  for (const auto& [name, value] : request.headers()) {
    if (name.compare("cookie", Qt::CaseInsensitive) != 0) continue;
    for (const QByteArray& cookie : value.split(';')) {
      const QByteArray pair = cookie.trimmed();
      const QByteArray prefix = QByteArray(kCookieName) + '=';
      if (pair.startsWith(prefix)) {
        const std::string key = pair.mid(prefix.size()).toStdString();
        if (IsKey(key)) return key;
      }
    }
  }
  return std::nullopt;
}

std::string StatsModule::NewKey() {
  std::array<quint32, 4> words{};
  QRandomGenerator::system()->fillRange(words.data(), words.size());
  return QByteArray(reinterpret_cast<const char*>(words.data()), sizeof(words)).toHex().toStdString();
}

std::optional<FormReply> StatsModule::Serve(const FormFields& form, const std::string& key) {
  if (form.Shape() == "gid" && form.Number("gid", kChatList, kChatList)) return chatList_(form);
  std::optional<std::string> body = Count(form, key);
  if (!body) return std::nullopt;
  return FormReply{std::move(*body), {}};
}

std::optional<std::string> StatsModule::Count(const FormFields& form, const std::string& key) {
  const std::string shape = form.Shape();
  const auto game = form.Number("gid", 1, kMaxGame);
  if (!game) return std::nullopt;
  const QByteArray machine = QByteArray::fromStdString(key);
  if (shape == "gid") return Read(*game);
  if (shape == "gid,stat1,stat2") {
    const auto first = form.Number("stat2", 0, 1);
    if (!form.Number("stat1", 1, 1) || !first) return std::nullopt;
    const StatementRun run(start_, {QVariant::fromValue(*game), machine, QVariant::fromValue(*first)});
    return std::string(run.Ok() ? kAccepted : kRefused);
  }
  if (shape == "gid,stat3,stat4") {
    const auto nick = form.Name("stat4", 2, 12);
    if (!form.Number("stat3", 1, 1) || !nick) return std::nullopt;
    const StatementRun run(vote_, {QVariant::fromValue(*game), machine,
                                   QByteArray::fromStdString(*nick),
                                   QDateTime::currentSecsSinceEpoch()});
    return std::string(run.Ok() && run.RowsAffected() == 1 ? kAccepted : kRefused);
  }
  if (shape == "R1,R10,R11,R12,R2,R3,R4,R5,R6,R7,R8,R9,gid") {
    std::array<QVariant, 12> values;
    for (std::size_t i = 0; i < values.size(); ++i) {
      const auto value = form.Number(GameReportFieldName(i + 1), 0, kMaxGameField);
      if (!value) return std::nullopt;
      values[i] = QVariant::fromValue(*value);
    }
    const StatementRun run(games_, {QVariant::fromValue(*game), values[0], values[1], values[2],
                                    values[3], values[4], values[5], values[6], values[7],
                                    values[8], values[9], values[10], values[11]});
    return std::string(run.Ok() ? kAccepted : kRefused);
  }
  return std::nullopt;
}

std::string StatsModule::Read(std::int64_t game) {
  const QVariant gid = QVariant::fromValue(game);
  std::vector<std::string> fields;
  {
    StatementRun starts(readStarts_, {gid});
    const bool read = starts.Next();
    fields.push_back(std::to_string(read ? starts.Number(0) : 0));
    fields.push_back(std::to_string(read ? starts.Number(1) : 0));
  }
  fields.push_back(std::to_string(StatementRun(readVotes_, {gid}).Single()));
  {
    StatementRun last(lastVote_, {gid});
    fields.push_back(last.Next() ? last.Value(0).toByteArray().toStdString() : "#");
  }
  StatementRun games(readGames_, {gid});
  const bool read = games.Next();
  for (int i = 1; i <= 12; ++i) fields.push_back(std::to_string(read ? games.Number(i) : 0));
  fields.push_back(std::to_string(read ? games.Number(0) : 0));
  fields.push_back("#");
  return ReplyRecord(fields) + "\n";
}

}  // namespace tarvel::services
