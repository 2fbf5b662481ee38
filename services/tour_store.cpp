#include "tour_store.h"

#include <QVariant>

#include <cstddef>

#include "service_module.h"
#include "tour_rating.h"

namespace tarvel::services {
namespace {

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const QVariant& value) { return value.toByteArray().toStdString(); }

char SexOf(const QVariant& value) {
  const QByteArray bytes = value.toByteArray();
  return bytes == "W" ? 'W' : 'M';
}

// The columns of a standing as StandingOf reads them.
#define TOUR_STANDING_COLUMNS "nick, score, kon, rating, country, city, sex"

TourStanding StandingOf(const StatementRun& run) {
  TourStanding standing;
  standing.nick = Text(run.Value(0));
  standing.score = static_cast<std::int32_t>(run.Number(1));
  standing.kon = static_cast<std::int32_t>(run.Number(2));
  standing.rating = static_cast<std::int32_t>(run.Number(3));
  standing.country = Text(run.Value(4));
  standing.city = Text(run.Value(5));
  standing.sex = SexOf(run.Value(6));
  return standing;
}

// The column of a kind; its statements are kept in the order s, r, k.
constexpr std::array<const char*, 3> kColumns = {"score", "rating", "kon"};

std::optional<std::size_t> KindIndex(char kind) {
  switch (kind) {
    case 's': return 0;
    case 'r': return 1;
    case 'k': return 2;
    default: return std::nullopt;
  }
}

}  // namespace

std::vector<QStringList> TourStore::Migrations() {
  return {{
      QStringLiteral("CREATE TABLE tour_places ("
                     "tab INTEGER NOT NULL, place INTEGER NOT NULL, nick BLOB NOT NULL, "
                     "country BLOB NOT NULL, city BLOB NOT NULL, sex BLOB NOT NULL, ip BLOB NOT NULL, "
                     "owner TEXT NOT NULL, PRIMARY KEY (tab, place))"),
      QStringLiteral("CREATE INDEX tour_places_nick ON tour_places (nick)"),
      QStringLiteral("CREATE TABLE tour_standings ("
                     "nick BLOB PRIMARY KEY, score INTEGER NOT NULL, kon INTEGER NOT NULL, "
                     "rating INTEGER NOT NULL, country BLOB NOT NULL, city BLOB NOT NULL, "
                     "sex BLOB NOT NULL)"),
      QStringLiteral("CREATE INDEX tour_by_score ON tour_standings (score DESC)"),
      QStringLiteral("CREATE INDEX tour_by_rating ON tour_standings (rating DESC)"),
      QStringLiteral("CREATE INDEX tour_by_kon ON tour_standings (kon DESC)"),
  }};
}

bool TourStore::Open(QSqlDatabase& database) {
  database_ = database;
  for (QSqlQuery* query : {&place_, &take_, &free_, &holds_, &standing_, &newStanding_, &update_})
    *query = QSqlQuery(database);
  bool ok = QSqlQuery(database).exec(QStringLiteral("DELETE FROM tour_places")) &&
            place_.prepare(QStringLiteral(
                "SELECT p.nick, p.country, p.city, p.sex, p.ip, p.owner, s.score, s.kon, s.rating "
                "FROM tour_places p LEFT JOIN tour_standings s ON s.nick = p.nick "
                "WHERE p.tab = ? AND p.place = ?")) &&
            take_.prepare(QStringLiteral(
                "INSERT INTO tour_places (tab, place, nick, country, city, sex, ip, owner) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)")) &&
            free_.prepare(QStringLiteral("DELETE FROM tour_places WHERE tab = ? AND place = ?")) &&
            holds_.prepare(QStringLiteral("SELECT COUNT(*) FROM tour_places WHERE nick = ?")) &&
            standing_.prepare(QStringLiteral(
                "SELECT " TOUR_STANDING_COLUMNS " FROM tour_standings WHERE nick = ?")) &&
            newStanding_.prepare(QStringLiteral(
                "INSERT INTO tour_standings (nick, score, kon, rating, country, city, sex) "
                "VALUES (?, 0, 0, ?, ?, ?, ?) ON CONFLICT (nick) DO UPDATE SET "
                "country = excluded.country, city = excluded.city, sex = excluded.sex")) &&
            update_.prepare(QStringLiteral(
                "UPDATE tour_standings SET score = score + ?, kon = kon + 1, rating = ? "
                "WHERE nick = ?"));
  for (std::size_t i = 0; i < kColumns.size() && ok; ++i) {
    const QString column = QString::fromLatin1(kColumns[i]);
    best_[i] = QSqlQuery(database);
    above_[i] = QSqlQuery(database);
    has_[i] = QSqlQuery(database);
    ok = best_[i].prepare(QStringLiteral("SELECT " TOUR_STANDING_COLUMNS
                                         " FROM tour_standings ORDER BY %1 DESC, nick LIMIT 10")
                              .arg(column)) &&
         above_[i].prepare(
             QStringLiteral("SELECT COUNT(*) FROM tour_standings WHERE %1 > ?").arg(column)) &&
         has_[i].prepare(
             QStringLiteral("SELECT COUNT(*) FROM tour_standings WHERE %1 = ?").arg(column));
  }
  return ok;
}

