#include "table/layout.h"

#include <algorithm>
#include <cmath>

namespace tarvel {

int RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5) {
        result = floor + 1.0;
    } else if (fraction == 0.5) {
        result = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    }
    return static_cast<int>(result);
}

int ScaleLeft(const Scale& scale, int x, int w)
{
    return RoundHalfEven(scale.X * x) + RoundHalfEven((scale.X - scale.S) * w / 2.0);
}

int ScaleTop(const Scale& scale, int y, int h)
{
    return RoundHalfEven(scale.Y * y) + RoundHalfEven((scale.Y - scale.S) * h / 2.0);
}

int ScaleSize(const Scale& scale, int n)
{
    return RoundHalfEven(scale.S * n);
}

WindowGeometry GeometryForWindowSize(int windowSize, QSize workArea)
{
    WindowGeometry geometry;
    double factor = 1.0;
    switch (windowSize) {
    case kFullScreen:
        if (workArea.width() > 0 && workArea.height() > 0) {
            geometry.WindowSize = kFullScreen;
            geometry.Client = workArea;
            geometry.Factors.X = static_cast<double>(workArea.width()) / kReferenceWidth;
            geometry.Factors.Y = static_cast<double>(workArea.height()) / kReferenceHeight;
            geometry.Factors.S = std::min(geometry.Factors.X, geometry.Factors.Y);
        }
        return geometry;
    case kAverageWindow1:
        geometry.Client = QSize(990, 650);
        factor = 1.3;
        break;
    case kAverageWindow2:
        geometry.Client = QSize(1290, 850);
        factor = 1.7;
        break;
    case kLargeWindow:
        geometry.Client = QSize(1520, 1000);
        factor = 2.0;
        break;
    default:
        return geometry;
    }
    geometry.WindowSize = windowSize;
    geometry.Factors = Scale{factor, factor, factor};
    return geometry;
}

QPoint CentredOnScreen(QSize screen, QSize window)
{
    return QPoint(RoundHalfEven((screen.width() - window.width()) / 2.0),
                  RoundHalfEven((screen.height() - window.height()) / 2.0));
}

CardGeometry CardSizeFor(const Scale& scale, bool narrowCards)
{
    if (scale.S < 1.3) {
        return CardGeometry{71, 96, PictureClass::Small};
    }
    if (scale.S >= 2.0) {
        return CardGeometry{narrowCards ? 126 : 146, 198, PictureClass::Large};
    }
    return CardGeometry{RoundHalfEven((narrowCards ? 61 : 71) * scale.S), RoundHalfEven(96 * scale.S),
                        PictureClass::Scaled};
}

int TrickOffset(int windowSize, bool narrowCards)
{
    return (windowSize == kSmallWindow || narrowCards) ? 0 : 5;
}

namespace {

struct ElementEntry {
    std::string_view Name;
    ReferenceRect Rect;
};

constexpr std::array<ElementEntry, kElementCount> kElements{{
    {"ImageCards1", {20, 10, 310, 106}},
    {"ImageCards2", {450, 10, 740, 106}},
    {"ImageCards3", {150, 395, 610, 491}},
    {"ImageTab1", {88, 140, 243, 235}},
    {"ImageTab2", {513, 140, 668, 235}},
    {"ImageTab3", {88, 280, 243, 375}},
    {"ImageSay1", {85, 115, 245, 135}},
    {"ImageSay2", {515, 115, 675, 135}},
    {"ImageSay3", {300, 370, 460, 390}},
    {"ImageKoloda", {330, 3, 430, 173}},
    {"ImageStol", {269, 170, 491, 370}},
    {"ImageKon", {320, 5, 440, 155}},
    {"ImageMemo", {620, 373, 750, 463}},
    {"Edit1", {}},
    {"BitBtn1", {}},
    {"ImTimer1", {40, 165, 80, 205}},
    {"ImTimer2", {680, 165, 720, 205}},
    {"ImTimer3", {40, 305, 80, 345}},
}};

}  // namespace

std::string_view ElementName(Element element)
{
    return kElements[static_cast<int>(element)].Name;
}

