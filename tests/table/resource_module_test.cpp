// The resource module check: modules written by Qt's rcc in every format are
// accepted and read back by Qt unchanged; cut and damaged modules are
// refused, and the picture loaders treat them as missing.
#include "table/pictures.h"
#include "assets/resource_module.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvel {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kZlib = 0x01;
constexpr std::uint16_t kFolder = 0x02;
constexpr std::uint16_t kZstd = 0x04;

bool Sound(const Bytes& bytes, ZstdEntries zstd = ZstdEntries::Supported)
{
    return IsWellFormedResourceModule(bytes, zstd);
}

Bytes ToBytes(const QByteArray& data)
{
    return Bytes(data.begin(), data.end());
}

void Append16(Bytes& bytes, std::uint32_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    bytes.push_back(static_cast<std::uint8_t>(value));
}

void Append32(Bytes& bytes, std::uint32_t value)
{
    Append16(bytes, value >> 16);
    Append16(bytes, value & 0xFFFF);
}

void Put16(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(value);
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    Put16(bytes, at, value >> 16);
    Put16(bytes, at + 2, value & 0xFFFF);
}

// The hash rcc stores beside every name.
std::uint32_t NameHash(const QString& name)
{
    std::uint32_t h = 0;
    for (const QChar c : name) {
        h = (h << 4) + c.unicode();
        h ^= (h & 0xF0000000) >> 23;
        h &= 0x0FFFFFFF;
    }
    return h;
}

void AppendName(Bytes& bytes, const QString& name)
{
    Append16(bytes, static_cast<std::uint32_t>(name.size()));
    Append32(bytes, NameHash(name));
    for (const QChar c : name) {
        Append16(bytes, c.unicode());
    }
}

// A module laid out the way rcc writes one: header, data, names, tree. It
// holds one entry, ":/QorCards06A/Ch09Med.png", whose stored bytes are
// `entry` with the node flags `flags`. The positions let a case spoil one
// field.
struct TinyModule {
    Bytes bytes;
    std::size_t tree = 0;
    std::size_t nodeSize = 0;
    std::size_t data = 0;
    std::size_t names = 0;
    std::size_t fileName = 0;  // the file's name entry, from `names`

    std::size_t Node(int index) const { return tree + static_cast<std::size_t>(index) * nodeSize; }
};

TinyModule MakeTiny(int version, const Bytes& entry = {'j', 'u', 'n', 'k'}, std::uint16_t flags = 0)
{
    TinyModule module;
    const std::size_t header = version >= 3 ? 24 : 20;
    module.nodeSize = version == 1 ? 14 : 22;
    Bytes& b = module.bytes;
    b = {'q', 'r', 'e', 's'};
    Append32(b, static_cast<std::uint32_t>(version));
    for (std::size_t i = 0; i < 3; ++i) {
        Append32(b, 0);  // the area offsets, filled in below
    }
    if (version >= 3) {
        Append32(b, (flags & kZlib ? 0x01u : 0u) | (flags & kZstd ? 0x04u : 0u));
    }
    module.data = b.size();
    Append32(b, static_cast<std::uint32_t>(entry.size()));
    b.insert(b.end(), entry.begin(), entry.end());
    module.names = b.size();
    AppendName(b, QStringLiteral("QorCards06A"));
    module.fileName = b.size() - module.names;
    AppendName(b, QStringLiteral("Ch09Med.png"));
    module.tree = b.size();
    const auto modified = [&b, version] {
        if (version >= 2) {
            Append32(b, 0);
            Append32(b, 0x12345678);
        }
    };
    // The root: a folder of one child, node 1.
    Append32(b, 0);
    Append16(b, kFolder);
    Append32(b, 1);
    Append32(b, 1);
    modified();
    // The folder "QorCards06A": one child, node 2.
    Append32(b, 0);
    Append16(b, kFolder);
    Append32(b, 1);
    Append32(b, 2);
    modified();
    // The picture, any country, language C.
    Append32(b, static_cast<std::uint32_t>(module.fileName));
    Append16(b, flags);
    Append16(b, 0);
    Append16(b, 1);
    Append32(b, 0);
    modified();
    Put32(b, 8, static_cast<std::uint32_t>(module.tree));
    Put32(b, 12, static_cast<std::uint32_t>(module.data));
    Put32(b, 16, static_cast<std::uint32_t>(module.names));
    EXPECT_EQ(module.data, header);
    return module;
}

