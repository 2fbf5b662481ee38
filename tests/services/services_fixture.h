// The real tarvel-services in a temporary data folder, and the game's
// request layer pointed at it.
#pragma once

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "service_requests.h"
#include "services_process.h"

namespace tarvel::services::testing {

class Services {
 public:
  explicit Services(const std::vector<std::string>& extra = {},
                    std::string folder = MakeTemporaryFolder())
      : data(std::move(folder)),
        process(TARVEL_SERVICES_PROGRAM, data, extra),
        endpoints(process.Base()),
        requests(endpoints, client, waiter) {
    EXPECT_TRUE(process.Started()) << process.Error();
  }
  ~Services() {
    process.Stop();
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
  }

  std::string data;
  ServicesProcess process;
  ServiceEndpoints endpoints;
  HttpClient client;
  RequestWaiter waiter;
  ServiceRequests requests;
};

// A world top ten result as the game sends it.
inline TopTenEntry ResultEntry(std::int32_t list, const std::string& nick, const std::string& city,
                               std::int32_t score, const std::string& country = "1-001") {
  TopTenEntry entry;
  entry.list = list;
  entry.nick = nick;
  entry.city = city;
  entry.country = country;
  entry.score = score;
  entry.r7 = "M";
  return entry;
}

// A port of 127.0.0.1 that was free a moment ago.
inline int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

}  // namespace tarvel::services::testing
