// Fuzz target of the club file check: any bytes are checked without harm; a
// club that passes stays valid through removing and storing members and
// entering the top ten, and its passwords decode back to what was encoded.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "club_file.h"
#include "fuzz_check.h"
#include "game_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<std::string> decoded = DecodePassword(bytes.substr(0, 15));
  if (decoded) TARVEL_FUZZ_CHECK(EncodePassword(*decoded) == bytes.substr(0, 15));

  std::optional<ClubLines> club = ParseClub(bytes);
  if (!club) return 0;
  TARVEL_FUZZ_CHECK(ParseClub(FormatClub(*club)).has_value());
  for (int slot = 1; slot <= kClubMembers; ++slot) {
    const std::optional<ClubMember> member = MemberOfLine(*club, slot);
    if (!member) continue;
    for (int mode = 1; mode <= 2; ++mode) TARVEL_FUZZ_CHECK(MemberButtonText((*club)[slot - 1], mode).size() >= 20);
    const PlayerRecord record = PlayerRecordOf(*member);
    TARVEL_FUZZ_CHECK(record.kon >= 1);
  }
  const std::string line = MemberLine(std::string(bytes.substr(0, 20)), 1.5, 30, 100, EncodePassword("pw"));
  RemoveMember(*club, static_cast<int>(size % 7));
  const int place = StoreMember(*club, line, size % 2 == 0);
  TARVEL_FUZZ_CHECK(place >= 0 && place <= 10);
  TARVEL_FUZZ_CHECK(ParseClub(FormatClub(*club)).has_value());
  return 0;
}