// A zlib entry as rcc stores it: the unpacked size, then the zlib stream.
Bytes ZlibEntry(const QByteArray& content)
{
    return ToBytes(qCompress(content));
}

// A zstd frame of one raw block holding `content`, declaring its size (or
// `declared` instead) in a header field of `sizeBytes` bytes: 1 (below 256),
// 2 (256 more than the field says), 4 or 8.
Bytes ZstdEntry(const QByteArray& content, int sizeBytes = 4, std::uint64_t declared = ~0ull)
{
    Bytes frame = {0x28, 0xB5, 0x2F, 0xFD};
    std::uint64_t size = declared == ~0ull ? static_cast<std::uint64_t>(content.size()) : declared;
    const std::uint8_t sizeFlag = sizeBytes == 8 ? 3 : sizeBytes == 4 ? 2 : sizeBytes == 2 ? 1 : 0;
    if (sizeBytes == 2) {
        size -= 256;
    }
    frame.push_back(static_cast<std::uint8_t>((sizeFlag << 6) | 0x20));  // one segment, no checksum
    for (int i = 0; i < sizeBytes; ++i) {
        frame.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    }
    const auto block = (static_cast<std::uint32_t>(content.size()) << 3) | 1u;  // raw, the last block
    for (int i = 0; i < 3; ++i) {
        frame.push_back(static_cast<std::uint8_t>(block >> (8 * i)));
    }
    frame.insert(frame.end(), content.begin(), content.end());
    return frame;
}

// What Qt reads from `path` while `bytes` are registered; empty when the
// entry is not there.
QByteArray ReadThroughQt(const Bytes& bytes, const QString& path)
{
    if (!QResource::registerResource(bytes.data())) {
        return {};
    }
    QByteArray content;
    {
        // Qt frees the module's root only once no file refers to it.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            content = file.readAll();
        }
    }
    EXPECT_TRUE(QResource::unregisterResource(bytes.data()));
    return content;
}

TEST(ResourceModule, HandMadeModulesInEveryFormatAreAcceptedAndReadByQt)
{
    const QByteArray text = QByteArray("a picture that packs well ").repeated(20);
    const QByteArray shortText = text.left(200);
    struct Case {
        const char* name;
        std::uint16_t flags;
        Bytes entry;
        QByteArray content;
    };
    const std::vector<Case> cases = {
        {"plain", 0, ToBytes(text), text},
        {"zlib", kZlib, ZlibEntry(text), text},
        {"zstd, one-byte size", kZstd, ZstdEntry(shortText, 1), shortText},
        {"zstd, two-byte size", kZstd, ZstdEntry(text, 2), text},
        {"zstd, four-byte size", kZstd, ZstdEntry(text, 4), text},
        {"zstd, eight-byte size", kZstd, ZstdEntry(text, 8), text},
    };
    for (int version = 1; version <= 3; ++version) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", version " + std::to_string(version));
            const TinyModule module = MakeTiny(version, c.entry, c.flags);
            ASSERT_TRUE(Sound(module.bytes));
            EXPECT_EQ(ReadThroughQt(module.bytes, QStringLiteral(":/QorCards06A/Ch09Med.png")), c.content);
        }
    }
}

