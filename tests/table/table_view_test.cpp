// Hands, boards, plates, counter, deck, move timers and the message area of
// the table view, drawn over a real background; flights over the table.
#include "table/table_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(PlaceCardsRule, EightOverlappingCardsInTheLocalHand)
{
    const CardPositions p = PlaceCards(460, 8, 71);
    const int expected[] = {0, 55, 110, 165, 220, 275, 330, 385};
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(p[static_cast<std::size_t>(i)], expected[i - 1]) << i;
    }
    EXPECT_EQ(p[9], 0);
}

TEST(PlaceCardsRule, CardsThatFitAreCentredWithGaps)
{
    const CardPositions p = PlaceCards(460, 3, 71);
    EXPECT_EQ(p[1], 119);
    EXPECT_EQ(p[2], 193);
    EXPECT_EQ(p[3], 267);
    const CardPositions one = PlaceCards(290, 1, 71);
    EXPECT_EQ(one[1], 108);  // round(145 - 37)
}

TEST(PlaceCardsRule, NarrowPicturesAndOddCounts)
{
    // One card in a picture narrower than a card plus 3 pixels: no division
    // by zero, the card lies at the left edge.
    const CardPositions one = PlaceCards(50, 1, 71);
    EXPECT_EQ(one[1], 0);
    const CardPositions tight = PlaceCards(73, 1, 71);
    EXPECT_EQ(tight[1], 0);
    const CardPositions none = PlaceCards(460, 0, 71);
    for (int p : none) {
        EXPECT_EQ(p, 0);
    }
    const CardPositions negative = PlaceCards(460, -3, 71);
    EXPECT_EQ(negative[1], 0);
    // More cards than slots are placed for the first 36 only.
    const CardPositions many = PlaceCards(460, 50, 71);
    EXPECT_EQ(many[1], 0);
    EXPECT_GT(many[36], 0);
    // Seats 1 and 2 at 990 x 650: 8 cards of 92 in 377 pixels overlap.
    const CardPositions wide = PlaceCards(377, 8, 92);
    EXPECT_EQ(wide[2], static_cast<int>(377.0 / 8 - (95 - 377.0 / 8) / 7));
    EXPECT_LE(wide[8] + 92, 377);
}

TEST(CardAtRule, VisibleStripsOfTheCards)
{
    const auto all = [](int) { return true; };
    const CardPositions p = PlaceCards(460, 8, 71);
    struct Case {
        int X;
        int Slot;
    };
    const Case overlapping[] = {{-1, 0}, {0, 1}, {54, 1}, {55, 2}, {384, 7}, {385, 8}, {455, 8}, {456, 0}, {459, 0}};
    for (const Case& c : overlapping) {
        EXPECT_EQ(CardAtPosition(p, 8, 71, c.X, all), c.Slot) << c.X;
    }
    const CardPositions three = PlaceCards(460, 3, 71);
    const Case fitting[] = {{118, 0}, {119, 1}, {192, 1}, {193, 2}, {267, 3}, {337, 3}, {338, 0}, {459, 0}};
    for (const Case& c : fitting) {
        EXPECT_EQ(CardAtPosition(three, 3, 71, c.X, all), c.Slot) << c.X;
    }
    // A slot without a card is never hit.
    EXPECT_EQ(CardAtPosition(p, 8, 71, 60, [](int slot) { return slot != 2; }), 0);
    EXPECT_EQ(CardAtPosition(p, 8, 71, 400, [](int slot) { return slot != 8; }), 0);
    EXPECT_EQ(CardAtPosition(p, 0, 71, 10, all), 0);
    EXPECT_EQ(CardAtPosition(p, 99, 71, 10, all), 1);
}

TEST(MessageCut, AtMostTwelveRemovalsThenDots)
{
    const auto tenPerChar = [](const QString& s) { return static_cast<int>(s.size()) * 10; };
    EXPECT_EQ(CutMessage(QStringLiteral("short"), 85, tenPerChar), "short");
    EXPECT_EQ(CutMessage(QStringLiteral("123456789AB"), 85, tenPerChar), "12345678...");
    // 29 characters would need 21 removals: the cut stops after 12.
    const QString long29 = QStringLiteral("abcdefghijklmnopqrstuvwxyz012");
    const QString cut = CutMessage(long29, 85, tenPerChar);
    EXPECT_EQ(cut, long29.left(17) + QStringLiteral("..."));
    EXPECT_EQ(CutMessage(QString(), 85, tenPerChar), "");
}

