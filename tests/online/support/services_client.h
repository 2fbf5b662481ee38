// The request layer of the program at a services program's base address,
// for tests that talk to the real services program, and a whole file read
// as bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "online/account_requests.h"
#include "online/endpoints.h"
#include "online/http_client.h"
#include "online/service_requests.h"

namespace tarvel::testing {

struct ServicesClient {
  explicit ServicesClient(const std::string& base)
      : endpoints(base), requests(endpoints, http, waiter), accounts(requests) {}
  ServiceEndpoints endpoints;
  HttpClient http;
  RequestWaiter waiter;
  ServiceRequests requests;
  AccountRequests accounts;
};

inline std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tarvel::testing
