// Window sizes, scale arithmetic and the placement of every table element.
//
// The table is designed on a 760 x 500 reference grid. A window size gives
// three factors: ScaleX and ScaleY map positions, ScaleS maps sizes, so an
// element keeps its proportions and stays centred in its stretched cell.
// Everything here is a pure function of a Scale value; nothing is global.
#pragma once

#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <string_view>

namespace tarvel {

inline constexpr int kReferenceWidth = 760;
inline constexpr int kReferenceHeight = 500;

// Rounds to the nearest integer, halves to even (513.5 -> 514, 512.5 -> 512).
int RoundHalfEven(double value);

struct Scale {
    double X = 1.0;  // horizontal positions
    double Y = 1.0;  // vertical positions
    double S = 1.0;  // sizes
};

int ScaleLeft(const Scale& scale, int x, int w);
int ScaleTop(const Scale& scale, int y, int h);
int ScaleSize(const Scale& scale, int n);

// The five window sizes of the settings (`WindowSize`).
enum WindowSizeCode : int {
    kSmallWindow = 1,
    kFullScreen = 2,
    kAverageWindow1 = 3,
    kAverageWindow2 = 4,
    kLargeWindow = 5,
};

struct WindowGeometry {
    int WindowSize = kSmallWindow;  // the size actually applied (1..5)
    QSize Client{kReferenceWidth, kReferenceHeight};
    Scale Factors;
};

// Client size and scales of a window size. Full screen takes the screen's work
// area; a size outside 1..5 (or a full screen without a usable work area) is
// treated as the small window.
WindowGeometry GeometryForWindowSize(int windowSize, QSize workArea);

// Top-left corner that centres a window of `window` size on `screen`.
QPoint CentredOnScreen(QSize screen, QSize window);

enum class PictureClass : std::uint8_t {
    Small,   // 69 x 94 pictures drawn unscaled inside a 71 x 96 outline
    Scaled,  // large pictures stretched to the card size
    Large,   // large pictures at their own size
};

struct CardGeometry {
    int Width = 71;
    int Height = 96;
    PictureClass Pictures = PictureClass::Small;
};

// Card size and picture class for a size factor and a deck's card shape.
CardGeometry CardSizeFor(const Scale& scale, bool narrowCards);

// Horizontal offset of the played cards in the table centre: 0 in the small
// window or for narrow cards, else 5 pixels.
int TrickOffset(int windowSize, bool narrowCards);

// The main window's table elements by component name.
enum class Element : std::uint8_t {
    ImageCards1,
    ImageCards2,
    ImageCards3,
    ImageTab1,
    ImageTab2,
    ImageTab3,
    ImageSay1,
    ImageSay2,
    ImageSay3,
    ImageKoloda,
    ImageStol,
    ImageKon,
    ImageMemo,
    Edit1,
    BitBtn1,
    ImTimer1,  // move timers of a tournament table, beside the score boards
    ImTimer2,
    ImTimer3,
};
inline constexpr int kElementCount = 18;

std::string_view ElementName(Element element);

// Rectangle on the reference grid, as left, top, right, bottom with the right
// and bottom edges outside the element (width = Right - Left).
struct ReferenceRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const ReferenceRect&, const ReferenceRect&) = default;
};

// Reference rectangle of the elements that have one (every element except
// Edit1 and BitBtn1, which hang below ImageMemo); an empty rectangle for those two.
ReferenceRect ReferenceRectOf(Element element);

// An element placed by the ScaleLeft/ScaleTop/ScaleSize rule.
QRect ScaledRect(const Scale& scale, const ReferenceRect& ref);

// Every element of the table laid out for one window size and card size.
struct TableLayout {
    int WindowSize = kSmallWindow;
    QSize Client{kReferenceWidth, kReferenceHeight};
    Scale Factors;
    CardGeometry Card;
    int TrickOffset = 0;
    std::array<QRect, kElementCount> Rects{};
    int EditFontHeight = 14;  // font height of Edit1

    const QRect& Rect(Element element) const { return Rects[static_cast<int>(element)]; }
    // Hand picture (ImageCards1..3) of a seat 1..3; an empty rectangle otherwise.
    QRect HandRect(int seat) const;
    QRect BoardRect(int seat) const;  // ImageTab1..3
    QRect PlateRect(int seat) const;  // ImageSay1..3
    QRect TimerRect(int seat) const;  // ImTimer1..3
    bool IsSmallWindow() const { return WindowSize == kSmallWindow; }
};

TableLayout LayoutFor(const WindowGeometry& window, bool narrowCards);

// Places of the played cards inside the table centre, reference pixels, by
// seat 1..3: seat 1 (0, 0), seat 2 (148, 0), seat 3 (74, 100).
inline constexpr std::array<int, 4> kTablePlaceX{0, 0, 148, 74};
inline constexpr std::array<int, 4> kTablePlaceY{0, 0, 0, 100};

// Top-left window pixel of the card that `seat` (1..3) put on the table; the
// trick offset is added to the reference horizontal place before scaling.
QPoint TablePlace(const TableLayout& layout, int seat);

// Font roles and the slot scale that sets their heights.
enum class FontRole : std::uint8_t { Decor, Serif, Fixed, Conew };
// "decor", "serif", "fixed", "conew"; false for any other name.
bool FontRoleByName(std::string_view name, FontRole& role);
// round(size x slotScale / 100), the height rule of every font role.
int FontHeightForScale(int size, int slotScale);

}  // namespace tarvel
