// The check a resource module file passes before Qt may see it.
//
// A module is a Qt binary resource file as rcc --binary writes it (formats 1,
// 2 and 3). Qt checks only its header and then follows every offset inside
// it unchecked, so a cut or spoiled file makes a picture lookup read outside
// the file or loop forever. IsWellFormedResourceModule walks the whole file the
// way Qt's lookups do and refuses it unless every read they can make stays
// inside it and every lookup ends.
//
// Layout, all numbers big-endian:
//   header  "qres", version (1..3), tree offset, data offset, names offset,
//           and in version 3 the flags of the compressions the file uses
//   tree    nodes of 14 bytes (version 1) or 22 (versions 2 and 3), node 0
//           the root folder:
//             name offset (4), flags (2), then for a folder the child count
//             (4) and the index of its first child (4), for a file the
//             country (2), the language (2) and the data offset (4); from
//             version 2 on the time of the last change (8)
//   names   per name its length in UTF-16 units (2), its hash (4), the text
//   data    per file its size (4) and its bytes; a zlib entry starts with
//           its unpacked size (4), a zstd entry is one zstd frame
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvel {

// The largest module file the game reads, and the largest size a compressed
// picture in it may unpack to.
inline constexpr std::size_t kMaxResourceModuleSize = std::size_t{256} * 1024 * 1024;

// Whether the Qt the game runs on unpacks zstd entries.
enum class ZstdEntries { Supported, Unsupported };

// True when `bytes` is a resource module Qt can register and look pictures
// up in safely: known magic, version and flags; every area, node, name and
// data block inside the file; folders with a child count of 0 or more; a
// tree without cycles or shared nodes; compressed entries that declare an
// unpacked size of at most kMaxResourceModuleSize.
bool IsWellFormedResourceModule(std::span<const std::uint8_t> bytes, ZstdEntries zstd);

}  // namespace tarvel
