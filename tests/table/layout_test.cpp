// Window sizes, scale arithmetic and the placement of every table element.
#include "table/layout.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    struct Case {
        double Value;
        int Expected;
    };
    const Case cases[] = {{513.5, 514}, {512.5, 512}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3},
                          {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {-2.6, -3}, {7.0, 7}, {124.8, 125}};
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.Value), c.Expected) << c.Value;
    }
}

TEST(ScaleArithmetic, WorkedExamples)
{
    const Scale s13{1.3, 1.3, 1.3};
    EXPECT_EQ(ScaleLeft(s13, 150, 460), 195);
    EXPECT_EQ(ScaleTop(s13, 395, 96), 514);  // 513.5 rounds to even
    EXPECT_EQ(ScaleSize(s13, 460), 598);

    // Full screen 1600 x 1000: positions stretch by 2.105..., sizes by 2; an
    // element stays centred in its stretched cell.
    const Scale wide{1600.0 / 760.0, 2.0, 2.0};
    EXPECT_EQ(ScaleLeft(wide, 150, 460), 316 + 24);
    EXPECT_EQ(ScaleTop(wide, 395, 96), 790);
    EXPECT_EQ(ScaleSize(wide, 460), 920);
}

TEST(WindowSizes, ClientAndScales)
{
    struct Case {
        int Size;
        QSize Work;
        int Applied;
        QSize Client;
        double X, Y, S;
    };
    const Case cases[] = {
        {1, {1600, 1000}, 1, {760, 500}, 1.0, 1.0, 1.0},
        {2, {1600, 1000}, 2, {1600, 1000}, 1600.0 / 760.0, 2.0, 2.0},
        {2, {1366, 728}, 2, {1366, 728}, 1366.0 / 760.0, 728.0 / 500.0, 728.0 / 500.0},
        {3, {1600, 1000}, 3, {990, 650}, 1.3, 1.3, 1.3},
        {4, {1600, 1000}, 4, {1290, 850}, 1.7, 1.7, 1.7},
        {5, {1600, 1000}, 5, {1520, 1000}, 2.0, 2.0, 2.0},
        // A size the settings cannot hold, and a full screen without a
        // usable work area, fall back to the small window.
        {0, {1600, 1000}, 1, {760, 500}, 1.0, 1.0, 1.0},
        {9, {1600, 1000}, 1, {760, 500}, 1.0, 1.0, 1.0},
        {2, {0, 0}, 1, {760, 500}, 1.0, 1.0, 1.0},
    };
    for (const Case& c : cases) {
        const WindowGeometry g = GeometryForWindowSize(c.Size, c.Work);
        EXPECT_EQ(g.WindowSize, c.Applied) << c.Size;
        EXPECT_EQ(g.Client, c.Client) << c.Size;
        EXPECT_DOUBLE_EQ(g.Factors.X, c.X) << c.Size;
        EXPECT_DOUBLE_EQ(g.Factors.Y, c.Y) << c.Size;
        EXPECT_DOUBLE_EQ(g.Factors.S, c.S) << c.Size;
    }
}

TEST(WindowSizes, CentredOnTheScreen)
{
    EXPECT_EQ(CentredOnScreen(QSize(1920, 1080), QSize(760, 500)), QPoint(580, 290));
    EXPECT_EQ(CentredOnScreen(QSize(1025, 769), QSize(990, 650)), QPoint(18, 60));  // 17.5, 59.5
}

