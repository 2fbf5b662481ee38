#include "online_top_ten.h"

#include <algorithm>
#include <iterator>

#include "replies.h"

namespace tarvel {

bool ReadOnlineTopTen(ServiceRequests& requests, char kind, TopTenList& entries) {
  entries = EmptyTopTenList(kGameId);
  if (std::find(std::begin(kOnlineTopKinds), std::end(kOnlineTopKinds), kind) == std::end(kOnlineTopKinds))
    return false;
  const std::string name = std::string("top10") + kind + std::to_string(kGameId);
  const HttpReply reply = requests.PostList(Endpoint::TournamentService, {{name, "0"}, {"nick", "z"}}, false);
  return reply.ok && ParseOnlineTopTenReply(reply.body, entries);
}

}  // namespace tarvel
