// A small HTTP server on 127.0.0.1 in a thread of its own, for tests of
// code that downloads on the calling thread. Each path has a canned reply:
// bytes sent as they are (status line, headers and body), after which the
// connection is closed; a path with no reply is read and never answered.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace tarvel::testing {

class LocalHttpServer {
 public:
  explicit LocalHttpServer(std::map<std::string, std::string> replies) : replies_(std::move(replies)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 8);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    for (int client : silent_) ::close(client);
    ::close(listener_);
  }

  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

  // A complete reply with status 200 and the body.
  static std::string Ok(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
  }

 private:
  void Serve() {
    while (!stop_) {
      pollfd ready{listener_, POLLIN, 0};
      if (::poll(&ready, 1, 20) <= 0) continue;
      const int client = ::accept(listener_, nullptr, nullptr);
      if (client < 0) continue;
      std::string request;
      char buffer[1024];
      while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<std::size_t>(got));
      }
      const auto start = request.find(' ') + 1;
      const std::string path = request.substr(start, request.find(' ', start) - start);
      const auto reply = replies_.find(path);
      if (reply == replies_.end()) {
        silent_.push_back(client);  // kept open and never answered
        continue;
      }
      std::size_t sent = 0;
      while (sent < reply->second.size()) {
        const ssize_t n = ::send(client, reply->second.data() + sent, reply->second.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      ::close(client);
    }
  }

  std::map<std::string, std::string> replies_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::vector<int> silent_;
  std::thread thread_;
};

}  // namespace tarvel::testing