TEST(CardSize, ByScaleAndDeckShape)
{
    struct Case {
        double S;
        bool Narrow;
        int Width, Height;
        PictureClass Pictures;
    };
    const Case cases[] = {
        {1.0, false, 71, 96, PictureClass::Small},
        {1.0, true, 71, 96, PictureClass::Small},
        {1.29, false, 71, 96, PictureClass::Small},
        {1.3, false, 92, 125, PictureClass::Scaled},
        {1.3, true, 79, 125, PictureClass::Scaled},
        {1.7, false, 121, 163, PictureClass::Scaled},
        {1.7, true, 104, 163, PictureClass::Scaled},
        {1.99, false, 141, 191, PictureClass::Scaled},
        {2.0, false, 146, 198, PictureClass::Large},
        {2.0, true, 126, 198, PictureClass::Large},
        {2.4, false, 146, 198, PictureClass::Large},
    };
    for (const Case& c : cases) {
        const CardGeometry card = CardSizeFor(Scale{c.S, c.S, c.S}, c.Narrow);
        EXPECT_EQ(card.Width, c.Width) << c.S << " " << c.Narrow;
        EXPECT_EQ(card.Height, c.Height) << c.S << " " << c.Narrow;
        EXPECT_EQ(card.Pictures, c.Pictures) << c.S << " " << c.Narrow;
    }
}

TEST(TrickOffsetRule, SmallWindowOrNarrowCardsHaveNone)
{
    EXPECT_EQ(TrickOffset(kSmallWindow, false), 0);
    EXPECT_EQ(TrickOffset(kSmallWindow, true), 0);
    EXPECT_EQ(TrickOffset(kAverageWindow1, true), 0);
    EXPECT_EQ(TrickOffset(kAverageWindow1, false), 5);
    EXPECT_EQ(TrickOffset(kFullScreen, false), 5);
    EXPECT_EQ(TrickOffset(kLargeWindow, false), 5);
}

struct ElementCase {
    int Size;
    Element Which;
    QRect Expected;
};