ReferenceRect ReferenceRectOf(Element element)
{
    return kElements[static_cast<int>(element)].Rect;
}

QRect ScaledRect(const Scale& scale, const ReferenceRect& ref)
{
    return QRect(ScaleLeft(scale, ref.Left, ref.Width()), ScaleTop(scale, ref.Top, ref.Height()),
                 ScaleSize(scale, ref.Width()), ScaleSize(scale, ref.Height()));
}

QRect TableLayout::HandRect(int seat) const
{
    if (seat < 1 || seat > 3) {
        return QRect();
    }
    return Rects[static_cast<int>(Element::ImageCards1) + seat - 1];
}

QRect TableLayout::BoardRect(int seat) const
{
    if (seat < 1 || seat > 3) {
        return QRect();
    }
    return Rects[static_cast<int>(Element::ImageTab1) + seat - 1];
}

QRect TableLayout::PlateRect(int seat) const
{
    if (seat < 1 || seat > 3) {
        return QRect();
    }
    return Rects[static_cast<int>(Element::ImageSay1) + seat - 1];
}

QRect TableLayout::TimerRect(int seat) const
{
    if (seat < 1 || seat > 3) {
        return QRect();
    }
    return Rects[static_cast<int>(Element::ImTimer1) + seat - 1];
}

TableLayout LayoutFor(const WindowGeometry& window, bool narrowCards)
{
    TableLayout layout;
    layout.WindowSize = window.WindowSize;
    layout.Client = window.Client;
    layout.Factors = window.Factors;
    layout.Card = CardSizeFor(window.Factors, narrowCards);
    layout.TrickOffset = TrickOffset(window.WindowSize, narrowCards);

    const Scale& scale = window.Factors;
    for (int i = 0; i < kElementCount; ++i) {
        const auto element = static_cast<Element>(i);
        if (element == Element::Edit1 || element == Element::BitBtn1) {
            continue;
        }
        QRect rect = ScaledRect(scale, kElements[i].Rect);
        if (element == Element::ImageCards1 || element == Element::ImageCards2 ||
            element == Element::ImageCards3) {
            rect.setHeight(layout.Card.Height);
        }
        layout.Rects[i] = rect;
    }

    // The chat field and its square send button hang below the message area:
    // the button's right edge on the area's right edge, the field centred
    // vertically on the button.
    const QRect memo = layout.Rect(Element::ImageMemo);
    const int button = ScaleSize(scale, 35);
    const int buttonTop = memo.top() + memo.height() + ScaleSize(scale, 1);
    layout.Rects[static_cast<int>(Element::BitBtn1)] =
        QRect(memo.left() + memo.width() - button, buttonTop, button, button);
    const int editHeight = ScaleSize(scale, 20);
    const int editTop = buttonTop + RoundHalfEven((button - editHeight) / 2.0);
    layout.Rects[static_cast<int>(Element::Edit1)] =
        QRect(memo.left(), editTop, memo.width() - ScaleSize(scale, 36), editHeight);
    layout.EditFontHeight = ScaleSize(scale, 14);
    return layout;
}

QPoint TablePlace(const TableLayout& layout, int seat)
{
    if (seat < 1 || seat > 3) {
        return QPoint();
    }
    const QRect stol = layout.Rect(Element::ImageStol);
    // The offset belongs to the reference place and is scaled with it.
    return QPoint(stol.left() + ScaleSize(layout.Factors, kTablePlaceX[seat] + layout.TrickOffset),
                  stol.top() + ScaleSize(layout.Factors, kTablePlaceY[seat]));
}

bool FontRoleByName(std::string_view name, FontRole& role)
{
    static constexpr std::array<std::string_view, 4> kNames{"decor", "serif", "fixed", "conew"};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name) {
            role = static_cast<FontRole>(i);
            return true;
        }
    }
    return false;
}

int FontHeightForScale(int size, int slotScale)
{
    return RoundHalfEven(size * static_cast<double>(slotScale) / 100.0);
}

}  // namespace tarvel