// A table with real pictures: the program's own set over its felt.
class TableViewTest : public ::testing::Test {
protected:
    TableViewTest() : pictures(QStringList{folder.path()}), view(state, settings, pictures) {}

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        Load(kSmallWindow);
        // A dealt hand for every seat.
        for (int seat = 1; seat <= 3; ++seat) {
            auto& hand = state.Hands[static_cast<std::size_t>(seat)];
            hand.fill(NoCard);
            for (int slot = 1; slot <= 8; ++slot) {
                hand[static_cast<std::size_t>(slot)] = CardFromDeckNumber((seat - 1) * 8 + slot);
            }
            state.HandCount[static_cast<std::size_t>(seat)] = 8;
        }
        state.Trump = SuitClubs;
        state.DealNo = 3;
    }

    void Load(int windowSize)
    {
        const WindowGeometry window = GeometryForWindowSize(windowSize, QSize(1600, 1000));
        pictures.LoadDeck(settings, window);
        pictures.LoadBackground(settings, false, window);
        view.SetLayout(LayoutFor(window, pictures.NarrowCards()));
        for (int i = 0; i < kElementCount; ++i) {
            view.SetVisible(static_cast<Element>(i), true);
        }
    }

    // The background under an element, as the element shows it when empty.
    QImage BackgroundUnder(Element element) const
    {
        const QRect rect = view.Layout().Rect(element);
        QImage image(rect.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(pictures.WindowColour());
        QPainter painter(&image);
        painter.drawImage(QPoint(0, 0), pictures.Background(), rect);
        return image;
    }

    static QImage Part(const QImage& image, const QRect& rect) { return image.copy(rect); }

    QTemporaryDir folder;
    MatchState state;
    Settings settings;
    CardPictures pictures;
    TableView view;
};

TEST_F(TableViewTest, LocalHandFaceUpAndHitTest)
{
    view.DrawHand(3, false);
    const CardPositions& p = view.Positions(3);
    EXPECT_EQ(p[2], 55);
    EXPECT_EQ(view.CardAt(3, 0), 1);
    EXPECT_EQ(view.CardAt(3, 56), 2);
    EXPECT_EQ(view.CardAt(3, 456), 0);
    EXPECT_EQ(view.CardAt(4, 10), 0);
    const QImage hand = view.ElementPicture(Element::ImageCards3);
    ASSERT_EQ(hand.size(), QSize(460, 96));
    // Right of the last card the hand shows the background.
    EXPECT_EQ(Part(hand, QRect(457, 0, 3, 96)), Part(BackgroundUnder(Element::ImageCards3), QRect(457, 0, 3, 96)));
    // The face of the last card is drawn at its slot.
    const QImage last = pictures.CardImage(state.Hands[3][8]);
    if (!last.isNull()) {
        EXPECT_EQ(hand.pixel(385 + 35, 48), last.pixel(35, 48));
    }
    // The composed buffer carries the hand at its place.
    EXPECT_EQ(view.Buffer().copy(view.Layout().Rect(Element::ImageCards3)), hand);
}

TEST_F(TableViewTest, HitTestFollowsTheCardsOnScreen)
{
    view.DrawHand(3, false);
    // A slot emptied in the state is no longer hit.
    state.Hands[3][8] = NoCard;
    state.HandCount[3] = 7;
    EXPECT_EQ(view.CardAt(3, 400), 0);
    view.DrawHand(3, false);
    EXPECT_EQ(view.CardAt(3, 400), 7);  // seven cards spread over the hand again
}

