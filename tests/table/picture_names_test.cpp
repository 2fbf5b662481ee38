// Resource names of faces, backs, suit symbols and backgrounds; the deck and
// back tables; the back of the day.
#include "table/picture_names.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

const CardCode kNineHearts{RankNine, SuitHearts};
const CardCode kTenSpades{RankTen, SuitSpades};
const CardCode kJackClubs{RankJack, SuitClubs};
const CardCode kQueenDiamonds{RankQueen, SuitDiamonds};
const CardCode kKingHearts{RankKing, SuitHearts};
const CardCode kAceDiamonds{RankAce, SuitDiamonds};

struct DeckCase {
    int Deck;
    const char* Nine;    // small nine of hearts
    const char* Jack;    // large jack of clubs
    const char* Ace;     // small ace of diamonds
    const char* Symbol;  // small hearts symbol
    const char* Module;
    bool Narrow;
};

// Every deck: its own code for the court cards, the borrowed number and ace
// codes, the symbol code, the module and the card shape.
const DeckCase kDeckCases[] = {
    {0, "Ch09", "Kr2JB", "Bu5A", "Cher", "", false},
    {1, "Ch09Med", "Kr2JMedB", "Bu5AMed", "CherMed", "QorCards06A.rcc", false},
    {2, "Ch09Mod", "Kr2JModB", "Bu5AMod", "CherMod", "QorCards06A.rcc", false},
    {3, "Ch09Anc", "Kr2JAncB", "Bu5AAnc", "CherAnc", "QorCards06A.rcc", false},
    {4, "Ch09Bar", "Kr2JBarB", "Bu5ABar", "CherBar", "QorCards06A.rcc", false},
    {5, "Ch09Cel", "Kr2JCelB", "Bu5ACel", "CherCel", "QorCards06A.rcc", false},
    {6, "Ch09Mod", "Kr2JCorB", "Bu5ACor", "CherMod", "QorCards06A.rcc", false},
    {7, "Ch09Mod", "Kr2JCroB", "Bu5AMod", "CherMod", "QorCards06A.rcc", false},
    {8, "Ch09Eng", "Kr2JEngB", "Bu5AEng", "CherEng", "QorCards06A.rcc", false},
    {9, "Ch09Fra", "Kr2JFraB", "Bu5AFra", "CherFra", "QorCards06A.rcc", false},
    {10, "Ch09Mod", "Kr2JHisB", "Bu5AMod", "CherMod", "QorCards06A.rcc", false},
    {11, "Ch09Nat", "Kr2JNatB", "Bu5ANat", "CherMod", "QorCards06A.rcc", false},
    {12, "Ch09Old", "Kr2JOldB", "Bu5AOld", "CherOld", "QorCards06A.rcc", false},
    {13, "Ch09Mod", "Kr2JParB", "Bu5AMod", "CherMod", "QorCards06A.rcc", false},
    {14, "Ch09Roy", "Kr2JRoyB", "Bu5ARoy", "CherRoy", "QorCards06A.rcc", false},
    {15, "Ch09Sha", "Kr2JShaB", "Bu5ASha", "CherSha", "QorCards06A.rcc", false},
    {16, "Ch09Big", "Kr2JBigB", "Bu5ABig", "CherBig", "QorCards06A.rcc", false},
    {17, "Ch09004", "Kr2J004B", "Bu5A004", "Cher004", "QorCards06A.rcc", false},
    {18, "Ch09Lon", "Kr2JLonB", "Bu5ALon", "CherLon", "QorCards06A.rcc", false},
    {19, "Ch09Sea", "Kr2JCl2B", "Bu5ASea", "CherSea", "QorCards06A.rcc", false},
    {20, "Ch09Sea", "Kr2JHeaB", "Bu5ASea", "CherSea", "QorCards06A.rcc", false},
    {21, "Ch09Sea", "Kr2JSeaB", "Bu5ASea", "CherSea", "QorCards06A.rcc", false},
    {22, "Ch09Rhi", "Kr2JRhiB", "Bu5ARhi", "CherRhi", "QorCards06A.rcc", false},
    {23, "Ch09Me2", "Kr2JMe2B", "Bu5AMe2", "CherMe2", "QorCards06A.rcc", false},
    {24, "Ch09Doo", "Kr2JDooB", "Bu5ADoo", "CherDoo", "QorCards06A.rcc", false},
    {25, "Ch09Rhi", "Kr2JBoyB", "Bu5ABoy", "CherRhi", "QorCards06A.rcc", false},
    {26, "Ch09Epi", "Kr2JEpiB", "Bu5AEpi", "CherEpi", "QorCards06A.rcc", false},
    {27, "Ch09Big", "Kr2JUSRB", "Bu5AUSR", "CherBig", "QorCards06A.rcc", false},
    {28, "Ch09Pla", "Kr2JPlaB", "Bu5APla", "CherPla", "QorCards06A.rcc", true},
    {29, "Ch09SkN", "Kr2JSkNB", "Bu5ASkN", "CherSkN", "QorCards06A.rcc", true},
    {30, "Ch09SkT", "Kr2JSkTB", "Bu5ASkT", "CherSkT", "QorCards06A.rcc", true},
    {31, "Ch09SkF", "Kr2JSkFB", "Bu5ASkF", "CherSkF", "QorCards06A.rcc", true},
    {32, "Ch09Bel", "Kr2JBelB", "Bu5ABel", "CherBel", "QorCards06B.rcc", true},
    {33, "Ch09Dia", "Kr2JDiaB", "Bu5ADia", "CherDia", "QorCards06B.rcc", true},
    {34, "Ch09Kny", "Kr2JKnyB", "Bu5AKny", "CherKny", "QorCards06B.rcc", true},
    {35, "Ch09Pas", "Kr2JPasB", "Bu5APas", "CherPas", "QorCards06B.rcc", true},
    {36, "Ch09Rus", "Kr2JRusB", "Bu5ARus", "CherRus", "QorCards06B.rcc", true},
    {37, "Ch09Sla", "Kr2JSlaB", "Bu5ASla", "CherSla", "QorCards06B.rcc", true},
    {38, "Ch09May", "Kr2JMayB", "Bu5AMay", "CherMay", "QorCards06B.rcc", true},
    {39, "Ch09Lub", "Kr2JLubB", "Bu5ALub", "CherLub", "QorCards06B.rcc", true},
    {40, "Ch09Fra", "Kr2JFraB", "Bu5AFra", "CherFra", "QorCards06C.rcc", false},
    {41, "Ch09Mus", "Kr2JMusB", "Bu5AMus", "CherMus", "QorCards06C.rcc", true},
    {42, "Ch09BS1", "Kr2JBS1B", "Bu5ABS1", "CherBS1", "QorCards06C.rcc", true},
    {43, "Ch09BS2", "Kr2JBS2B", "Bu5ABS2", "CherBS2", "QorCards06C.rcc", true},
    {44, "Ch09BS3", "Kr2JBS3B", "Bu5ABS3", "CherBS3", "QorCards06C.rcc", true},
    {45, "Ch09Chi", "Kr2JChiB", "Bu5AChi", "CherChi", "QorCards06C.rcc", false},
    {46, "Ch09BIt", "Kr2JBItB", "Bu5ABIt", "CherBIt", "QorCards06C.rcc", true},
    {47, "Ch09Cze", "Kr2JCzeB", "Bu5ACze", "CherCze", "QorCards06C.rcc", true},
};