std::optional<TQorClient> TourStore::Place(int table, int place) {
  StatementRun run(place_, {table, place});
  if (!run.Next()) return std::nullopt;
  TQorClient client;
  client.Nick = Text(run.Value(0));
  client.Country = Text(run.Value(1));
  client.City = Text(run.Value(2));
  client.Sex = SexOf(run.Value(3));
  client.IP = Text(run.Value(4));
  client.Score = static_cast<std::int32_t>(run.Number(6));
  client.Kon = static_cast<std::int32_t>(run.Number(7));
  client.Rating = static_cast<std::int32_t>(run.Value(8).isNull() ? kStartRating : run.Number(8));
  return client;
}

std::string TourStore::Owner(int table, int place) {
  StatementRun run(place_, {table, place});
  return run.Next() ? Text(run.Value(5)) : std::string();
}

bool TourStore::HoldsPlace(const std::string& nick) {
  return StatementRun(holds_, {Bytes(nick)}).Single() > 0;
}

bool TourStore::EnsureStanding(const TQorClient& player) {
  return StatementRun(newStanding_, {Bytes(player.Nick), kStartRating, Bytes(player.Country),
                                     Bytes(player.City), QByteArray(1, player.Sex)})
      .Ok();
}

bool TourStore::Take(int table, int place, const TQorClient& player, const std::string& owner) {
  if (!EnsureStanding(player)) return false;
  return StatementRun(take_, {table, place, Bytes(player.Nick), Bytes(player.Country),
                              Bytes(player.City), QByteArray(1, player.Sex), Bytes(player.IP),
                              QString::fromStdString(owner)})
      .Ok();
}

void TourStore::Free(int table, int place) { StatementRun run(free_, {table, place}); }

std::vector<int> TourStore::FreeFrom(int table, int place) {
  std::vector<int> freed;
  for (int later = kTourPlaces; later >= place; --later) {
    if (!Place(table, later)) continue;
    Free(table, later);
    freed.push_back(later);
  }
  return freed;
}

TourStanding TourStore::Standing(const std::string& nick) {
  StatementRun run(standing_, {Bytes(nick)});
  if (run.Next()) return StandingOf(run);
  TourStanding standing;
  standing.nick = nick;
  standing.rating = kStartRating;
  return standing;
}

bool TourStore::StoreGame(const std::array<std::string, 3>& nicks,
                          const std::array<std::int32_t, 3>& results) {
  std::array<std::int32_t, 3> ratings{};
  for (std::size_t i = 0; i < 3; ++i) ratings[i] = Standing(nicks[i]).rating;
  const std::array<std::int32_t, 3> rated = RatedAfterGame(ratings, results);
  database_.transaction();
  bool ok = true;
  for (std::size_t i = 0; i < 3 && ok; ++i) {
    const StatementRun run(update_, {results[i], rated[i], Bytes(nicks[i])});
    ok = run.Ok() && run.RowsAffected() == 1;
  }
  if (!ok) {
    database_.rollback();
    return false;
  }
  return database_.commit();
}

std::vector<TourStanding> TourStore::Best(char kind) {
  std::vector<TourStanding> best;
  const std::optional<std::size_t> index = KindIndex(kind);
  if (!index) return best;
  StatementRun run(best_[*index], {});
  while (run.Next()) best.push_back(StandingOf(run));
  return best;
}

std::int64_t TourStore::PlaceOf(char kind, std::int64_t value) {
  const std::optional<std::size_t> index = KindIndex(kind);
  if (!index) return -1;
  if (StatementRun(has_[*index], {QVariant::fromValue(value)}).Single() == 0) return -1;
  return StatementRun(above_[*index], {QVariant::fromValue(value)}).Single() + 1;
}

}  // namespace tarvel::services