TEST_F(TableViewTest, OtherHandsFaceDownUnlessAsked)
{
    view.DrawHand(1, false);
    const QImage down = view.ElementPicture(Element::ImageCards1);
    const QImage back = pictures.BackImage();
    if (!back.isNull()) {
        EXPECT_EQ(down.pixel(20, 40), back.pixel(20, 40));
    }
    view.DrawHand(1, true);
    const QImage up = view.ElementPicture(Element::ImageCards1);
    EXPECT_NE(up, down);
    view.DrawHandShowingSlot(1, 8);
    const QImage one = view.ElementPicture(Element::ImageCards1);
    const int x8 = view.Positions(1)[8];
    // Inside its outline the slot shows the face (its corners let the card
    // beneath show through).
    EXPECT_EQ(one.copy(x8 + 3, 3, 65, 90), up.copy(x8 + 3, 3, 65, 90));
    EXPECT_EQ(one.copy(0, 0, x8, 96), down.copy(0, 0, x8, 96));
}

TEST_F(TableViewTest, BoardLeaveKeepsTheNumberAndClearRestores)
{
    view.DrawBoard(1, false, true, 2, 5, 55);
    const QRect top(15, 15, 125, 31);
    const QRect turn(15, 50, 35, 31);
    const QImage first = view.ElementPicture(Element::ImageTab1);
    // The turn marker changes; the top field keeps the shown number.
    view.DrawBoard(1, true, false, kBoardLeave, kBoardLeave, kBoardLeave);
    const QImage marked = view.ElementPicture(Element::ImageTab1);
    EXPECT_EQ(Part(marked, top), Part(first, top));
    EXPECT_EQ(Part(marked, QRect(55, 50, 85, 31)), Part(first, QRect(55, 50, 85, 31)));
    EXPECT_NE(Part(marked, turn), Part(first, turn));

    // A blank board: every field cleared.
    view.DrawBoard(2, false, true, kBoardClear, kBoardClear, kBoardClear);
    const QImage blank = view.ElementPicture(Element::ImageTab2);
    EXPECT_NE(Part(first, top), Part(blank, top));  // a number was shown
    view.DrawBoard(1, false, false, kBoardLeave, kBoardLeave, kBoardClear);
    const QImage cleared = view.ElementPicture(Element::ImageTab1);
    EXPECT_EQ(Part(cleared, top), Part(blank, top));
    EXPECT_EQ(Part(cleared, turn), Part(blank, turn));
    EXPECT_NE(Part(cleared, QRect(55, 50, 45, 31)), Part(blank, QRect(55, 50, 45, 31)));  // middle kept
}

TEST_F(TableViewTest, BoardColoursFollowMarriageAndGameOver)
{
    const QRect top(15, 15, 125, 31);
    const auto hasColour = [](const QImage& image, QRgb colour) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    };
    view.DrawBoard(3, false, true, kBoardClear, kBoardClear, 12);
    EXPECT_TRUE(hasColour(Part(view.ElementPicture(Element::ImageTab3), top), qRgb(255, 0, 255)));
    state.PendingMarriage[3] = 40;
    view.DrawBoard(3, false, true, kBoardClear, kBoardClear, 0);
    EXPECT_TRUE(hasColour(Part(view.ElementPicture(Element::ImageTab3), top), qRgb(0, 255, 0)));
    state.PendingMarriage[3] = 0;
    state.GameOver = true;
    view.DrawBoard(3, false, true, kBoardClear, kBoardClear, 300);
    EXPECT_TRUE(hasColour(Part(view.ElementPicture(Element::ImageTab3), top), qRgb(255, 0, 0)));
    EXPECT_FALSE(hasColour(Part(view.ElementPicture(Element::ImageTab3), top), qRgb(255, 0, 255)));
    // After the game a pending marriage is a positive number too: "+20",
    // drawn exactly as a top number 20 would be.
    view.DrawBoard(3, false, true, kBoardClear, kBoardClear, 20);
    const QImage plain = Part(view.ElementPicture(Element::ImageTab3), top);
    state.PendingMarriage[3] = 20;
    view.DrawBoard(3, false, true, kBoardClear, kBoardClear, 7);
    EXPECT_EQ(Part(view.ElementPicture(Element::ImageTab3), top), plain);
}