// Every element at each window size (full screen on a 1600 x 1000 work area),
// full-width cards; hands are as high as a card.
const ElementCase kElementCases[] = {
    {1, Element::ImageCards1, QRect(20, 10, 290, 96)},
    {1, Element::ImageCards2, QRect(450, 10, 290, 96)},
    {1, Element::ImageCards3, QRect(150, 395, 460, 96)},
    {1, Element::ImageTab1, QRect(88, 140, 155, 95)},
    {1, Element::ImageTab2, QRect(513, 140, 155, 95)},
    {1, Element::ImageTab3, QRect(88, 280, 155, 95)},
    {1, Element::ImageSay1, QRect(85, 115, 160, 20)},
    {1, Element::ImageSay2, QRect(515, 115, 160, 20)},
    {1, Element::ImageSay3, QRect(300, 370, 160, 20)},
    {1, Element::ImageKoloda, QRect(330, 3, 100, 170)},
    {1, Element::ImageStol, QRect(269, 170, 222, 200)},
    {1, Element::ImageKon, QRect(320, 5, 120, 150)},
    {1, Element::ImageMemo, QRect(620, 373, 130, 90)},
    {1, Element::BitBtn1, QRect(715, 464, 35, 35)},
    {1, Element::Edit1, QRect(620, 472, 94, 20)},
    {2, Element::ImageCards1, QRect(57, 20, 580, 198)},
    {2, Element::ImageCards2, QRect(962, 20, 580, 198)},
    {2, Element::ImageCards3, QRect(340, 790, 920, 198)},
    {2, Element::ImageTab1, QRect(193, 280, 310, 190)},
    {2, Element::ImageTab2, QRect(1088, 280, 310, 190)},
    {2, Element::ImageTab3, QRect(193, 560, 310, 190)},
    {2, Element::ImageSay1, QRect(187, 230, 320, 40)},
    {2, Element::ImageSay2, QRect(1092, 230, 320, 40)},
    {2, Element::ImageSay3, QRect(640, 740, 320, 40)},
    {2, Element::ImageKoloda, QRect(700, 6, 200, 340)},
    {2, Element::ImageStol, QRect(578, 340, 444, 400)},
    {2, Element::ImageKon, QRect(680, 10, 240, 300)},
    {2, Element::ImageMemo, QRect(1312, 746, 260, 180)},
    {2, Element::BitBtn1, QRect(1502, 928, 70, 70)},
    {2, Element::Edit1, QRect(1312, 943, 188, 40)},
    {3, Element::ImageCards1, QRect(26, 13, 377, 125)},
    {3, Element::ImageCards2, QRect(585, 13, 377, 125)},
    {3, Element::ImageCards3, QRect(195, 514, 598, 125)},
    {3, Element::ImageTab1, QRect(114, 182, 202, 124)},
    {3, Element::ImageTab2, QRect(667, 182, 202, 124)},
    {3, Element::ImageTab3, QRect(114, 364, 202, 124)},
    {3, Element::ImageSay1, QRect(110, 150, 208, 26)},
    {3, Element::ImageSay2, QRect(670, 150, 208, 26)},
    {3, Element::ImageSay3, QRect(390, 481, 208, 26)},
    {3, Element::ImageKoloda, QRect(429, 4, 130, 221)},
    {3, Element::ImageStol, QRect(350, 221, 289, 260)},
    {3, Element::ImageKon, QRect(416, 6, 156, 195)},
    {3, Element::ImageMemo, QRect(806, 485, 169, 117)},
    {3, Element::BitBtn1, QRect(929, 603, 46, 46)},
    {3, Element::Edit1, QRect(806, 613, 122, 26)},
    {4, Element::ImageCards1, QRect(34, 17, 493, 163)},
    {4, Element::ImageCards2, QRect(765, 17, 493, 163)},
    {4, Element::ImageCards3, QRect(255, 672, 782, 163)},
    {4, Element::ImageTab1, QRect(150, 238, 264, 162)},
    {4, Element::ImageTab2, QRect(872, 238, 264, 162)},
    {4, Element::ImageTab3, QRect(150, 476, 264, 162)},
    {4, Element::ImageSay1, QRect(144, 196, 272, 34)},
    {4, Element::ImageSay2, QRect(876, 196, 272, 34)},
    {4, Element::ImageSay3, QRect(510, 629, 272, 34)},
    {4, Element::ImageKoloda, QRect(561, 5, 170, 289)},
    {4, Element::ImageStol, QRect(457, 289, 377, 340)},
    {4, Element::ImageKon, QRect(544, 8, 204, 255)},
    {4, Element::ImageMemo, QRect(1054, 634, 221, 153)},
    {4, Element::BitBtn1, QRect(1215, 789, 60, 60)},
    {4, Element::Edit1, QRect(1054, 802, 160, 34)},
    {5, Element::ImageCards1, QRect(40, 20, 580, 198)},
    {5, Element::ImageCards2, QRect(900, 20, 580, 198)},
    {5, Element::ImageCards3, QRect(300, 790, 920, 198)},
    {5, Element::ImageTab1, QRect(176, 280, 310, 190)},
    {5, Element::ImageTab2, QRect(1026, 280, 310, 190)},
    {5, Element::ImageTab3, QRect(176, 560, 310, 190)},
    {5, Element::ImageSay1, QRect(170, 230, 320, 40)},
    {5, Element::ImageSay2, QRect(1030, 230, 320, 40)},
    {5, Element::ImageSay3, QRect(600, 740, 320, 40)},
    {5, Element::ImageKoloda, QRect(660, 6, 200, 340)},
    {5, Element::ImageStol, QRect(538, 340, 444, 400)},
    {5, Element::ImageKon, QRect(640, 10, 240, 300)},
    {5, Element::ImageMemo, QRect(1240, 746, 260, 180)},
    {5, Element::BitBtn1, QRect(1430, 928, 70, 70)},
    {5, Element::Edit1, QRect(1240, 943, 188, 40)},
};

TEST(TableLayoutRects, EveryElementAtEverySize)
{
    for (const ElementCase& c : kElementCases) {
        const TableLayout layout = LayoutFor(GeometryForWindowSize(c.Size, QSize(1600, 1000)), false);
        EXPECT_EQ(layout.Rect(c.Which), c.Expected)
            << "size " << c.Size << " " << ElementName(c.Which);
    }
}

TEST(TableLayoutRects, SmallWindowKeepsTheReferenceRectangles)
{
    const TableLayout layout = LayoutFor(GeometryForWindowSize(kSmallWindow, QSize()), false);
    for (int i = 0; i < kElementCount; ++i) {
        const auto element = static_cast<Element>(i);
        const ReferenceRect ref = ReferenceRectOf(element);
        if (ref.Width() == 0) {
            continue;  // Edit1 and BitBtn1 hang below the message area
        }
        EXPECT_EQ(layout.Rect(element), QRect(ref.Left, ref.Top, ref.Width(), ref.Height()))
            << ElementName(element);
    }
}

