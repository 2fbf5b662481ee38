#include "table/pictures.h"

#include "settings/words/words.h"
#include "assets/resource_module.h"
#include "widgets/program_picture.h"

#ifdef TARVEL_HAS_ASSETS
#include "assets/tarvel_assets.h"
#endif

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainterPath>
#include <QResource>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <span>

namespace tarvel {

namespace {

void EnsureProgramPictures()
{
#ifdef TARVEL_HAS_ASSETS
    static const bool initialised = [] {
        InitTarvelAssets();
        return true;
    }();
    (void)initialised;
#endif
}

// The bytes of a module file, or nothing when it cannot be read or is larger
// than any module.
QByteArray ReadModule(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(kMaxResourceModuleSize)) {
        return {};
    }
    return file.readAll();
}

QImage LoadPicture(const PictureRef& ref)
{
    return DecodePicture(ref.ResourcePath());
}

QImage ToSize(const QImage& image, QSize size)
{
    if (image.isNull() || image.size() == size) {
        return image;
    }
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

int SuitIndexOf(Suit suit)
{
    for (int i = 0; i < 4; ++i) {
        if (DeckSuits[static_cast<std::size_t>(i)] == suit) {
            return i;
        }
    }
    return -1;
}

const QImage& NullImage()
{
    static const QImage image;
    return image;
}

}  // namespace

// Qt trusts every offset inside a registered module, so the file is read
// into memory, checked whole, and those checked bytes (not the file, which
// may change in the meantime) are what Qt reads. A module that fails the
// check counts as missing.
ResourceModuleSession::ResourceModuleSession(const QStringList& moduleFolders, const QString& fileName)
{
    if (fileName.isEmpty()) {
        ok_ = true;  // the program's own pictures need no module
        return;
    }
    const QString path = FindModule(moduleFolders, fileName);
    if (path.isEmpty()) {
        return;
    }
    QByteArray bytes = ReadModule(path);
    const std::span<const std::uint8_t> view(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                             static_cast<std::size_t>(bytes.size()));
    if (!IsWellFormedResourceModule(view, QT_CONFIG(zstd) ? ZstdEntries::Supported : ZstdEntries::Unsupported)) {
        return;
    }
    bytes_ = std::move(bytes);
    ok_ = QResource::registerResource(Data());
    if (!ok_) {
        bytes_.clear();
    }
}

ResourceModuleSession::~ResourceModuleSession()
{
    if (!bytes_.isEmpty()) {
        QResource::unregisterResource(Data());
    }
}

const uchar* ResourceModuleSession::Data() const
{
    return reinterpret_cast<const uchar*>(bytes_.constData());
}

bool WithModule(const QStringList& moduleFolders, const QString& fileName,
                const std::function<void()>& read)
{
    const ResourceModuleSession module(moduleFolders, fileName);
    if (fileName.isEmpty() || !module.Ok()) {
        return false;
    }
    read();
    return true;
}

QImage ModulePicture(const QStringList& moduleFolders, const PictureRef& ref)
{
    EnsureProgramPictures();
    const ResourceModuleSession module(moduleFolders, ref.Module);
    return module.Ok() ? LoadPicture(ref) : QImage();
}

QImage ScaledPicture(const QImage& picture, QSize size, bool roundCorners, int cornerDiameter)
{
    if (picture.isNull() || size.isEmpty()) {
        return {};
    }
    if (picture.size() == size) {
        return picture;
    }
    // Colour and alpha are resampled together, so transparent borders of the
    // picture stay transparent instead of turning into a dark fringe.
    QImage scaled = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!roundCorners || cornerDiameter <= 0) {
        return scaled;
    }
    QImage rounded(size, QImage::Format_ARGB32_Premultiplied);
    rounded.fill(Qt::transparent);
    QPainter painter(&rounded);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(scaled));
    const double radius = cornerDiameter / 2.0;
    painter.drawRoundedRect(QRectF(0, 0, size.width(), size.height()), radius, radius);
    painter.end();
    return rounded;
}

void DrawScaled(int x, int y, const QImage& picture, bool roundCorners, int height, int width,
                QPainter& canvas, int cornerDiameter)
{
    const QImage image = ScaledPicture(picture, QSize(width, height), roundCorners, cornerDiameter);
    if (!image.isNull()) {
        canvas.drawImage(x, y, image);
    }
}

CardPictures::CardPictures(QStringList moduleFolders, MessageSink sink, Random10 random)
    : moduleFolders_(std::move(moduleFolders)), sink_(std::move(sink)), random_(std::move(random))
{
    EnsureProgramPictures();
    if (!random_) {
        auto engine = std::make_shared<std::mt19937>(
            static_cast<std::mt19937::result_type>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
        random_ = [engine] { return std::uniform_int_distribution<int>(1, 10)(*engine); };
    }
}

void CardPictures::Missing(const Settings& settings, const QString& module)
{
    if (!sink_) {
        return;
    }
    const std::string_view text = Word(WordId::CantFindFile, settings.Language);
    sink_(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())) + QLatin1Char(' ') + module);
}