TEST(ResourceModule, DamagedModulesAreRefused)
{
    struct Case {
        const char* name;
        int firstVersion;  // the damage needs a field of this format or later
        std::function<void(TinyModule&)> spoil;
    };
    constexpr std::uint32_t kFar = 0x7FFFFF00;
    const std::vector<Case> cases = {
        {"bad magic", 1, [](TinyModule& m) { m.bytes[0] = 'Q'; }},
        {"version 0", 1, [](TinyModule& m) { Put32(m.bytes, 4, 0); }},
        {"version 4", 1, [](TinyModule& m) { Put32(m.bytes, 4, 4); }},
        {"version -1", 1, [](TinyModule& m) { Put32(m.bytes, 4, 0xFFFFFFFF); }},
        {"unknown header flag", 3, [](TinyModule& m) { Put32(m.bytes, 20, 0x08); }},
        {"header cut", 1, [](TinyModule& m) { m.bytes.resize(m.data - 1); }},
        {"tree past the file", 1, [](TinyModule& m) { Put32(m.bytes, 8, static_cast<std::uint32_t>(m.bytes.size())); }},
        {"tree offset negative", 1, [](TinyModule& m) { Put32(m.bytes, 8, 0x80000000); }},
        {"tree too short for a node", 1,
         [](TinyModule& m) { Put32(m.bytes, 8, static_cast<std::uint32_t>(m.bytes.size() - 1)); }},
        {"data area in the header", 1, [](TinyModule& m) { Put32(m.bytes, 12, 4); }},
        {"names past the file", 1, [](TinyModule& m) { Put32(m.bytes, 16, kFar); }},
        {"name offset", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(2), kFar); }},
        {"name offset negative", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(2), 0xFFFFFFF0); }},
        {"folder name offset", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(1), kFar); }},
        {"name text past the file", 1,
         [](TinyModule& m) { Put16(m.bytes, m.names + m.fileName, 0xFFFF); }},
        {"child offset", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 10, 0x07FFFFFF); }},
        {"child offset negative", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 10, 0xFFFFFFFF); }},
        {"children past the tree", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 6, 2); }},
        {"child count huge", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 6, 0x7FFFFFFF); }},
        {"negative count", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 6, 0xFFFFFFFF); }},
        {"root's negative count", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(0) + 6, 0xFFFFFFFF); }},
        {"cycle to the root", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 10, 0); }},
        {"folder its own child", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 10, 1); }},
        {"shared node", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(0) + 6, 2); }},
        {"root a file", 1, [](TinyModule& m) { Put16(m.bytes, m.Node(0) + 4, 0); }},
        {"unknown node flag", 1, [](TinyModule& m) { Put16(m.bytes, m.Node(2) + 4, 0x10); }},
        {"both compressions", 1, [](TinyModule& m) { Put16(m.bytes, m.Node(2) + 4, kZlib | kZstd); }},
        {"compressed folder", 1, [](TinyModule& m) { Put16(m.bytes, m.Node(1) + 4, kFolder | kZlib); }},
        {"data offset", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(2) + 10, kFar); }},
        {"data offset negative", 1, [](TinyModule& m) { Put32(m.bytes, m.Node(2) + 10, 0xFFFFFFFC); }},
        {"data size", 1, [](TinyModule& m) { Put32(m.bytes, m.data, kFar); }},
        {"data one byte past the file", 1,
         [](TinyModule& m) { Put32(m.bytes, m.data, static_cast<std::uint32_t>(m.bytes.size() - m.data - 3)); }},
        {"zlib entry without its size", 1,
         [](TinyModule& m) {
             Put16(m.bytes, m.Node(2) + 4, kZlib);
             Put32(m.bytes, m.data, 3);
         }},
        {"zstd entry that is no frame", 1, [](TinyModule& m) { Put16(m.bytes, m.Node(2) + 4, kZstd); }},
    };
    for (int version = 1; version <= 3; ++version) {
        const TinyModule sound = MakeTiny(version);
        ASSERT_TRUE(Sound(sound.bytes)) << "version " << version;
        for (const Case& c : cases) {
            if (version < c.firstVersion) {
                continue;
            }
            SCOPED_TRACE(std::string(c.name) + ", version " + std::to_string(version));
            TinyModule damaged = sound;
            c.spoil(damaged);
            EXPECT_NE(damaged.bytes, sound.bytes);
            EXPECT_FALSE(Sound(damaged.bytes));
        }
    }
}

TEST(ResourceModule, FieldsAtTheirLimitsAreAccepted)
{
    const TinyModule sound = MakeTiny(1);
    TinyModule toTheEnd = sound;
    // The picture's bytes run to the very end of the file.
    Put32(toTheEnd.bytes, toTheEnd.data, static_cast<std::uint32_t>(toTheEnd.bytes.size() - toTheEnd.data - 4));
    EXPECT_TRUE(Sound(toTheEnd.bytes));
    TinyModule empty = sound;
    Put32(empty.bytes, empty.data, 0);
    EXPECT_TRUE(Sound(empty.bytes));
    TinyModule emptyFolder = sound;
    Put32(emptyFolder.bytes, emptyFolder.Node(1) + 6, 0);
    Put32(emptyFolder.bytes, emptyFolder.Node(1) + 10, 3);  // just past the last node, never read
    EXPECT_TRUE(Sound(emptyFolder.bytes));
}