TEST(TableLayoutRects, NarrowCardsAndSeatLookups)
{
    const TableLayout narrow = LayoutFor(GeometryForWindowSize(kAverageWindow1, QSize()), true);
    EXPECT_EQ(narrow.Card.Width, 79);
    EXPECT_EQ(narrow.TrickOffset, 0);
    EXPECT_EQ(narrow.HandRect(3), QRect(195, 514, 598, 125));
    EXPECT_EQ(narrow.BoardRect(2), narrow.Rect(Element::ImageTab2));
    EXPECT_EQ(narrow.PlateRect(1), narrow.Rect(Element::ImageSay1));
    EXPECT_EQ(narrow.TimerRect(2), QRect(884, 214, 52, 52));
    // The move timers stay clear of the boards, plates and hands.
    for (int seat = 1; seat <= 3; ++seat) {
        for (int other = 1; other <= 3; ++other) {
            EXPECT_FALSE(narrow.TimerRect(seat).intersects(narrow.BoardRect(other)));
            EXPECT_FALSE(narrow.TimerRect(seat).intersects(narrow.PlateRect(other)));
            EXPECT_FALSE(narrow.TimerRect(seat).intersects(narrow.HandRect(other)));
        }
    }
    EXPECT_TRUE(narrow.HandRect(0).isNull());
    EXPECT_TRUE(narrow.HandRect(4).isNull());
    EXPECT_EQ(narrow.EditFontHeight, 18);
}

TEST(TableLayoutRects, TablePlacesOfThePlayedCards)
{
    const TableLayout small = LayoutFor(GeometryForWindowSize(kSmallWindow, QSize()), false);
    EXPECT_EQ(TablePlace(small, 1), QPoint(269, 170));
    EXPECT_EQ(TablePlace(small, 2), QPoint(269 + 148, 170));
    EXPECT_EQ(TablePlace(small, 3), QPoint(269 + 74, 270));
    const TableLayout large = LayoutFor(GeometryForWindowSize(kLargeWindow, QSize()), false);
    // The trick offset 5 is scaled with the place: 2 x (148 + 5) = 306.
    EXPECT_EQ(TablePlace(large, 1), QPoint(538 + 10, 340));
    EXPECT_EQ(TablePlace(large, 2), QPoint(538 + 306, 340));
    EXPECT_EQ(TablePlace(large, 3), QPoint(538 + 148 + 10, 540));
    EXPECT_EQ(TablePlace(large, 0), QPoint());
}

TEST(TableLayoutRects, ElementNamesAreTheComponentNames)
{
    EXPECT_EQ(ElementName(Element::ImageCards3), "ImageCards3");
    EXPECT_EQ(ElementName(Element::ImageKoloda), "ImageKoloda");
    EXPECT_EQ(ElementName(Element::BitBtn1), "BitBtn1");
    EXPECT_EQ(ElementName(Element::ImTimer3), "ImTimer3");
}

TEST(FontRoles, NamesAndHeights)
{
    FontRole role = FontRole::Serif;
    ASSERT_TRUE(FontRoleByName("decor", role));
    EXPECT_EQ(role, FontRole::Decor);
    ASSERT_TRUE(FontRoleByName("conew", role));
    EXPECT_EQ(role, FontRole::Conew);
    EXPECT_FALSE(FontRoleByName("Decor", role));
    EXPECT_FALSE(FontRoleByName("", role));

    EXPECT_EQ(FontHeightForScale(20, 100), 20);
    EXPECT_EQ(FontHeightForScale(20, 150), 30);
    EXPECT_EQ(FontHeightForScale(11, 50), 6);   // 5.5 rounds to even
    EXPECT_EQ(FontHeightForScale(13, 50), 6);   // 6.5 rounds to even
    EXPECT_EQ(FontHeightForScale(30, 125), 38);  // 37.5 rounds to even
}

}  // namespace
}  // namespace tarvel
