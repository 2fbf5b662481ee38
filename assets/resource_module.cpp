#include "resource_module.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace tarvel {

namespace {

// Node flags.
constexpr std::uint16_t kCompressedZlib = 0x01;
constexpr std::uint16_t kDirectory = 0x02;
constexpr std::uint16_t kCompressedZstd = 0x04;

constexpr std::size_t kHeaderSize = 20;         // versions 1 and 2
constexpr std::size_t kHeaderSizeFlags = 24;    // version 3
constexpr std::size_t kNodeSize = 14;           // version 1
constexpr std::size_t kNodeSizeModified = 22;   // versions 2 and 3, with the time of the last change
constexpr std::size_t kNameHead = 6;            // length and hash before the text

// The bytes of a module with bounds-checked big-endian reads. Positions and
// lengths are 64-bit, so sums of 32-bit fields never wrap.
class ModuleBytes {
public:
    explicit ModuleBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t Size() const { return bytes_.size(); }
    bool Holds(std::uint64_t at, std::uint64_t length) const
    {
        return at <= Size() && length <= Size() - at;
    }
    // The caller has checked Holds(at, 2) / Holds(at, 4).
    std::uint16_t U16(std::uint64_t at) const
    {
        return static_cast<std::uint16_t>((Byte(at) << 8) | Byte(at + 1));
    }
    std::uint32_t U32(std::uint64_t at) const
    {
        return (std::uint32_t{Byte(at)} << 24) | (std::uint32_t{Byte(at + 1)} << 16) |
               (std::uint32_t{Byte(at + 2)} << 8) | std::uint32_t{Byte(at + 3)};
    }
    // Qt reads offsets and counts as signed 32-bit numbers.
    std::int32_t I32(std::uint64_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::span<const std::uint8_t> From(std::uint64_t at, std::uint64_t length) const
    {
        return bytes_.subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(length));
    }

private:
    std::uint8_t Byte(std::uint64_t at) const { return bytes_[static_cast<std::size_t>(at)]; }

    std::span<const std::uint8_t> bytes_;
};

// The unpacked size a zstd frame declares in its header (little-endian
// fields), the number zstd's ZSTD_getFrameContentSize gives Qt to allocate.
// Empty when the block is not a zstd frame, its header is cut or it leaves
// the size open.
std::optional<std::uint64_t> ZstdContentSize(std::span<const std::uint8_t> frame)
{
    constexpr std::array<std::uint8_t, 4> kMagic = {0x28, 0xB5, 0x2F, 0xFD};
    if (frame.size() < 5 || !std::equal(kMagic.begin(), kMagic.end(), frame.begin())) {
        return std::nullopt;
    }
    const std::uint8_t descriptor = frame[4];
    const unsigned sizeFlag = descriptor >> 6;
    const bool singleSegment = (descriptor & 0x20) != 0;
    constexpr std::array<std::size_t, 4> kDictionaryIdBytes = {0, 1, 2, 4};
    constexpr std::array<std::size_t, 4> kSizeBytes = {0, 2, 4, 8};
    const std::size_t at = 5 + (singleSegment ? 0 : 1) + kDictionaryIdBytes[descriptor & 0x03];
    const std::size_t length = sizeFlag == 0 && singleSegment ? 1 : kSizeBytes[sizeFlag];
    if (length == 0 || frame.size() < at + length) {
        return std::nullopt;
    }
    std::uint64_t size = 0;
    for (std::size_t i = length; i-- > 0;) {
        size = (size << 8) | frame[at + i];
    }
    return length == 2 ? size + 256 : size;
}

// Checks of the names and data blocks the tree points at; `names` and `data`
// are where those areas start.
class ModuleCheck {
public:
    ModuleCheck(ModuleBytes bytes, std::uint64_t names, std::uint64_t data, ZstdEntries zstd)
        : bytes_(bytes), names_(names), data_(data), zstd_(zstd)
    {
    }

    bool NameIsInside(std::int32_t offset) const
    {
        if (offset < 0 || !bytes_.Holds(names_ + static_cast<std::uint64_t>(offset), kNameHead)) {
            return false;
        }
        const std::uint64_t at = names_ + static_cast<std::uint64_t>(offset);
        return bytes_.Holds(at + kNameHead, std::uint64_t{bytes_.U16(at)} * 2);
    }