TEST(ResourceModule, CompressedEntriesDeclareASizeQtCanAllocate)
{
    const QByteArray text("card");
    const auto limit = static_cast<std::uint64_t>(kMaxResourceModuleSize);
    const auto zlibDeclaring = [&text](std::uint32_t size) {
        Bytes entry = ZlibEntry(text);
        Put32(entry, 0, size);
        return entry;
    };
    // What Qt makes of an accepted entry: the text, or nothing when the
    // stream does not match its declared size. Entries declaring the limit
    // are not read: Qt would hand out that many bytes.
    enum class Read { Skipped, Text, Nothing };
    struct Case {
        const char* name;
        std::uint16_t flags;
        Bytes entry;
        ZstdEntries zstd;
        bool sound;
        Read read;
    };
    const ZstdEntries with = ZstdEntries::Supported;
    const std::vector<Case> cases = {
        {"zlib", kZlib, ZlibEntry(text), with, true, Read::Text},
        {"zlib at the limit", kZlib, zlibDeclaring(static_cast<std::uint32_t>(limit)), with, true, Read::Skipped},
        {"zlib past the limit", kZlib, zlibDeclaring(static_cast<std::uint32_t>(limit + 1)), with, false, Read::Skipped},
        {"zlib of 4 GiB", kZlib, zlibDeclaring(0xFFFFFFFF), with, false, Read::Skipped},
        {"zlib, only the size", kZlib, {0, 0, 0, 4}, with, true, Read::Nothing},
        {"zlib, garbage stream", kZlib, {0, 0, 0, 4, 'j', 'u', 'n', 'k'}, with, true, Read::Nothing},
        {"zstd", kZstd, ZstdEntry(text), with, true, Read::Text},
        {"zstd on a Qt without it", kZstd, ZstdEntry(text), ZstdEntries::Unsupported, false, Read::Skipped},
        {"zstd declaring more", kZstd, ZstdEntry(text, 4, 1000), with, true, Read::Nothing},
        {"zstd declaring less", kZstd, ZstdEntry(text, 1, 2), with, true, Read::Nothing},
        {"zstd at the limit", kZstd, ZstdEntry(text, 4, limit), with, true, Read::Skipped},
        {"zstd past the limit", kZstd, ZstdEntry(text, 4, limit + 1), with, false, Read::Skipped},
        {"zstd of 1 TiB", kZstd, ZstdEntry(text, 8, std::uint64_t{1} << 40), with, false, Read::Skipped},
        {"zstd of unknown size", kZstd, {0x28, 0xB5, 0x2F, 0xFD, 0x00, 0x00, 0x01, 0x00, 0x00}, with, false,
         Read::Skipped},
        {"zstd header cut", kZstd, {0x28, 0xB5, 0x2F, 0xFD, 0xE0, 0x01}, with, false, Read::Skipped},
        {"zstd magic only", kZstd, {0x28, 0xB5, 0x2F, 0xFD}, with, false, Read::Skipped},
    };
    for (int version = 1; version <= 3; ++version) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", version " + std::to_string(version));
            const Bytes module = MakeTiny(version, c.entry, c.flags).bytes;
            EXPECT_EQ(Sound(module, c.zstd), c.sound);
            if (c.read != Read::Skipped) {
                EXPECT_EQ(ReadThroughQt(module, QStringLiteral(":/QorCards06A/Ch09Med.png")),
                          c.read == Read::Text ? text : QByteArray());
            }
        }
    }
    // A version 3 module that announces zstd entries in its header is
    // refused as a whole by a Qt without zstd.
    Bytes announcing = MakeTiny(3).bytes;
    Put32(announcing, 20, 0x04);
    EXPECT_TRUE(Sound(announcing, ZstdEntries::Supported));
    EXPECT_FALSE(Sound(announcing, ZstdEntries::Unsupported));
}

