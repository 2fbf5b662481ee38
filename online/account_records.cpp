#include "account_records.h"

#include <algorithm>
#include <charconv>

#include "cipher.h"
#include "cp1251.h"
#include "passport_name.h"
#include "replies.h"

namespace tarvel {
namespace {

constexpr double kAdvanceLoss = 2000.0;

std::string Text(std::string_view field) { return Cp1251ToUtf8(field); }

// The text of the first record: after the first '$' up to the next '$' or the
// end, without the line breaks that close the reply. Nothing without a '$'.
std::optional<std::string_view> FirstRecordText(std::string_view reply) {
  const std::size_t start = reply.find('$');
  if (start == std::string_view::npos) return std::nullopt;
  std::string_view text = reply.substr(start + 1);
  text = text.substr(0, text.find('$'));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The service's refusal: "no" ahead of the first record, or a first record
// whose first word (before a blank or '#') is "no" or the marker "+no" (a
// refusal may say more: "$+no wait$30"). Texts inside a record (a city
// "Genoa", a profile "I know") are the player's own and never read as a
// refusal.
bool ServiceSaysNo(std::string_view reply) {
  const std::size_t start = reply.find('$');
  if (reply.substr(0, start).find("no") != std::string_view::npos) return true;
  const std::optional<std::string_view> record = FirstRecordText(reply);
  if (!record) return false;
  const std::string_view word = record->substr(0, record->find_first_of(" #~"));
  return word == "no" || word == "+no";
}

std::size_t FieldLimit(AccountField kind) {
  switch (kind) {
    case AccountField::Nick: return kNickLimit;
    case AccountField::City: return kCityLimit;
    case AccountField::Password: return 12;
    case AccountField::EMail: return 30;
  }
  return 0;
}

}  // namespace

const std::array<std::string TInfo14::*, kProfileFieldCount>& ProfileFieldOrder() {
  static const std::array<std::string TInfo14::*, kProfileFieldCount> order{
      &TInfo14::Name1,    &TInfo14::Name2,    &TInfo14::About,   &TInfo14::Telephone, &TInfo14::EMailO,
      &TInfo14::WebSite,  &TInfo14::Skype,    &TInfo14::OK,      &TInfo14::VK,        &TInfo14::Telegram,
      &TInfo14::FaceBook, &TInfo14::Twitter,  &TInfo14::Instagramm, &TInfo14::YouTube};
  return order;
}

double RatingWithAdvanceLoss(std::int32_t games, double rating) {
  const double k = games;
  const double next = k + 1.0;
  return (k * (rating - k / kAccountCycle) - kAdvanceLoss) / next + next / kAccountCycle;
}

double RatingWithResult(std::int32_t games, double rating, std::int32_t result) {
  if (games <= 0) return rating;  // no game was written in advance
  const double k = games;
  return k / kAccountCycle + (kAdvanceLoss + k * (rating - k / kAccountCycle) + result) / k;
}

TQorGame AdvanceRecord(const TQorGame& read) {
  TQorGame written = read;
  written.Rating = RatingWithAdvanceLoss(read.Kon, read.Rating);
  written.Kon = read.Kon + 1;
  written.KonL = 0;
  written.Score = 0;
  return written;
}

TQorGame FinishedRecord(const TQorGame& read, std::int32_t cycleGames, std::int32_t result,
                        std::int32_t newScore) {
  TQorGame record = read;
  record.Rating = RatingWithResult(read.Kon, read.Rating, result);
  const std::int32_t games = cycleGames + 1;
  if (games >= kAccountCycle) {
    record.Best = std::max(record.Best, newScore);
    record.Sessions += 1;
    record.KonL = 0;
    record.Score = 0;
  } else {
    record.KonL = games;
    record.Score = newScore;
  }
  return record;
}

std::string WireRating(double rating) {
  if (!(rating > 0.00001 || rating < -0.00001)) return "0";
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, rating, std::chars_format::fixed);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

std::optional<double> ParseAccountRating(std::string_view text) {
  std::string number(text);
  for (char& c : number)
    if (c != ' ' && c != '-' && (c < '0' || c > '9')) c = '.';
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return value;
}

std::string ShownRating(double rating) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, rating, std::chars_format::fixed, 3);
  std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0.000");
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string UserFileText(const StoredLogin& login) {
  return std::string(kUserFileTitle) + "\r\n" + Utf8ToCp1251(login.nick) + "\r\n" + login.PwC + "\r\n";
}

std::optional<StoredLogin> ParseUserFile(std::string_view text) {
  std::array<std::string_view, 3> lines{};
  for (std::string_view& line : lines) {
    const std::size_t end = text.find('\n');
    line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  if (lines[0] != kUserFileTitle || lines[1].empty() || lines[2].empty()) return std::nullopt;
  return StoredLogin{Text(lines[1]), std::string(lines[2])};
}

std::optional<std::string> StoredPassword(std::string_view PwC) {
  std::optional<std::string> password = Decipher(PwC);
  if (!password || password->empty()) return std::nullopt;
  for (char& c : *password)
    if (c == ' ' || c == '#' || c == '$') c = '-';
  return password;
}

FieldLamp CheckAccountField(std::string_view utf8, AccountField kind) {
  // The passport's name check: length, alphabet and Cyrillic letters.
  const int check = CheckPassportName(utf8, FieldLimit(kind));
  const std::string text = Utf8ToCp1251(utf8);
  if (check == kNameRefused || (kind == AccountField::Password && text.size() < 4)) return FieldLamp::Red;
  if (check == kNameCyrillic) return kind == AccountField::City ? FieldLamp::Yellow : FieldLamp::Red;
  if (kind == AccountField::EMail) {
    const std::size_t at = text.find('@');  // 0-based: position 2 or later is index 1
    if (at == std::string::npos || at < 1 || at + 1 >= text.size()) return FieldLamp::Red;
  }
  return FieldLamp::Green;
}

bool HasOkMarker(std::string_view reply) { return reply.find("ok") != std::string_view::npos; }

int RegisterOutcome(std::string_view reply) {
  if (reply.find("is") != std::string_view::npos) return 1;
  return HasOkMarker(reply) ? 0 : 2;
}

bool ParseLoginReply(std::string_view reply, TQorUser& user) {
  // assign(1, '#') rather than chained "= \"#\"": GCC 12 at -O3 reports a
  // false -Wrestrict on the chain.
  for (std::string* field : {&user.City, &user.Country1, &user.Country2, &user.EMail, &user.R01, &user.R02, &user.R03})
    field->assign(1, '#');
  user.Sex = '#';
  user.DateR = std::string(kNoDate);
  user.R04 = user.R05 = user.R06 = 0;
  const std::vector<ReplyFields> records = ReplyRecords(reply, 1);
  if (records.empty() || ServiceSaysNo(reply)) return false;
  const ReplyFields& fields = records.front();
  const auto text = [&fields](std::size_t number, std::string& target) {
    if (number <= fields.size()) target = Text(fields[number - 1]);
  };
  text(1, user.City);
  text(2, user.Country1);
  text(3, user.Country2);
  if (fields.size() >= 4 && !fields[3].empty()) user.Sex = fields[3].front();
  text(5, user.EMail);
  text(6, user.DateR);
  text(7, user.R01);
  text(8, user.R02);
  text(9, user.R03);
  std::int32_t* numbers[] = {&user.R04, &user.R05, &user.R06};
  for (std::size_t i = 0; i < 3; ++i) {
    if (fields.size() < 10 + i) break;
    const std::optional<std::int32_t> value = FieldNumber(fields[9 + i]);
    if (!value) return false;
    *numbers[i] = *value;
  }
  return true;
}

bool ParseGameRecordReply(std::string_view reply, TQorGame& target) {
  target = TQorGame{};
  TQorGame game;
  const std::vector<ReplyFields> records = ReplyRecords(reply, 1);
  // Kon to Score must all be there: a record read as zeros would be written
  // back over the player's real one by the next game.
  if (records.empty() || records.front().size() < 6) return false;
  const ReplyFields& fields = records.front();
  const std::optional<double> rating = ParseAccountRating(fields[2]);
  if (!rating) return false;
  std::int32_t* numbers[] = {&game.Kon, &game.Best, nullptr, &game.Sessions, &game.KonL, &game.Score, &game.R1};
  for (std::size_t i = 0; i < std::size(numbers) && i < fields.size(); ++i) {
    if (numbers[i] == nullptr) continue;
    const std::optional<std::int32_t> value = FieldNumber(fields[i]);
    if (!value) return false;
    *numbers[i] = *value;
  }
  if (game.Kon < 0 || game.KonL < 0 || game.KonL >= kAccountCycle) return false;
  game.Rating = *rating;
  if (fields.size() >= 8) game.R2 = Text(fields[7]);
  target = game;
  return true;
}

bool ParseRatingListReply(std::string_view reply, AccountTopTen& rows) {
  rows.fill(TQorTop10{});
  const std::vector<ReplyFields> records = ReplyRecords(reply, rows.size(), true);
  for (std::size_t row = 0; row < records.size(); ++row) {
    const ReplyFields& fields = records[row];
    TQorTop10& entry = rows[row];
    if (fields.size() >= 2) entry.Nick = Text(fields[1]);
    if (fields.size() >= 3) entry.City = Text(fields[2]);
    if (fields.size() >= 4) entry.Country = Text(fields[3]);
    if (fields.size() >= 5) entry.Country = Text(fields[4]);
    if (fields.size() >= 6 && !fields[5].empty()) entry.Sex = fields[5].front();
    if (fields.size() >= 7) {
      const std::optional<double> rating = ParseAccountRating(fields[6]);
      if (!rating) return false;
      entry.Rating = *rating;
    }
  }
  return true;
}

bool ParseProfileReply(std::string_view reply, TInfo14& info) {
  info = TInfo14{};
  const std::optional<std::string_view> record = FirstRecordText(reply);
  if (!record || ServiceSaysNo(reply) || record->find('~') == std::string_view::npos) return false;
  std::string_view rest = *record;
  for (std::string TInfo14::*field : ProfileFieldOrder()) {
    const std::size_t end = rest.find('~');
    info.*field = Text(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return true;
}

std::string ProfileWireValue(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string wire;
  for (const char c : Utf8ToCp1251(utf8)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '~') continue;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      wire += c;
    } else {
      wire += '%';
      wire += kHex[byte >> 4];
      wire += kHex[byte & 0x0F];
    }
  }
  return wire;
}

}  // namespace tarvel
