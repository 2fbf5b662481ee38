// The online tournament's top ten as the world top ten window reads it.
#pragma once

#include "service_requests.h"

namespace tarvel {

// The kinds of the online top ten: by score, by rating, by games played.
inline constexpr char kOnlineTopKinds[] = {'s', 'r', 'k'};

// "top10" kind GameId "=0" and "nick=z" to the tournament service (list
// style); up to ten entries (GID kGameId). False on failure, when `kind` is
// none of the three, or when a numeric field does not parse.
bool ReadOnlineTopTen(ServiceRequests& requests, char kind, TopTenList& entries);

}  // namespace tarvel