TEST(ResourceModule, NoInputCrashesTheCheck)
{
    EXPECT_FALSE(Sound({}));
    EXPECT_FALSE(Sound({'q', 'r', 'e', 's'}));
    EXPECT_FALSE(Sound(Bytes(24, 0xFF)));
    Bytes tooLarge = MakeTiny(1).bytes;
    tooLarge.resize(kMaxResourceModuleSize + 1);
    EXPECT_FALSE(Sound(tooLarge));
}

// Modules written by Qt's own resource compiler, in a temporary folder.
class RccModules : public ::testing::Test {
protected:
    void SetUp() override
    {
        rcc_ = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/rcc");
        if (!QFile::exists(rcc_)) {
            GTEST_SKIP() << "Qt's rcc is not installed";
        }
        ASSERT_TRUE(folder_.isValid());
        QImage red(3, 4, QImage::Format_ARGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(folder_.filePath(QStringLiteral("card.png"))));
        QFile text(folder_.filePath(QStringLiteral("text.txt")));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write(Text());
        text.close();
        QFile qrc(folder_.filePath(QStringLiteral("module.qrc")));
        ASSERT_TRUE(qrc.open(QIODevice::WriteOnly));
        qrc.write("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/QorCards06A\">\n"
                  "  <file alias=\"Ch09Med.png\">card.png</file>\n"
                  "  <file alias=\"Ch10Med.png\">card.png</file>\n"
                  "  <file alias=\"Cher/Kr09Med.png\">card.png</file>\n"
                  "  <file alias=\"Notes.txt\">text.txt</file>\n"
                  "</qresource>\n</RCC>\n");
        qrc.close();
    }

    static QByteArray Text() { return QByteArray("the notes pack well; ").repeated(40); }

    // The module rcc writes with `options`.
    Bytes Compile(const QStringList& options)
    {
        const QString out = folder_.filePath(QStringLiteral("out.rcc"));
        QProcess rcc;
        rcc.start(rcc_, QStringList{QStringLiteral("--binary")} + options +
                            QStringList{QStringLiteral("--output"), out, folder_.filePath(QStringLiteral("module.qrc"))});
        EXPECT_TRUE(rcc.waitForFinished(-1));
        EXPECT_EQ(rcc.exitCode(), 0) << rcc.readAllStandardError().toStdString();
        QFile file(out);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return ToBytes(file.readAll());
    }

    struct Format {
        const char* name;
        QStringList options;
        std::uint32_t headerFlags;  // version 3: the compressions rcc announces
    };
    static std::vector<Format> Formats()
    {
        return {
            {"version 1", {"--format-version", "1", "--no-compress"}, 0},
            {"version 2, zlib", {"--format-version", "2", "--compress-algo", "zlib", "--threshold", "0"}, 0},
            {"version 3", {"--format-version", "3", "--no-compress"}, 0},
            {"version 3, zlib", {"--format-version", "3", "--compress-algo", "zlib", "--threshold", "0"}, 0x01},
            {"version 3, zstd", {"--format-version", "3", "--compress-algo", "zstd", "--threshold", "0"}, 0x04},
        };
    }

    QString rcc_;
    QTemporaryDir folder_;
};

TEST_F(RccModules, EveryFormatIsAcceptedAndReadBack)
{
    for (const Format& format : Formats()) {
        SCOPED_TRACE(format.name);
        const Bytes module = Compile(format.options);
        ASSERT_GT(module.size(), 24u);
        if (format.headerFlags != 0) {
            EXPECT_EQ(module[23] & format.headerFlags, format.headerFlags);  // really compressed
        }
        EXPECT_TRUE(Sound(module));
        EXPECT_EQ(ReadThroughQt(module, QStringLiteral(":/QorCards06A/Notes.txt")), Text());
        const QByteArray picture = ReadThroughQt(module, QStringLiteral(":/QorCards06A/Cher/Kr09Med.png"));
        EXPECT_EQ(QImage::fromData(picture).size(), QSize(3, 4));
    }
    const Bytes zstd = Compile(Formats().back().options);
    EXPECT_FALSE(Sound(zstd, ZstdEntries::Unsupported));
}