TEST_F(TableViewTest, PlatesDrawAndEmptyTextClears)
{
    view.DrawPlate(1, QStringLiteral("PC"), 'r');
    const QImage plate = view.ElementPicture(Element::ImageSay1);
    EXPECT_NE(plate, BackgroundUnder(Element::ImageSay1));
    view.DrawPlate(1, QStringLiteral("   "), 'r');
    EXPECT_EQ(view.ElementPicture(Element::ImageSay1), BackgroundUnder(Element::ImageSay1));
    // A long name still fits the plate; an unknown colour letter is blue.
    view.DrawPlate(2, QStringLiteral("A rather long player name here"), 'x');
    const QImage unknown = view.ElementPicture(Element::ImageSay2);
    view.DrawPlate(2, QStringLiteral("A rather long player name here"), 'b');
    EXPECT_EQ(view.ElementPicture(Element::ImageSay2), unknown);
    view.DrawPlate(2, QStringLiteral("A rather long player name here"), 'g');
    EXPECT_NE(view.ElementPicture(Element::ImageSay2), unknown);
}

TEST_F(TableViewTest, CounterDeckAndMoveTimers)
{
    view.DrawCounter();
    const QImage withTrump = view.ElementPicture(Element::ImageKon);
    state.Trump = NoSuit;
    view.DrawCounter();
    EXPECT_NE(view.ElementPicture(Element::ImageKon), withTrump);

    view.DrawDeck(SuitHearts);
    const QImage hearts = view.ElementPicture(Element::ImageKoloda);
    view.DrawDeck(SuitSpades);
    EXPECT_NE(view.ElementPicture(Element::ImageKoloda), hearts);
    view.DrawDeck(NoSuit);
    EXPECT_NE(view.ElementPicture(Element::ImageKoloda), hearts);

    view.DrawMoveTimer(2, 12);
    const QImage twelve = view.ElementPicture(Element::ImTimer2);
    EXPECT_NE(twelve, BackgroundUnder(Element::ImTimer2));
    view.DrawMoveTimer(2, 5);
    EXPECT_NE(view.ElementPicture(Element::ImTimer2), twelve);
    view.DrawMoveTimer(2, -1);
    EXPECT_EQ(view.ElementPicture(Element::ImTimer2), BackgroundUnder(Element::ImTimer2));
    view.DrawMoveTimer(7, 5);  // no such seat: nothing happens
}

TEST_F(TableViewTest, MessageAreaKeepsFourLinesAndCutsLongOnes)
{
    const QStringList texts{QStringLiteral("#hello"), QStringLiteral("#a"), QStringLiteral("#b"), QStringLiteral("#c"),
                            QStringLiteral("#d")};
    for (int i = 0; i < texts.size(); ++i) {
        view.AddMessage(i % 4 + 1, texts[i]);
    }
    ASSERT_EQ(view.Messages().size(), 4u);
    EXPECT_EQ(view.Messages()[0].Text, "a");
    EXPECT_EQ(view.Messages()[3].Text, "d");
    EXPECT_EQ(view.Messages()[0].Colour, QColor(0, 0, 128));  // sender 2 navy
    EXPECT_EQ(view.Messages()[3].Colour, QColor(128, 0, 0));  // sender 1 maroon

    const QString thirty = QStringLiteral("#WWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    ASSERT_EQ(thirty.size(), 30);
    view.AddMessage(3, thirty);
    const QString shown = view.Messages().back().Text;
    EXPECT_TRUE(shown.endsWith(QStringLiteral("...")));
    const int kept = static_cast<int>(shown.size()) - 3;
    EXPECT_GE(kept, 29 - 12);
    EXPECT_LT(kept, 29);
    EXPECT_EQ(view.Messages().back().Colour, QColor(0, 128, 0));

    view.ClearMessages();
    EXPECT_TRUE(view.Messages().empty());
}

TEST_F(TableViewTest, HiddenElementsStayOutOfTheBuffer)
{
    view.SetVisible(Element::ImageCards2, false);
    view.DrawHand(2, true);
    const QRect rect = view.Layout().Rect(Element::ImageCards2);
    EXPECT_EQ(view.Buffer().copy(rect), BackgroundUnder(Element::ImageCards2));
    view.SetVisible(Element::ImageCards2, true);
    EXPECT_EQ(view.Buffer().copy(rect), view.ElementPicture(Element::ImageCards2));
}

TEST_F(TableViewTest, ChangesAreReportedByRectangle)
{
    std::vector<QRect> changes;
    view.SetChangeSink([&](const QRect& rect) { changes.push_back(rect); });
    view.DrawPlate(2, QStringLiteral("PC"), 'g');
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], view.Layout().Rect(Element::ImageSay2));
}

