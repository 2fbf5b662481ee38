#include "table/picture_names.h"

#include <algorithm>

namespace tarvel {

namespace {

constexpr std::string_view kA = kModuleCardsA;
constexpr std::string_view kB = kModuleCardsB;
constexpr std::string_view kC = kModuleCardsC;

// Code, number code, ace code, symbol code, module, narrow.
constexpr std::array<DeckInfo, kDeckCount> kDecks{{
    {"", "", "", "", "", false},              // 0 Classical-1
    {"Med", "Med", "Med", "Med", kA, false},  // 1 Medieval-1
    {"Mod", "Mod", "Mod", "Mod", kA, false},  // 2 Modern
    {"Anc", "Anc", "Anc", "Anc", kA, false},  // 3 Ancient Egypt
    {"Bar", "Bar", "Bar", "Bar", kA, false},  // 4 Baronesse
    {"Cel", "Cel", "Cel", "Cel", kA, false},  // 5 Celtic
    {"Cor", "Mod", "Cor", "Mod", kA, false},  // 6 Corona
    {"Cro", "Mod", "Mod", "Mod", kA, false},  // 7 Crown
    {"Eng", "Eng", "Eng", "Eng", kA, false},  // 8 English Pattern
    {"Fra", "Fra", "Fra", "Fra", kA, false},  // 9 Frankfurt
    {"His", "Mod", "Mod", "Mod", kA, false},  // 10 Historical costumes
    {"Nat", "Nat", "Nat", "Mod", kA, false},  // 11 Native Americans
    {"Old", "Old", "Old", "Old", kA, false},  // 12 Old Garden Roses
    {"Par", "Mod", "Mod", "Mod", kA, false},  // 13 Parrots
    {"Roy", "Roy", "Roy", "Roy", kA, false},  // 14 Royal
    {"Sha", "Sha", "Sha", "Sha", kA, false},  // 15 Shakespeare
    {"Big", "Big", "Big", "Big", kA, false},  // 16 Big Ben
    {"004", "004", "004", "004", kA, false},  // 17 Four Reigns of English History
    {"Lon", "Lon", "Lon", "Lon", kA, false},  // 18 Large Print London
    {"Cl2", "Sea", "Sea", "Sea", kA, false},  // 19 Classical-2
    {"Hea", "Sea", "Sea", "Sea", kA, false},  // 20 Hearts
    {"Sea", "Sea", "Sea", "Sea", kA, false},  // 21 Seasons
    {"Rhi", "Rhi", "Rhi", "Rhi", kA, false},  // 22 Rhine Style
    {"Me2", "Me2", "Me2", "Me2", kA, false},  // 23 Medieval-2
    {"Doo", "Doo", "Doo", "Doo", kA, false},  // 24 Doods
    {"Boy", "Rhi", "Boy", "Rhi", kA, false},  // 25 Playboy
    {"Epi", "Epi", "Epi", "Epi", kA, false},  // 26 Epic
    {"USR", "Big", "USR", "Big", kA, false},  // 27 USSR
    {"Pla", "Pla", "Pla", "Pla", kA, true},   // 28 Plastic
    {"SkN", "SkN", "SkN", "SkN", kA, true},   // 29 Skat - German suits
    {"SkT", "SkT", "SkT", "SkT", kA, true},   // 30 Skat - Tournament suits
    {"SkF", "SkF", "SkF", "SkF", kA, true},   // 31 Skat - French suits
    {"Bel", "Bel", "Bel", "Bel", kB, true},   // 32 White palekh
    {"Dia", "Dia", "Dia", "Dia", kB, true},   // 33 Diana
    {"Kny", "Kny", "Kny", "Kny", kB, true},   // 34 Princely
    {"Pas", "Pas", "Pas", "Pas", kB, true},   // 35 For solitaires
    {"Rus", "Rus", "Rus", "Rus", kB, true},   // 36 Satin
    {"Sla", "Sla", "Sla", "Sla", kB, true},   // 37 Slavic
    {"May", "May", "May", "May", kB, true},   // 38 Maya
    {"Lub", "Lub", "Lub", "Lub", kB, true},   // 39 Bast
    {"Fra", "Fra", "Fra", "Fra", kC, false},  // 40 French
    {"Mus", "Mus", "Mus", "Mus", kC, true},   // 41 Spanish 1
    {"BS1", "BS1", "BS1", "BS1", kC, true},   // 42 Spanish 2
    {"BS2", "BS2", "BS2", "BS2", kC, true},   // 43 Spanish 3
    {"BS3", "BS3", "BS3", "BS3", kC, true},   // 44 Spanish 4
    {"Chi", "Chi", "Chi", "Chi", kC, false},  // 45 Chinese
    {"BIt", "BIt", "BIt", "BIt", kC, true},   // 46 Italian
    {"Cze", "Cze", "Cze", "Cze", kC, true},   // 47 Czech
}};

constexpr std::array<std::string_view, kBackSetCount> kBackCodes{
    "", "Cl1", "Cl2", "Car", "Cro", "Che", "Dia", "Kni", "Ani", "Flo", "Pla", "Oth", "Rus"};

constexpr std::array<std::string_view, kBackSlots + 1> kBackNames{
    "", "Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr", "Ob06Su", "Ob07Su", "Ob08XX", "Ob09XX", "Ob10XX"};

constexpr std::array<std::string_view, 4> kSymbolNames{"Cher", "Bubi", "Kres", "Piki"};
constexpr std::array<std::string_view, 7> kVariantCodes{"Gr", "Re", "Or", "Ye", "B1", "B2", "Fi"};

QString Text(std::string_view s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

int RankIndex(RankLetter rank)
{
    switch (rank) {
    case RankNine: return 0;
    case RankTen: return 1;
    case RankJack: return 2;
    case RankQueen: return 3;
    case RankKing: return 4;
    case RankAce: return 5;
    default: return -1;
    }
}

int SuitIndex(Suit suit)
{
    for (int i = 0; i < 4; ++i) {
        if (DeckSuits[static_cast<std::size_t>(i)] == suit) {
            return i;
        }
    }
    return -1;
}

}  // namespace

const DeckInfo& DeckOf(int cardDeck)
{
    if (cardDeck < 0 || cardDeck >= kDeckCount) {
        cardDeck = 0;
    }
    return kDecks[static_cast<std::size_t>(cardDeck)];
}

std::string_view BackCodeOf(int backDeck)
{
    if (backDeck < 0 || backDeck >= kBackSetCount) {
        return {};
    }
    return kBackCodes[static_cast<std::size_t>(backDeck)];
}

int BacksInSet(int backDeck)
{
    return (backDeck >= 8 && backDeck <= 11) ? 10 : 7;
}

QString PictureRef::ResourcePath() const
{
    QString folder = Module.isEmpty() ? QStringLiteral("tarvel") : Module;
    if (folder.endsWith(QLatin1String(".rcc"))) {
        folder.chop(4);
    }
    return QStringLiteral(":/") + folder + QLatin1Char('/') + Name +
           (Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".png"));
}

int FaceOf(CardCode code)
{
    const int rank = RankIndex(code.rank);
    const int suit = SuitIndex(code.suit);
    if (rank < 0 || suit < 0) {
        return 0;
    }
    return kFirstFaceSlot + 4 * rank + suit;
}

CardCode CardOfFace(int slot)
{
    if (slot < kFirstFaceSlot || slot > kLastFaceSlot) {
        return NoCard;
    }
    constexpr std::array<RankLetter, 6> ranks{RankNine, RankTen, RankJack, RankQueen, RankKing, RankAce};
    const int index = slot - kFirstFaceSlot;
    return CardCode{ranks[static_cast<std::size_t>(index / 4)], DeckSuits[static_cast<std::size_t>(index % 4)]};
}

PictureRef FacePicture(int cardDeck, CardCode code, PictureClass pictures)
{
    const DeckInfo& deck = DeckOf(cardDeck);
    const int rank = RankIndex(code.rank);
    const int suit = SuitIndex(code.suit);
    if (rank < 0 || suit < 0) {
        return {};
    }
    std::string_view deckCode = deck.Code;
    if (code.rank == RankNine || code.rank == RankTen) {
        deckCode = deck.NumberCode;
    } else if (code.rank == RankAce) {
        deckCode = deck.AceCode;
    }
    QString name = Text(CardNameStem(code)) + Text(deckCode);
    if (pictures != PictureClass::Small) {
        name += QLatin1Char('B');
    }
    return PictureRef{Text(deck.Module), name, false};
}

PictureRef SuitSymbolPicture(int cardDeck, int suitIndex, bool large)
{
    if (suitIndex < 0 || suitIndex > 3) {
        return {};
    }
    const DeckInfo& deck = DeckOf(cardDeck);
    QString name = Text(kSymbolNames[static_cast<std::size_t>(suitIndex)]) + Text(deck.SymbolCode);
    if (large) {
        name += QLatin1Char('B');
    }
    return PictureRef{Text(deck.Module), name, false};
}

QString BackModule(int backDeck, PictureClass pictures, bool narrowCards)
{
    if (backDeck == 0 && (pictures == PictureClass::Small || !narrowCards)) {
        return {};
    }
    return Text(kModuleCardsB);
}

PictureRef BackPicture(int backDeck, int slot, PictureClass pictures, bool narrowCards)
{
    if (backDeck < 0 || backDeck >= kBackSetCount || slot < 1 || slot > BacksInSet(backDeck)) {
        return {};
    }
    QString name = Text(kBackNames[static_cast<std::size_t>(slot)]) + Text(BackCodeOf(backDeck));
    if (pictures != PictureClass::Small) {
        name += narrowCards ? QLatin1Char('U') : QLatin1Char('B');
    }
    return PictureRef{BackModule(backDeck, pictures, narrowCards), name, false};
}

bool IsValidBackground(int set, int variant)
{
    return set >= 1 && set <= 10 && variant >= 0 && variant <= 6;
}

PictureRef BackgroundPicture(int set, int variant, bool small)
{
    if (!IsValidBackground(set, variant)) {
        return {};
    }
    const QString suffix = small ? QString() : QStringLiteral("B");
    if (set == 2 && variant == 0) {
        return PictureRef{QString(), QStringLiteral("FonG") + suffix, true};
    }
    const QString name = QStringLiteral("Fon%1").arg(set, 2, 10, QLatin1Char('0')) +
                         Text(kVariantCodes[static_cast<std::size_t>(variant)]) + suffix;
    return PictureRef{Text(kModuleBackgrounds), name, true};
}

PictureRef PurpleBackgroundPicture()
{
    return PictureRef{Text(kModuleGraphics), QStringLiteral("BGLilu"), true};
}

QColor WindowColour(int set, int variant, bool purple)
{
    if (purple) {
        return QColor(120, 0, 200);
    }
    static constexpr std::array<std::array<int, 3>, 7> kColours{{
        {0, 128, 0}, {128, 0, 0}, {128, 64, 0}, {128, 128, 0}, {0, 128, 128}, {0, 0, 128}, {128, 0, 128}}};
    if (set < 1 || variant < 0 || variant > 6) {
        return QColor(0, 128, 0);
    }
    const auto& c = kColours[static_cast<std::size_t>(variant)];
    return QColor(c[0], c[1], c[2]);
}

int ChooseBackFor(int dayOfWeek, bool sameBack, int backDeck, int random10)
{
    if (backDeck >= 8 && backDeck <= 11) {
        return std::clamp(random10, 1, 10);
    }
    if (sameBack) {
        return 7;
    }
    return std::clamp(dayOfWeek, 1, 7);
}

}  // namespace tarvel
