#include "online/worldtop/top_rows.h"

#include "records/tformtopten.h"
#include "settings/passport_name.h"
#include "settings/words/words.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

// The row `index` (0-based) at its place in the order of the list.
void SetPlace(TopRow& row, std::size_t index) {
  row.rank = static_cast<int>(index) + 1;
  row.place = QString::number(row.rank) + QLatin1Char('.');
}

std::string SexOf(std::string_view text) { return text == "W" ? "W" : "M"; }

// A code "d-nnn" of a country in the lists.
bool IsCountryCode(const std::string& code) {
  if (code.size() != 5 || code[1] != '-' || code[0] < '1' || code[0] > '6') return false;
  for (std::size_t i = 2; i < 5; ++i) {
    if (code[i] < '0' || code[i] > '9') return false;
  }
  const auto list = CountryList(code[0] - '0');
  return list && std::stoi(code.substr(2)) < WordRows(*list);
}

}  // namespace

QString ShownPassportName(const std::string& utf8, std::size_t limit) {
  return FromUtf8(ShownName(utf8, limit));
}

QString ShownCountry(const std::string& country, int language) {
  if (!IsCountryCode(country)) return ShownPassportName(country, kCityLimit);
  return WordText(*CountryList(country[0] - '0'), language, std::stoi(country.substr(2)));
}

TopArea RowsOfList(bool ok, const TopTenList& list, TopWhere where, bool flags, int language) {
  TopArea area;
  area.failed = !ok;
  if (!ok) return area;
  for (const TQorRecord& entry : list) {
    if (entry.Nick == "#") continue;
    TopRow row;
    row.rank = entry.Place > 0 ? entry.Place : static_cast<int>(area.rows.size()) + 1;
    row.place = QString::number(row.rank) + QLatin1Char('.');
    if (flags) row.country = entry.Country;
    row.sex = SexOf(entry.R07);
    row.nick = ShownPassportName(entry.Nick, kNickLimit);
    row.where = ShownPassportName(entry.City, kCityLimit);
    if (where == TopWhere::CityAndCountry) row.where += QStringLiteral(", ") + ShownCountry(entry.Country, language);
    row.score = QString::number(entry.Score);
    area.rows.push_back(std::move(row));
  }
  return area;
}

TopArea RowsOfRating(bool ok, const std::vector<TQorTop10>& rating, int language) {
  TopArea area;
  area.failed = !ok;
  if (!ok) return area;
  for (const TQorTop10& entry : rating) {
    if (area.rows.size() == 10) break;
    if (entry.Nick.empty() || entry.Nick == "#") continue;  // not filled by the reply
    TopRow row;
    SetPlace(row, area.rows.size());
    row.country = entry.Country;
    row.sex = SexOf(std::string_view(&entry.Sex, 1));
    row.nick = ShownPassportName(entry.Nick, kNickLimit);
    row.where = ShownPassportName(entry.City, kCityLimit) + QStringLiteral(", ") + ShownCountry(entry.Country, language);
    row.score = QString::number(entry.Rating, 'f', 1);
    area.rows.push_back(std::move(row));
  }
  return area;
}

TopArea RowsOfClub(const std::filesystem::path& clubFile) {
  TopArea area;
  const auto club = ReadClubTopTen(clubFile);
  if (!club) return area;
  for (const ClubTopTenRow& entry : *club) {
    TopRow row;
    SetPlace(row, area.rows.size());
    row.nick = entry.name;
    row.score = entry.score;
    area.rows.push_back(std::move(row));
  }
  return area;
}

}  // namespace tarvel