TEST_F(TableViewTest, LargerWindowsStretchEveryElement)
{
    Load(kLargeWindow);
    view.DrawHand(3, false);
    view.DrawBoard(1, true, true, 1, 2, 3);
    view.DrawPlate(3, QStringLiteral("Mr.X"), 'y');
    view.DrawCounter();
    view.DrawDeck(SuitDiamonds);
    view.AddMessage(1, QStringLiteral("#hi"));
    EXPECT_EQ(view.ElementPicture(Element::ImageCards3).size(), QSize(920, 198));
    EXPECT_EQ(view.ElementPicture(Element::ImageTab1).size(), QSize(310, 190));
    EXPECT_EQ(view.Buffer().size(), QSize(1520, 1000));
    EXPECT_EQ(view.Positions(3)[2], static_cast<int>(920.0 / 8 - (149 - 920.0 / 8) / 7));
    EXPECT_EQ(view.Messages().size(), 1u);  // the message area survives a new layout
    Load(kAverageWindow1);
    EXPECT_EQ(view.Messages().size(), 1u);
}

// The window stand-in of the flights: the screen shows the work copy's
// rectangles while a card flies, and the table buffer otherwise.
class BufferSurface : public FlightSurface {
public:
    explicit BufferSurface(const TableView& view) : view_(view) {}
    QImage GrabClient() override { return view_.Buffer(); }
    void BeginFlight(const QImage& work) override { work_ = &work; }
    void ShowRect(const QRect& rect) override { shown |= rect; }
    void EndFlight() override { work_ = nullptr; }
    QRect shown;

private:
    const TableView& view_;
    const QImage* work_ = nullptr;
};

TEST_F(TableViewTest, CardFliesFromItsSlotToTheTable)
{
    view.DrawHand(3, false);
    const int oldLeft = view.Positions(3)[4];
    const CardCode played = state.Hands[3][4];
    for (int slot = 4; slot < 8; ++slot) {
        state.Hands[3][static_cast<std::size_t>(slot)] = state.Hands[3][static_cast<std::size_t>(slot + 1)];
    }
    state.Hands[3][8] = NoCard;
    state.HandCount[3] = 7;
    view.DrawHand(3, false);  // redrawn without the card before it flies
    EXPECT_EQ(view.FlightStart(3, 4), QPoint(150 + oldLeft, 395));
    EXPECT_EQ(view.FlightStart(1, 0), QPoint(130, 10));  // round(20 + 145 - 35.5)

    BufferSurface surface(view);
    std::vector<int> pauses;
    CardFlight flight(surface, [&](int ms) { pauses.push_back(ms); });
    view.FlyCardToTable(flight, 3, 4, played, 6);
    EXPECT_EQ(view.TableCard(3), played);
    const QPoint place = TablePlace(view.Layout(), 3);
    EXPECT_EQ(flight.StepCounter(), static_cast<std::uint64_t>(FlightSteps(QPoint(150 + oldLeft, 395), place)));
    EXPECT_TRUE(surface.shown.contains(QRect(place, QSize(71, 96))));
    const QImage face = pictures.CardImage(played);
    if (!face.isNull()) {
        EXPECT_EQ(view.Buffer().pixel(place + QPoint(35, 48)), face.pixel(35, 48));
    }

    // The trick leaves towards seat 1: the table centre is empty again.
    view.PutCardOnTable(1, state.Hands[1][1]);
    view.PutCardOnTable(2, state.Hands[2][1]);
    const std::uint64_t before = flight.StepCounter();
    view.FlyTrickTo(flight, 1, 6);
    EXPECT_EQ(view.TableCard(1), NoCard);
    EXPECT_EQ(view.TableCard(3), NoCard);
    EXPECT_GT(flight.StepCounter(), before);
    const QRect stol = view.Layout().Rect(Element::ImageStol);
    view.SetVisible(Element::ImageStol, true);
    EXPECT_EQ(view.Buffer().copy(stol), view.ElementPicture(Element::ImageStol));
}

}  // namespace
}  // namespace tarvel
