#include "service_records.h"

namespace tarvel {

TopTenList EmptyTopTenList(std::int32_t list) {
  TopTenList entries;
  for (TQorRecord& entry : entries) entry.GID = list;
  return entries;
}

std::string GameReportFieldName(std::size_t number) {
  // Built front to back: a literal joined in front of a short string makes
  // GCC 12 at -O3 report a false -Wrestrict inside the library.
  std::string name(1, 'R');
  name += std::to_string(number);
  return name;
}

}  // namespace tarvel
