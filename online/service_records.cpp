#include "service_records.h"

namespace tarvel {

TopTenList EmptyTopTenList(std::int32_t list) {
  TopTenList entries;
  for (TQorRecord& entry : entries) entry.GID = list;
  return entries;
}

}  // namespace tarvel
