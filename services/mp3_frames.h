// The frames of an MPEG audio Layer III file, found by their headers. Plain
// C++: the radio loops are cut into frames once, so that every write to a
// listener is a whole frame a decoder can start at.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tarvel::services {

struct Mp3Frame {
  std::size_t offset = 0;
  std::size_t length = 0;
};

struct Mp3Frames {
  std::vector<Mp3Frame> frames;
  int sampleRate = 0;      // of the first frame
  int bitrateKbps = 0;     // of the first frame
  int samplesPerFrame = 0; // 1152 for MPEG-1, 576 for MPEG-2 and 2.5
};

// The frames of `data` from its first frame header on (an ID3v2 tag before
// it is passed over), up to the first byte that does not continue the chain
// of frames. Empty when there is no frame, or the frames change their sample
// rate (a stream's clock needs one rate).
Mp3Frames FindMp3Frames(std::string_view data);

}  // namespace tarvel::services