TEST(DeckTable, EveryDeckNamesItsFacesAndSymbols)
{
    ASSERT_EQ(std::size(kDeckCases), static_cast<std::size_t>(kDeckCount));
    for (const DeckCase& c : kDeckCases) {
        SCOPED_TRACE(c.Deck);
        const PictureRef nine = FacePicture(c.Deck, kNineHearts, PictureClass::Small);
        EXPECT_EQ(nine.Name, QString::fromUtf8(c.Nine));
        EXPECT_EQ(nine.Module, QString::fromUtf8(c.Module));
        EXPECT_FALSE(nine.Jpeg);
        EXPECT_EQ(FacePicture(c.Deck, kJackClubs, PictureClass::Large).Name, QString::fromUtf8(c.Jack));
        EXPECT_EQ(FacePicture(c.Deck, kJackClubs, PictureClass::Scaled).Name, QString::fromUtf8(c.Jack));
        EXPECT_EQ(FacePicture(c.Deck, kAceDiamonds, PictureClass::Small).Name, QString::fromUtf8(c.Ace));
        const PictureRef symbol = SuitSymbolPicture(c.Deck, 0, false);
        EXPECT_EQ(symbol.Name, QString::fromUtf8(c.Symbol));
        EXPECT_EQ(symbol.Module, QString::fromUtf8(c.Module));
        EXPECT_EQ(SuitSymbolPicture(c.Deck, 0, true).Name, QString::fromUtf8(c.Symbol) + "B");
        EXPECT_EQ(DeckOf(c.Deck).Narrow, c.Narrow);
    }
}

