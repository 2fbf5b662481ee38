#include "account_requests.h"

#include <initializer_list>
#include <utility>

#include "replies.h"

namespace tarvel {
namespace {

std::string Tagged(std::string_view name) { return std::string(kGameTag) + std::string(name); }

bool IsJpeg(const std::string& bytes) {
  return bytes.size() > 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8;
}

}  // namespace

std::string PhotoFileName(const std::string& nick) {
  if (nick.empty() || nick.front() == '.' || nick.find_first_of("/\\?#%&: ") != std::string::npos) return {};
  return nick + ".jpg";
}

int AccountRequests::Register(const TQorUser& user) {
  const std::string body = TextBody({{"nick", user.Nick},
                                     {"pw", user.Pw},
                                     {"city", user.City},
                                     {"country1", user.Country1},
                                     {"country2", user.Country2},
                                     {"sex", std::string(1, user.Sex)},
                                     {"email", user.EMail},
                                     {"dater", user.DateR},
                                     {"R01", user.R01},
                                     {"R02", user.R02},
                                     {"R03", user.R03},
                                     NumberField("R04", user.R04),
                                     NumberField("R05", user.R05),
                                     NumberField("R06", user.R06)});
  const HttpReply reply = requests_.PostText(Endpoint::AccountService, body, false);
  return reply.ok ? RegisterOutcome(reply.body) : 2;
}

bool AccountRequests::Login(TQorUser& user) {
  const HttpReply reply = requests_.PostList(
      Endpoint::AccountService, {{"nick", user.Nick}, {"pw", user.Pw}, {"label0", "0"}}, false);
  return ParseLoginReply(reply.ok ? reply.body : std::string(), user) && reply.ok;
}

bool AccountRequests::ReadGame(const TQorUser& user, TQorGame& game) {
  const HttpReply reply = requests_.PostList(
      Endpoint::AccountService, {{"nick", user.Nick}, {"pw", user.Pw}, {Tagged("best"), "0"}}, false);
  return ParseGameRecordReply(reply.ok ? reply.body : std::string(), game) && reply.ok;
}

bool AccountRequests::WriteGame(const TQorUser& user, const TQorGame& game) {
  const std::string body = TextBody({{"nick", user.Nick},
                                     {"pw", user.Pw},
                                     NumberField(Tagged("kon"), game.Kon),
                                     NumberField(Tagged("best"), game.Best),
                                     {Tagged("rating"), WireRating(game.Rating), true},
                                     NumberField(Tagged("ses"), game.Sessions),
                                     NumberField(Tagged("konl"), game.KonL),
                                     NumberField(Tagged("score"), game.Score),
                                     NumberField(Tagged("R1"), game.R1),
                                     {Tagged("R2"), game.R2}});
  const HttpReply reply = requests_.PostText(Endpoint::AccountService, body, false);
  return reply.ok && HasOkMarker(reply.body);
}

bool AccountRequests::ReadPlace(double rating, std::int32_t& place) {
  place = -1;
  const HttpReply reply =
      requests_.PostText(Endpoint::AccountService, TextBody({{Tagged("rating"), WireRating(rating), true}}), false);
  if (!reply.ok) return false;
  place = ParseNumberReply(reply.body).value_or(-1);
  return true;
}

bool AccountRequests::ReadAccountCount(std::int32_t& count) {
  count = 0;
  const HttpReply reply = requests_.PostText(Endpoint::AccountService, TextBody({NumberField("label1", 0)}), false);
  if (!reply.ok) return false;
  count = ParseNumberReply(reply.body).value_or(0);
  return true;
}

bool AccountRequests::ReadRatingList(AccountTopTen& rows) {
  const HttpReply reply = requests_.PostList(Endpoint::AccountService, {{Tagged("kon"), "0"}}, false);
  return ParseRatingListReply(reply.ok ? reply.body : std::string(), rows) && reply.ok;
}

bool AccountRequests::ReadProfile(const std::string& nick, TInfo14& info) {
  const HttpReply reply =
      requests_.PostList(Endpoint::AccountService, {{"nick", nick}, {"labelinforead", "0"}}, false);
  return ParseProfileReply(reply.ok ? reply.body : std::string(), info) && reply.ok;
}

bool AccountRequests::SaveProfile(const TQorUser& user) {
  static constexpr const char* kNames[kProfileFieldCount] = {
      "namei", "name2", "about", "telephone", "emailo", "website", "skype",
      "ok",    "vk",    "telegram", "facebook", "twitter", "instagramm", "youtube"};
  std::string body = TextBody({{"nick", user.Nick}, NumberField("labelinfosave", 0), {"pw", user.Pw}});
  // Appended piece by piece: GCC 12 at -O3 reports a false -Wrestrict on
  // "literal" + std::string.
  for (std::size_t i = 0; i < kProfileFieldCount; ++i) {
    body += '&';
    body += kNames[i];
    body += '=';
    body += ProfileWireValue(user.Info.*ProfileFieldOrder()[i]);
  }
  const HttpReply reply = requests_.PostText(Endpoint::AccountService, body, false);
  return reply.ok && HasOkMarker(reply.body);
}

bool AccountRequests::ReadPhoto(const std::string& nick, std::string& jpeg) {
  const std::string name = PhotoFileName(nick);
  if (name.empty()) return false;
  const std::string url = requests_.Endpoints().Address(Endpoint::PhotoFolder) + name;
  const HttpReply reply = requests_.Run([&] { return HttpClient::Get(url); });
  if (!reply.ok || !IsJpeg(reply.body)) return false;
  jpeg = reply.body;
  return true;
}

bool AccountRequests::UploadPhoto(const TQorUser& user, const std::string& jpeg) {
  const std::string name = PhotoFileName(user.Nick);
  if (name.empty() || !IsJpeg(jpeg)) return false;
  const std::string url = requests_.Endpoints().Address(Endpoint::PhotoUpload) + name;
  const HttpReply reply = requests_.Run([&] { return HttpClient::FtpUpload(url, user.Nick, user.Pw, jpeg); });
  return reply.ok;
}

}  // namespace tarvel
