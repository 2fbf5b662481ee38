// Runs the real tarvel-services program for tests and benchmarks: on a free
// port of 127.0.0.1 with a data folder of its own, stopped when the object
// goes. Plain POSIX, so that tests without Qt can use it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tarvel::services {

class ServicesProcess {
 public:
  // Starts `program` with "--port 0 --data DATA" and `extra` arguments and
  // waits for its "listening on" line. Started() is false when that line did
  // not come (the reason is in Error()).
  ServicesProcess(const std::string& program, const std::string& dataFolder,
                  const std::vector<std::string>& extra = {});
  ~ServicesProcess();
  ServicesProcess(const ServicesProcess&) = delete;
  ServicesProcess& operator=(const ServicesProcess&) = delete;

  bool Started() const { return port_ != 0; }
  const std::string& Error() const { return error_; }
  int Port() const { return port_; }
  // "http://127.0.0.1:PORT/"
  std::string Base() const;

  // Stops the program (SIGTERM, then waits for it). True when it ended by
  // itself on the signal, without a crash.
  bool Stop();

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::string error_;
};

// Runs `program` with `arguments` to its end; its exit status, -1 when it
// could not run or did not exit normally.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// A fresh folder under the system's temporary folder.
std::string MakeTemporaryFolder();

}  // namespace tarvel::services
