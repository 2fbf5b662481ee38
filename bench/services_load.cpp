// Load test of the services program: world top ten list reads over
// keep-alive connections on loopback, for a bounded time and count.
//
//   tarvel_bench_services [--seconds S] [--connections C] [--max-requests N]
//                         [--writes-per-second W]
//
// Starts the real tarvel-services with a fresh data folder, writes 50 results
// into list 807, then C client threads each send one list read at a time and
// wait for its reply. With W > 0 one more thread writes W results a second
// into the same list, so reads after each write go to the database again.
// Prints reads per second and latency percentiles.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "http_client.h"
#include "services_process.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  double seconds = 5;
  int connections = 4;
  long maxRequests = 1000000;
  int writesPerSecond = 0;
};

int Connect(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return fd;
}

// Reads one reply (headers and a Content-Length body); false on a broken one.
bool ReadReply(int fd, std::string& buffer) {
  for (;;) {
    const std::size_t end = buffer.find("\r\n\r\n");
    if (end != std::string::npos) {
      std::size_t length = 0;
      std::string head = buffer.substr(0, end);
      std::transform(head.begin(), head.end(), head.begin(), ::tolower);
      const std::size_t at = head.find("content-length:");
      if (at != std::string::npos) length = std::strtoul(head.c_str() + at + 15, nullptr, 10);
      if (buffer.size() >= end + 4 + length) {
        const bool ok = head.rfind("http/1.1 200", 0) == 0;
        buffer.erase(0, end + 4 + length);
        return ok;
      }
    }
    char chunk[16384];
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) return false;
    buffer.append(chunk, static_cast<std::size_t>(got));
  }
}

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--seconds") options.seconds = std::atof(argv[i + 1]);
    if (name == "--connections") options.connections = std::max(1, std::atoi(argv[i + 1]));
    if (name == "--max-requests") options.maxRequests = std::atol(argv[i + 1]);
    if (name == "--writes-per-second")
      options.writesPerSecond = std::clamp(std::atoi(argv[i + 1]), 0, 1000);
  }
  options.seconds = std::clamp(options.seconds, 0.5, 60.0);
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = Parse(argc, argv);
  const std::string data = tarvel::services::MakeTemporaryFolder();
  tarvel::services::ServicesProcess services(TARVEL_SERVICES_PROGRAM, data);
  if (!services.Started()) {
    std::fprintf(stderr, "services did not start: %s\n", services.Error().c_str());
    return 1;
  }
  tarvel::HttpClient client;
  for (int i = 0; i < 50; ++i) {
    client.PostText(services.Base() + "wtop10",
                    "gid=807&nick=P" + std::to_string(i) + "&city=Rome&country=1-001&score=" +
                        std::to_string(i * 37 % 1000) + "&R7=M&R8=5.7f&R9=#&R10=#*");
  }
  const std::string request =
      "POST /wtop10 HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: QorSpecAccess\r\n"
      "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 7\r\n\r\ngid=807";

  std::atomic<long> issued{0};
  std::atomic<long> failures{0};
  std::vector<std::vector<double>> latencies(static_cast<std::size_t>(options.connections));
  const Clock::time_point start = Clock::now();
  const Clock::time_point until =
      start + std::chrono::microseconds(static_cast<long>(options.seconds * 1e6));
  std::vector<std::thread> threads;
  for (int c = 0; c < options.connections; ++c) {
    threads.emplace_back([&, c] {
      std::vector<double>& mine = latencies[static_cast<std::size_t>(c)];
      int fd = Connect(services.Port());
      std::string buffer;
      while (fd >= 0 && Clock::now() < until && issued.fetch_add(1) < options.maxRequests) {
        const Clock::time_point sent = Clock::now();
        if (write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size()) ||
            !ReadReply(fd, buffer)) {
          ++failures;
          close(fd);
          buffer.clear();
          fd = Connect(services.Port());
          continue;
        }
        mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
      }
      if (fd >= 0) close(fd);
    });
  }
  long writes = 0;
  if (options.writesPerSecond > 0) {
    threads.emplace_back([&] {
      tarvel::HttpClient writer;
      const auto step = std::chrono::microseconds(1000000 / options.writesPerSecond);
      for (Clock::time_point next = Clock::now(); next < until; next += step) {
        std::this_thread::sleep_until(next);
        writer.PostText(services.Base() + "wtop10",
                        "gid=807&nick=W" + std::to_string(writes % 1000) +
                            "&city=Oslo&country=1-001&score=" + std::to_string(writes % 997) +
                            "&R7=W&R8=5.7f&R9=#&R10=#*");
        ++writes;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  services.Stop();
  std::filesystem::remove_all(data);

  std::vector<double> all;
  for (const auto& mine : latencies) all.insert(all.end(), mine.begin(), mine.end());
  if (all.empty()) {
    std::fprintf(stderr, "no reply came\n");
    return 1;
  }
  std::sort(all.begin(), all.end());
  auto percentile = [&all](double p) {
    return all[std::min(all.size() - 1, static_cast<std::size_t>(p * static_cast<double>(all.size())))];
  };
  std::printf("world top ten list reads: %zu in %.2f s over %d connections, %ld failed, %ld writes\n",
              all.size(), elapsed, options.connections, failures.load(), writes);
  std::printf("reads/s %.0f  latency ms: p50 %.3f  p90 %.3f  p99 %.3f  max %.3f\n",
              static_cast<double>(all.size()) / elapsed, percentile(0.5), percentile(0.9),
              percentile(0.99), all.back());
  return failures.load() == 0 ? 0 : 1;
}