void CardPictures::ClearCaches()
{
    faceCache_.fill(QImage());
    backCache_.fill(QImage());
}

bool CardPictures::LoadFaces(int cardDeck, PictureClass pictures)
{
    const DeckInfo& deck = DeckOf(cardDeck);
    const ResourceModuleSession module(moduleFolders_, QString::fromLatin1(deck.Module.data(),
                                                                    static_cast<qsizetype>(deck.Module.size())));
    if (!module.Ok()) {
        return false;
    }
    std::array<QImage, kFaceSlots + 1> faces{};
    std::array<QImage, 4> small{};
    std::array<QImage, 4> large{};
    const bool fromModule = !deck.Module.empty();
    for (int slot = kFirstFaceSlot; slot <= kLastFaceSlot; ++slot) {
        QImage face = LoadPicture(FacePicture(cardDeck, CardOfFace(slot), pictures));
        if (face.isNull() && fromModule) {
            return false;  // the module does not hold this deck
        }
        faces[static_cast<std::size_t>(slot)] = pictures == PictureClass::Small ? ToSize(face, QSize(69, 94)) : face;
    }
    for (int suit = 0; suit < 4; ++suit) {
        QImage symbol = LoadPicture(SuitSymbolPicture(cardDeck, suit, false));
        QImage symbolLarge = LoadPicture(SuitSymbolPicture(cardDeck, suit, true));
        if ((symbol.isNull() || symbolLarge.isNull()) && fromModule) {
            return false;
        }
        small[static_cast<std::size_t>(suit)] = ToSize(symbol, QSize(20, 20));
        large[static_cast<std::size_t>(suit)] = symbolLarge;
    }
    faces_ = std::move(faces);
    smallSymbols_ = std::move(small);
    largeSymbols_ = std::move(large);
    return true;
}

bool CardPictures::LoadDeck(Settings& settings, const WindowGeometry& window)
{
    const int requested = settings.CardDeck;
    window_ = window;
    bool ok = true;
    CardGeometry card = CardSizeFor(window.Factors, DeckOf(settings.CardDeck).Narrow);
    if (settings.CardDeck >= kDeckCount || !LoadFaces(settings.CardDeck, card.Pictures)) {
        if (settings.CardDeck < kDeckCount) {
            const std::string_view module = DeckOf(settings.CardDeck).Module;
            Missing(settings, QString::fromLatin1(module.data(), static_cast<qsizetype>(module.size())));
        }
        settings.CardDeck = 0;
        ok = false;
        card = CardSizeFor(window.Factors, false);
        LoadFaces(0, card.Pictures);
    }
    narrow_ = DeckOf(settings.CardDeck).Narrow;
    card_ = card;
    trickOffset_ = TrickOffset(window.WindowSize, narrow_);
    cornerDiameter_ = ScaleSize(window.Factors, 8);
    ClearCaches();
    LoadBacks(settings);
    return ok && settings.CardDeck == requested;
}

bool CardPictures::LoadBackSet(int backDeck)
{
    const ResourceModuleSession module(moduleFolders_, BackModule(backDeck, card_.Pictures, narrow_));
    if (!module.Ok()) {
        return false;
    }
    std::array<QImage, kBackSlots + 1> backs{};
    const int count = BacksInSet(backDeck);
    const bool fromModule = !BackModule(backDeck, card_.Pictures, narrow_).isEmpty();
    for (int slot = 1; slot <= count; ++slot) {
        QImage back = LoadPicture(BackPicture(backDeck, slot, card_.Pictures, narrow_));
        if (back.isNull() && fromModule) {
            return false;
        }
        backs[static_cast<std::size_t>(slot)] =
            card_.Pictures == PictureClass::Small ? ToSize(back, QSize(69, 94)) : back;
    }
    backs_ = std::move(backs);
    loadedBacks_ = count;
    backCache_.fill(QImage());
    return true;
}

bool CardPictures::LoadBacks(Settings& settings)
{
    if (settings.BackDeck >= kBackSetCount) {
        settings.BackDeck = 0;  // not a back set of this program: no module to name
        LoadBackSet(0);
        return false;
    }
    if (LoadBackSet(settings.BackDeck)) {
        return true;
    }
    Missing(settings, BackModule(settings.BackDeck, card_.Pictures, narrow_));
    if (settings.BackDeck == 0) {
        // A narrow deck in the larger pictures needs back set 0 from the
        // module; without it the program's own deck takes over, whose
        // full-width backs are inside the program (LoadDeck loads them).
        settings.CardDeck = 0;
        LoadDeck(settings, window_);
    } else {
        settings.BackDeck = 0;
        LoadBackSet(0);
    }
    return false;
}

