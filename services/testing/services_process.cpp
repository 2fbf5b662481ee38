#include "services_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tarvel::services {
namespace {

constexpr int kStartTimeoutMs = 20000;

pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, int output) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (output >= 0) {
      dup2(output, STDOUT_FILENO);
      close(output);
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

}  // namespace

ServicesProcess::ServicesProcess(const std::string& program, const std::string& dataFolder,
                                 const std::vector<std::string>& extra) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    error_ = "no pipe";
    return;
  }
  std::vector<std::string> arguments{"--port", "0", "--data", dataFolder};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  pid_ = Spawn(program, arguments, pipeEnds[1]);
  close(pipeEnds[1]);
  std::string line;
  pollfd reader{pipeEnds[0], POLLIN, 0};
  while (line.find('\n') == std::string::npos && poll(&reader, 1, kStartTimeoutMs) > 0) {
    char chunk[256];
    const ssize_t got = read(pipeEnds[0], chunk, sizeof chunk);
    if (got <= 0) break;
    line.append(chunk, static_cast<std::size_t>(got));
  }
  close(pipeEnds[0]);
  const std::string marker = "127.0.0.1:";
  const std::size_t at = line.find(marker);
  if (at != std::string::npos) port_ = std::atoi(line.c_str() + at + marker.size());
  if (port_ == 0) error_ = "no listening line: " + line;
}

ServicesProcess::~ServicesProcess() { Stop(); }

std::string ServicesProcess::Base() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

bool ServicesProcess::Stop() {
  if (pid_ <= 0) return false;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  port_ = 0;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  const pid_t pid = Spawn(program, arguments, -1);
  if (pid <= 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string MakeTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-services-XXXXXX").string();
  return mkdtemp(pattern.data()) != nullptr ? pattern : std::string{};
}

}  // namespace tarvel::services
