// What the world top ten window draws: rows of place, flag, sex picture,
// nick, city and score, built from what the services, the account service
// and the club files gave. Every text from outside is checked here: a nick or
// city that the name check refuses becomes "#"; the window draws the rest as
// plain text cut to its column.
#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <vector>

#include "online/service_records.h"

namespace tarvel {

struct TopRow {
  int rank = 0;          // the place as a number
  QString place;         // "1."
  std::string country;   // the code for the flag; empty: no flag
  std::string sex;       // "M" or "W"; empty: no sex picture
  QString nick;
  QString where;         // city, or city and country
  QString score;
};

// One list area: "No Connect" when its request failed.
struct TopArea {
  bool failed = false;
  std::vector<TopRow> rows;
};

// A nick or city as shown: "#" when the name check refuses it.
QString ShownPassportName(const std::string& utf8, std::size_t limit);
// A country code's name in `language`; any other text through the name check
// (as a city).
QString ShownCountry(const std::string& country, int language);

// How a list's place is written.
enum class TopWhere {
  City,            // the city alone (the Windows list in the left panel)
  CityAndCountry,  // city and country joined by ", "
};

// A world top ten or online top ten list; entries whose nick is still "#"
// were not filled and give no row.
TopArea RowsOfList(bool ok, const TopTenList& list, TopWhere where, bool flags, int language);
// The account service's rating list, places 1.. in its order; rows without
// a nick were not filled and give no row.
TopArea RowsOfRating(bool ok, const std::vector<TQorTop10>& rating, int language);
// Places 1..10 of a club file's top ten: the name (characters 1..20) and the
// score (21..26); no rows when the file fails its check.
TopArea RowsOfClub(const std::filesystem::path& clubFile);

}  // namespace tarvel
