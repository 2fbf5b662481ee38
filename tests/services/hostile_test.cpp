// Requests no game sends: the services refuse them with an error status and
// store nothing of them.
#include <gtest/gtest.h>

#include <random>

#include "replies.h"
#include "services_fixture.h"

namespace tarvel::services::testing {
namespace {

const char* kValidEntry =
    "gid=807&nick=Ann&city=Rome&country=1-001&score=10&R7=W&R8=5.7f&R9=#&R10=#*";

// Every field of every record readable, none with a blank or a control byte.
void ExpectClean(const std::string& reply) {
  for (const ReplyFields& record : ReplyRecords(reply, 1000)) {
    for (const std::string_view field : record) {
      EXPECT_FALSE(field.empty()) << reply;
      for (const char c : field) EXPECT_GT(static_cast<unsigned char>(c), 0x20) << reply;
    }
  }
}

TEST(HostileRequests, RefusedWithAnErrorStatusAndNothingStored) {
  Services services;
  HttpClient& client = services.client;
  const std::string topTen = services.endpoints.Address(Endpoint::TopTenService);
  const std::string stat = services.endpoints.Address(Endpoint::StatService);
  ASSERT_TRUE(client.PostText(topTen, kValidEntry).ok);
  const std::string before = client.PostText(topTen, "gid=807").body;
  const std::string statBefore = client.PostText(stat, "gid=807").body;

  struct Case {
    const std::string* url;
    std::string body;
  } const cases[] = {
      {&topTen, std::string(70 * 1024, 'a')},
      {&topTen, "gid=807&nick=Big Bob&city=Rome&country=1-001&score=1&R7=M&R8=5.7f&R9=#&R10=#"},
      {&topTen, std::string(kValidEntry) + "&score=99"},  // a forged second score
      {&topTen, "gid=807&nick=A&B=1&city=Rome&country=1-001&score=1&R7=M&R8=5.7f&R9=#&R10=#"},
      {&topTen, "gid=807&nick=Ann&city=Rome&country=1-001&score=1e9&R7=M&R8=5.7f&R9=#&R10=#"},
      {&topTen, "gid=807&nick=Ann&city=Rome&country=1-001&score=9999999999&R7=M&R8=5.7f&R9=#&R10=#"},
      {&topTen, "gid=807&nick=Ann$1&city=Rome&country=1-001&score=1&R7=M&R8=5.7f&R9=#&R10=#"},
      {&topTen, "gid=807&nick=ThirteenChars&city=Rome&country=1-001&score=1&R7=M&R8=5.7f&R9=#&R10=#"},
      {&topTen, "gid=807&nick=A&city=Rome&country=1-001&score=1&R7=M&R8=5.7f&R9=#&R10=#"},
      {&topTen, "gid=807&nick=Ann&city=Rome&country=Europe&score=1&R7=M&R8=5.7f&R9=#&R10=#"},
      {&topTen, "gid=807&nick=Ann&city=Rome&country=1-001&score=1&R7=M&R8=5.7f&R9=#&R10=a:b"},
      {&topTen, "gid=0"},
      {&topTen, "gid=-807"},
      {&topTen, "readtable310=87&gid=87"},
      {&stat, "gid=807&stat1=2&stat2=1"},
      {&stat, "gid=807&stat3=1&stat4=a\tb"},
      {&stat, "gid=807&R1=1&R2=0&R3=0&R4=0&R5=0&R6=0&R7=0&R8=0&R9=0&R10=0&R11=0&R12=-5"},
      {&stat, "serverinforead=0&gid=87"},
      {&stat, "gid=807&stat1=1"},
  };
  for (const Case& c : cases) {
    const HttpReply reply = client.PostText(*c.url, c.body);
    EXPECT_FALSE(reply.ok) << c.body.substr(0, 80);
    EXPECT_GE(reply.status, 400) << c.body.substr(0, 80);
  }
  EXPECT_EQ(client.PostText(topTen, "gid=807").body, before);
  EXPECT_EQ(client.PostText(stat, "gid=807").body, statBefore);

  // Random bodies: fields from the services' own names with random values,
  // and random bytes. The services keep answering, and whatever they took
  // reads back clean.
  std::mt19937 random(807);
  const char* names[] = {"gid", "rgid", "nick", "city", "country", "score", "R7", "R8", "R9",
                         "R10", "stat1", "stat2", "stat3", "stat4", "R1", "R12", "x"};
  const std::string bytes = std::string("0123456789-+ &=$*#%\r\n\t\x01") + "\xC0\xFF" + "abcXYZ";
  auto randomText = [&](std::size_t most) {
    std::string text(random() % most, ' ');
    for (char& c : text) c = bytes[random() % bytes.size()];
    return text;
  };
  for (int i = 0; i < 10000; ++i) {
    std::string body;
    if (i % 4 == 0) {
      body = randomText(300);
    } else {
      for (unsigned f = random() % 10; f > 0; --f)
        body += std::string(names[random() % std::size(names)]) + "=" + randomText(12) + "&";
    }
    const HttpReply reply = client.PostText(i % 2 == 0 ? topTen : stat, body);
    ASSERT_NE(reply.status, 0) << "no answer to body " << i;
  }
  for (const std::int32_t list : {kWorldList, 0, 1, 100}) {
    const HttpReply reply = client.PostText(topTen, "gid=" + std::to_string(list));
    ExpectClean(reply.body);
  }
  TQorStat parsed;
  const HttpReply reply = client.PostText(stat, "gid=807");
  ASSERT_TRUE(reply.ok);
  EXPECT_TRUE(ParseStatReply(reply.body, parsed));
  ExpectClean(reply.body);
  EXPECT_TRUE(services.process.Stop());  // ended cleanly, not crashed
}

}  // namespace
}  // namespace tarvel::services::testing