TEST(DeckTable, RankAndSuitPartsAndBorrowedCodes)
{
    EXPECT_EQ(FacePicture(0, kTenSpades, PictureClass::Small).Name, "Pi10");
    EXPECT_EQ(FacePicture(0, kQueenDiamonds, PictureClass::Small).Name, "Bu3Q");
    EXPECT_EQ(FacePicture(0, kKingHearts, PictureClass::Large).Name, "Ch4KB");
    // Deck 6 borrows its numbers but keeps its own aces; deck 7 borrows both.
    EXPECT_EQ(FacePicture(6, kTenSpades, PictureClass::Small).Name, "Pi10Mod");
    EXPECT_EQ(FacePicture(6, kKingHearts, PictureClass::Small).Name, "Ch4KCor");
    EXPECT_EQ(FacePicture(7, kQueenDiamonds, PictureClass::Small).Name, "Bu3QCro");
    EXPECT_EQ(FacePicture(25, kTenSpades, PictureClass::Small).Name, "Pi10Rhi");
    EXPECT_EQ(SuitSymbolPicture(2, 1, false).Name, "BubiMod");
    EXPECT_EQ(SuitSymbolPicture(2, 2, false).Name, "KresMod");
    EXPECT_EQ(SuitSymbolPicture(2, 3, true).Name, "PikiModB");
    EXPECT_TRUE(SuitSymbolPicture(2, 4, false).Name.isEmpty());
    EXPECT_TRUE(FacePicture(0, NoCard, PictureClass::Small).Name.isEmpty());
    // A deck number outside the table is the program's own deck.
    EXPECT_EQ(FacePicture(48, kNineHearts, PictureClass::Small).Name, "Ch09");
    EXPECT_EQ(FacePicture(-1, kNineHearts, PictureClass::Small).Module, "");
}

TEST(ResourcePaths, ProgramAndModules)
{
    EXPECT_EQ(FacePicture(0, kNineHearts, PictureClass::Small).ResourcePath(), ":/tarvel/Ch09.png");
    EXPECT_EQ(FacePicture(1, kJackClubs, PictureClass::Large).ResourcePath(),
              ":/QorCards06A/Kr2JMedB.png");
    EXPECT_EQ(BackgroundPicture(1, 0, true).ResourcePath(), ":/QorBackG03/Fon01Gr.jpg");
    EXPECT_EQ(BackgroundPicture(2, 0, false).ResourcePath(), ":/tarvel/FonGB.jpg");
    EXPECT_EQ(PurpleBackgroundPicture().ResourcePath(), ":/QorCGraph1/BGLilu.jpg");
}

TEST(FaceSlots, SlotOfEveryCardAndBack)
{
    EXPECT_EQ(FaceOf(kNineHearts), 13);
    EXPECT_EQ(FaceOf(CardCode{RankNine, SuitSpades}), 16);
    EXPECT_EQ(FaceOf(kTenSpades), 20);
    EXPECT_EQ(FaceOf(kJackClubs), 23);
    EXPECT_EQ(FaceOf(kQueenDiamonds), 26);
    EXPECT_EQ(FaceOf(kKingHearts), 29);
    EXPECT_EQ(FaceOf(CardCode{RankAce, SuitSpades}), 36);
    EXPECT_EQ(FaceOf(NoCard), 0);
    EXPECT_EQ(FaceOf(CardCode{RankAce, NoSuit}), 0);
    EXPECT_EQ(FaceOf(CardCode{0x41, SuitHearts}), 0);
    for (int n = 1; n <= 24; ++n) {
        const CardCode card = CardFromDeckNumber(n);
        const int slot = FaceOf(card);
        EXPECT_GE(slot, kFirstFaceSlot);
        EXPECT_LE(slot, kLastFaceSlot);
        EXPECT_EQ(CardOfFace(slot), card);
    }
    EXPECT_EQ(CardOfFace(12), NoCard);
    EXPECT_EQ(CardOfFace(37), NoCard);
}