TEST_F(RccModules, EveryCutIsRefused)
{
    // rcc writes the tree last, so every cut loses at least a part of a node.
    for (const Format& format : Formats()) {
        SCOPED_TRACE(format.name);
        const Bytes module = Compile(format.options);
        ASSERT_TRUE(Sound(module));
        for (std::size_t length = 0; length < module.size(); ++length) {
            EXPECT_FALSE(Sound(Bytes(module.begin(), module.begin() + static_cast<std::ptrdiff_t>(length))))
                << length;
        }
    }
}

// The picture loaders behind the check: a program folder inside a parent.
class CheckedModules : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("Tarvel")));
        folder_ = root_.filePath(QStringLiteral("Tarvel"));
    }

    QString ModulePath() const { return QDir(folder_).filePath(QStringLiteral("QorCards06A.rcc")); }

    void WriteModule(const Bytes& bytes)
    {
        QFile file(ModulePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())),
                  static_cast<qint64>(bytes.size()));
    }

    // Loads the Medieval-1 deck, which "QorCards06A.rcc" holds.
    bool LoadMedieval()
    {
        messages_.clear();
        CardPictures pictures(
            QStringList{folder_}, [this](const QString& text) { messages_.push_back(text); }, [] { return 1; });
        settings_ = Settings{};
        settings_.CardDeck = 1;
        return pictures.LoadDeck(settings_, GeometryForWindowSize(kSmallWindow, QSize()));
    }

    void ExpectMissing()
    {
        EXPECT_EQ(settings_.CardDeck, 0);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0], QStringLiteral("Can`t find the file QorCards06A.rcc"));
        EXPECT_FALSE(QResource(QStringLiteral(":/QorCards06A/Ch09Med.png")).isValid());
    }

    QTemporaryDir root_;
    QString folder_;
    Settings settings_;
    std::vector<QString> messages_;
};

TEST_F(CheckedModules, DamagedModuleCountsAsMissing)
{
    struct Case {
        const char* name;
        std::function<void(TinyModule&)> spoil;
    };
    // The damages that crashed or hung the loader before modules were checked.
    const std::vector<Case> cases = {
        {"name offset", [](TinyModule& m) { Put32(m.bytes, m.Node(2), 0x7FFFFF00); }},
        {"child offset", [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 10, 0x07FFFFFF); }},
        {"data offset", [](TinyModule& m) { Put32(m.bytes, m.Node(2) + 10, 0x7FFFFF00); }},
        {"data size", [](TinyModule& m) { Put32(m.bytes, m.data, 0x7FFFFF00); }},
        {"negative count", [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 6, 0xFFFFFFFF); }},
        {"cycle", [](TinyModule& m) { Put32(m.bytes, m.Node(1) + 10, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TinyModule module = MakeTiny(1);
        c.spoil(module);
        WriteModule(module.bytes);
        EXPECT_FALSE(LoadMedieval());
        ExpectMissing();
    }
}

TEST_F(CheckedModules, OversizedFileCountsAsMissingUnread)
{
    WriteModule(MakeTiny(3).bytes);
    QFile file(ModulePath());
    // Sparse: the size is there, the disk space is not.
    ASSERT_TRUE(file.resize(static_cast<qint64>(kMaxResourceModuleSize) + 1));
    EXPECT_FALSE(LoadMedieval());
    ExpectMissing();
}

TEST_F(CheckedModules, SoundModuleIsReadFromMemoryAndReleased)
{
#ifdef TARVEL_TEST_MODULES_DIR
    const QString built = QStringLiteral(TARVEL_TEST_MODULES_DIR "/QorCards06A.rcc");
    ASSERT_TRUE(QFile::copy(built, ModulePath()));
    QFile file(ModulePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(Sound(ToBytes(file.readAll())));
    file.close();
    EXPECT_TRUE(LoadMedieval());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(settings_.CardDeck, 1);
    // Released after loading, and loaded again from a fresh copy.
    EXPECT_FALSE(QResource(QStringLiteral(":/QorCards06A/Ch09Med.png")).isValid());
    EXPECT_TRUE(LoadMedieval());
    // Cut after it was loaded once: now missing.
    ASSERT_TRUE(QFile::resize(ModulePath(), QFileInfo(ModulePath()).size() - 1));
    EXPECT_FALSE(LoadMedieval());
    ExpectMissing();
#else
    GTEST_SKIP() << "the test modules are not part of this build";
#endif
}

}  // namespace
}  // namespace tarvel