    bool DataIsSound(std::int32_t offset, std::uint16_t flags) const
    {
        if (offset < 0 || !bytes_.Holds(data_ + static_cast<std::uint64_t>(offset), 4)) {
            return false;
        }
        const std::uint64_t at = data_ + static_cast<std::uint64_t>(offset);
        const std::uint64_t length = bytes_.U32(at);
        if (!bytes_.Holds(at + 4, length)) {
            return false;
        }
        // Qt allocates the unpacked size a compressed entry declares before
        // it unpacks anything; an absurd one must not reach it.
        if ((flags & kCompressedZlib) != 0) {
            return length >= 4 && bytes_.U32(at + 4) <= kMaxResourceModuleSize;
        }
        if ((flags & kCompressedZstd) != 0) {
            if (zstd_ != ZstdEntries::Supported) {
                return false;
            }
            const std::optional<std::uint64_t> unpacked = ZstdContentSize(bytes_.From(at + 4, length));
            return unpacked && *unpacked <= kMaxResourceModuleSize;
        }
        return true;
    }

private:
    ModuleBytes bytes_;
    std::uint64_t names_;
    std::uint64_t data_;
    ZstdEntries zstd_;
};

}  // namespace

bool IsWellFormedResourceModule(std::span<const std::uint8_t> input, ZstdEntries zstd)
{
    const ModuleBytes bytes(input);
    if (bytes.Size() > kMaxResourceModuleSize || bytes.Size() < kHeaderSize ||
        !(input[0] == 'q' && input[1] == 'r' && input[2] == 'e' && input[3] == 's')) {
        return false;
    }
    const std::int32_t version = bytes.I32(4);
    if (version < 1 || version > 3) {
        return false;
    }
    const std::uint64_t headerSize = version >= 3 ? kHeaderSizeFlags : kHeaderSize;
    if (bytes.Size() < headerSize) {
        return false;
    }
    // Every area starts after the header and inside the file. The file is
    // far below 2 GiB, so an offset Qt would read as negative fails too.
    const std::uint64_t tree = bytes.U32(8);
    const std::uint64_t data = bytes.U32(12);
    const std::uint64_t names = bytes.U32(16);
    for (const std::uint64_t area : {tree, data, names}) {
        if (area < headerSize || area >= bytes.Size()) {
            return false;
        }
    }
    if (version >= 3) {
        const std::uint32_t known =
            kCompressedZlib | (zstd == ZstdEntries::Supported ? kCompressedZstd : 0u);
        if ((bytes.U32(20) & ~known) != 0) {
            return false;
        }
    }

    const std::uint64_t nodeSize = version == 1 ? kNodeSize : kNodeSizeModified;
    const std::uint64_t nodeCount = (bytes.Size() - tree) / nodeSize;
    if (nodeCount == 0) {
        return false;
    }
    const ModuleCheck check(bytes, names, data, zstd);

    // Depth-first from the root. Every node has at most one parent, so a
    // node met a second time is a cycle or a shared subtree; both are
    // refused, and the walk visits each node at most once.
    std::vector<bool> met(static_cast<std::size_t>(nodeCount), false);
    std::vector<std::uint64_t> pending{0};
    met[0] = true;
    while (!pending.empty()) {
        const std::uint64_t node = pending.back();
        pending.pop_back();
        const std::uint64_t at = tree + node * nodeSize;
        const std::uint16_t flags = bytes.U16(at + 4);
        if ((flags & ~(kCompressedZlib | kDirectory | kCompressedZstd)) != 0) {
            return false;
        }
        const bool folder = (flags & kDirectory) != 0;
        // Qt takes the root's children without looking at its flags.
        if (node == 0 && !folder) {
            return false;
        }
        // The root's name is never read.
        if (node != 0 && !check.NameIsInside(bytes.I32(at))) {
            return false;
        }
        if (!folder) {
            // One way of unpacking per entry.
            if ((flags & kCompressedZlib) != 0 && (flags & kCompressedZstd) != 0) {
                return false;
            }
            if (!check.DataIsSound(bytes.I32(at + 10), flags)) {
                return false;
            }
            continue;
        }
        if ((flags & (kCompressedZlib | kCompressedZstd)) != 0) {
            return false;
        }
        // A negative count sends Qt's binary search among the children
        // into an endless loop.
        const std::int32_t childCount = bytes.I32(at + 6);
        const std::int32_t firstChild = bytes.I32(at + 10);
        if (childCount < 0 || firstChild < 0 ||
            static_cast<std::uint64_t>(firstChild) + static_cast<std::uint64_t>(childCount) > nodeCount) {
            return false;
        }
        for (std::int32_t i = 0; i < childCount; ++i) {
            const auto child = static_cast<std::size_t>(firstChild) + static_cast<std::size_t>(i);
            if (met[child]) {
                return false;
            }
            met[child] = true;
            pending.push_back(child);
        }
    }
    return true;
}

}  // namespace tarvel