TEST(BackTable, NamesModulesAndSizes)
{
    struct Case {
        int Set;
        int Slot;
        PictureClass Pictures;
        bool Narrow;
        const char* Name;
        const char* Module;
    };
    const Case cases[] = {
        {0, 1, PictureClass::Small, false, "Ob01Mo", ""},
        {0, 6, PictureClass::Small, true, "Ob06Su", ""},
        {0, 7, PictureClass::Large, false, "Ob07SuB", ""},
        {0, 7, PictureClass::Scaled, false, "Ob07SuB", ""},
        {0, 2, PictureClass::Large, true, "Ob02TuU", "QorCards06B.rcc"},
        {1, 1, PictureClass::Small, false, "Ob01MoCl1", "QorCards06B.rcc"},
        {1, 3, PictureClass::Scaled, false, "Ob03WeCl1B", "QorCards06B.rcc"},
        {4, 4, PictureClass::Scaled, true, "Ob04ThCroU", "QorCards06B.rcc"},
        {8, 8, PictureClass::Small, false, "Ob08XXAni", "QorCards06B.rcc"},
        {11, 10, PictureClass::Large, false, "Ob10XXOthB", "QorCards06B.rcc"},
        {12, 5, PictureClass::Small, false, "Ob05FrRus", "QorCards06B.rcc"},
        {12, 8, PictureClass::Small, false, "", ""},  // only sets 8..11 have ten backs
        {13, 1, PictureClass::Small, false, "", ""},
        {3, 0, PictureClass::Small, false, "", ""},
    };
    for (const Case& c : cases) {
        const PictureRef ref = BackPicture(c.Set, c.Slot, c.Pictures, c.Narrow);
        EXPECT_EQ(ref.Name, QString::fromUtf8(c.Name)) << c.Set << " " << c.Slot;
        EXPECT_EQ(ref.Module, QString::fromUtf8(c.Module)) << c.Set << " " << c.Slot;
    }
    EXPECT_EQ(BacksInSet(7), 7);
    EXPECT_EQ(BacksInSet(8), 10);
    EXPECT_EQ(BacksInSet(11), 10);
    EXPECT_EQ(BacksInSet(12), 7);
    EXPECT_EQ(BackCodeOf(10), "Pla");
    EXPECT_EQ(BackCodeOf(13), "");
}

TEST(Backgrounds, NamesModulesAndColours)
{
    struct Case {
        int Set;
        int Variant;
        bool Small;
        const char* Name;
        const char* Module;
    };
    const Case cases[] = {
        {2, 0, true, "FonG", ""},
        {2, 0, false, "FonGB", ""},
        {1, 0, true, "Fon01Gr", "QorBackG03.rcc"},
        {2, 1, false, "Fon02ReB", "QorBackG03.rcc"},
        {7, 2, true, "Fon07Or", "QorBackG03.rcc"},
        {10, 3, false, "Fon10YeB", "QorBackG03.rcc"},
        {5, 4, true, "Fon05B1", "QorBackG03.rcc"},
        {9, 5, true, "Fon09B2", "QorBackG03.rcc"},
        {3, 6, false, "Fon03FiB", "QorBackG03.rcc"},
        {0, 0, true, "", ""},
        {11, 0, true, "", ""},
        {1, 7, true, "", ""},
    };
    for (const Case& c : cases) {
        const PictureRef ref = BackgroundPicture(c.Set, c.Variant, c.Small);
        EXPECT_EQ(ref.Name, QString::fromUtf8(c.Name)) << c.Set << " " << c.Variant;
        EXPECT_EQ(ref.Module, QString::fromUtf8(c.Module)) << c.Set << " " << c.Variant;
        EXPECT_EQ(ref.Jpeg, !ref.Name.isEmpty());
    }
    EXPECT_EQ(WindowColour(2, 0, false), QColor(0, 128, 0));
    EXPECT_EQ(WindowColour(4, 2, false), QColor(128, 64, 0));
    EXPECT_EQ(WindowColour(4, 4, false), QColor(0, 128, 128));
    EXPECT_EQ(WindowColour(4, 6, false), QColor(128, 0, 128));
    EXPECT_EQ(WindowColour(0, 3, false), QColor(0, 128, 0));
    EXPECT_EQ(WindowColour(4, 3, true), QColor(120, 0, 200));
}

TEST(BackOfTheDay, WeekdaysSameBackAndRandomSets)
{
    // QDate numbering: Monday 1 .. Sunday 7.
    for (int day = 1; day <= 7; ++day) {
        EXPECT_EQ(ChooseBackFor(day, false, 0, 0), day);
        EXPECT_EQ(ChooseBackFor(day, true, 0, 0), 7);
        EXPECT_EQ(ChooseBackFor(day, false, 12, 0), day);
    }
    EXPECT_EQ(ChooseBackFor(6, false, 0, 0), 6);  // Saturday shows "Ob06Su"
    EXPECT_EQ(BackPicture(0, ChooseBackFor(6, false, 0, 0), PictureClass::Small, false).Name, "Ob06Su");
    EXPECT_EQ(BackPicture(0, ChooseBackFor(7, false, 0, 0), PictureClass::Small, false).Name, "Ob07Su");
    // Sets 8..11 take the random number, even with the same back chosen.
    for (int set = 8; set <= 11; ++set) {
        for (int r = 1; r <= 10; ++r) {
            EXPECT_EQ(ChooseBackFor(3, true, set, r), r);
        }
    }
    EXPECT_EQ(ChooseBackFor(3, false, 10, 0), 1);
    EXPECT_EQ(ChooseBackFor(3, false, 10, 11), 10);
}

}  // namespace
}  // namespace tarvel