bool CardPictures::LoadBackground(Settings& settings, bool purple, const WindowGeometry& window)
{
    const bool small = window.WindowSize == kSmallWindow;
    bool ok = true;
    // The old picture goes before the new one is decoded: never two at once.
    background_ = QImage();
    if (purple) {
        const PictureRef ref = PurpleBackgroundPicture();
        const ResourceModuleSession module(moduleFolders_, ref.Module);
        QImage picture = module.Ok() ? LoadPicture(ref) : QImage();
        if (!picture.isNull()) {
            background_ = ToSize(picture, window.Client);
            windowColour_ = tarvel::WindowColour(settings.BackgroundSet, settings.BackgroundVariant, true);
            return true;
        }
        Missing(settings, ref.Module);
        settings.DialogDesignPurple = false;
        settings.MenuDesignPurple = false;
        settings.TableDesignPurple = false;
        ok = false;
    }

    windowColour_ = tarvel::WindowColour(settings.BackgroundSet, settings.BackgroundVariant, false);
    if (settings.BackgroundSet == 0) {
        background_ = QImage();
        return ok;
    }
    QImage picture;
    if (IsValidBackground(settings.BackgroundSet, settings.BackgroundVariant)) {
        const PictureRef ref = BackgroundPicture(settings.BackgroundSet, settings.BackgroundVariant, small);
        const ResourceModuleSession module(moduleFolders_, ref.Module);
        if (module.Ok()) {
            picture = LoadPicture(ref);
        }
        if (picture.isNull() && !ref.Module.isEmpty()) {
            Missing(settings, ref.Module);
        }
    }
    if (picture.isNull()) {
        // A missing module, or a set and variant that no module holds: the
        // program's own felt.
        settings.BackgroundSet = 2;
        settings.BackgroundVariant = 0;
        windowColour_ = tarvel::WindowColour(2, 0, false);
        picture = LoadPicture(BackgroundPicture(2, 0, small));
        ok = false;
    }
    background_ = small ? picture : ToSize(picture, window.Client);
    return ok;
}

void CardPictures::ChooseBack(const Settings& settings, int dayOfWeek)
{
    const bool randomSet = settings.BackDeck >= 8 && settings.BackDeck <= 11;
    currentBack_ = ChooseBackFor(dayOfWeek, settings.SameBack, settings.BackDeck, randomSet ? random_() : 0);
    if (currentBack_ > loadedBacks_ && loadedBacks_ > 0) {
        currentBack_ = loadedBacks_;  // the set on screen has fewer backs than the settings name
    }
}

void CardPictures::ChooseBack(const Settings& settings)
{
    ChooseBack(settings, QDate::currentDate().dayOfWeek());
}

const QImage& CardPictures::FaceSlot(int slot) const
{
    if (slot < 1 || slot > kFaceSlots) {
        return NullImage();
    }
    return faces_[static_cast<std::size_t>(slot)];
}

const QImage& CardPictures::BackSlot(int slot) const
{
    if (slot < 1 || slot > kBackSlots) {
        return NullImage();
    }
    return backs_[static_cast<std::size_t>(slot)];
}

const QImage& CardPictures::SuitSymbol(int suitIndex, bool large) const
{
    if (suitIndex < 0 || suitIndex > 3) {
        return NullImage();
    }
    return large ? largeSymbols_[static_cast<std::size_t>(suitIndex)]
                 : smallSymbols_[static_cast<std::size_t>(suitIndex)];
}

const QImage& CardPictures::SuitSymbolOf(Suit suit, bool large) const
{
    return SuitSymbol(SuitIndexOf(suit), large);
}

QImage CardPictures::CardAtSize(const QImage& picture) const
{
    if (card_.Pictures != PictureClass::Small) {
        return ScaledPicture(picture, QSize(card_.Width, card_.Height), true, cornerDiameter_);
    }
    // A 69 x 94 picture inside a one-pixel black outline whose corners are
    // cut off, 71 x 96 in all.
    QImage card(71, 96, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    QPainter painter(&card);
    painter.setPen(Qt::black);
    painter.drawLine(2, 0, 68, 0);
    painter.drawLine(2, 95, 68, 95);
    painter.drawLine(0, 2, 0, 93);
    painter.drawLine(70, 2, 70, 93);
    painter.drawImage(1, 1, ToSize(picture, QSize(69, 94)));
    painter.end();
    return card;
}

QImage CardPictures::CardImage(CardCode code) const
{
    const int slot = FaceOf(code);
    if (slot == 0 || faces_[static_cast<std::size_t>(slot)].isNull()) {
        return {};
    }
    QImage& cached = faceCache_[static_cast<std::size_t>(slot)];
    if (cached.isNull()) {
        cached = CardAtSize(faces_[static_cast<std::size_t>(slot)]);
    }
    return cached;
}

QImage CardPictures::BackImage() const
{
    const auto slot = static_cast<std::size_t>(std::clamp(currentBack_, 1, kBackSlots));
    if (backs_[slot].isNull()) {
        return {};
    }
    if (backCache_[slot].isNull()) {
        backCache_[slot] = CardAtSize(backs_[slot]);
    }
    return backCache_[slot];
}

void CardPictures::DrawCard(int x, int y, CardCode code, QPainter& target) const
{
    const QImage card = CardImage(code);
    if (!card.isNull()) {
        target.drawImage(x, y, card);
    }
}

void CardPictures::DrawBack(int x, int y, QPainter& target) const
{
    const QImage back = BackImage();
    if (!back.isNull()) {
        target.drawImage(x, y, back);
    }
}

}  // namespace tarvel
