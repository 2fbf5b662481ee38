// The game table's static pictures: the three hands, the score boards, the
// name plates, the game counter, the deck picture, the move timers and the
// message area, plus the cards lying in the table centre.
//
// Every element is its own picture of the laid-out size. Each drawing starts
// from the piece of the window background that lies under the element, so
// the elements look transparent. The table buffer (client size) is composed
// from the background, the visible elements in component order and the trick
// cards; the window copies it to the screen in one block, so a half-drawn
// table is never shown. After every change the buffer's changed rectangle is
// reported through the change callback.
#pragma once

#include "engine/match_state.h"
#include "settings/settings_file.h"
#include "table/flight.h"
#include "table/layout.h"
#include "table/pictures.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace tarvel {

inline constexpr int kMaxCardPositions = 36;

// Left coordinates of the card slots 1..36 inside a hand picture (index 0
// unused; unused slots 0).
using CardPositions = std::array<int, kMaxCardPositions + 1>;

// Slot positions of a hand of `count` cards in a hand picture `width` pixels
// wide: centred with 3-pixel gaps when they fit, else overlapping from the
// left edge. A single card that does not fit lies at the left edge.
CardPositions PlaceCards(double width, int count, int cardWidth);

// The slot 1..count whose visible strip contains x (the part of the card not
// covered by the next one), or 0. `holdsCard(slot)` says whether a slot holds
// a card.
int CardAtPosition(const CardPositions& positions, int count, int cardWidth, int x,
                   const std::function<bool(int)>& holdsCard);

// Special score board values.
inline constexpr std::int32_t kBoardClear = -1000000;  // clear the field
inline constexpr std::int32_t kBoardLeave = -2000000;  // leave it as shown

inline constexpr int kMessageLines = 4;
inline constexpr int kMessageCutLimit = 12;

// The text of a message line after the cut: while wider than `maxWidth`
// (measured by `width`), drop the last character, at most 12 times; "..." is
// appended when anything was dropped.
QString CutMessage(const QString& text, int maxWidth, const std::function<int(const QString&)>& width);

class TableView {
public:
    using ChangeSink = std::function<void(const QRect& rect)>;

    // Holds no pictures until the first SetLayout: the window lays the table
    // out when a game starts, and the table's two and a half megabytes of
    // pictures are not needed before.
    TableView(const MatchState& state, const Settings& settings, const CardPictures& pictures);

    // Places every element for a new layout: element pictures start as the
    // background under them, the per-seat card positions are cleared, the
    // trick cards and the message lines stay.
    void SetLayout(const TableLayout& layout);
    const TableLayout& Layout() const { return layout_; }
    // Recomposes the whole buffer, e.g. after a new background was loaded.
    void Refresh();

    void SetChangeSink(ChangeSink sink) { changed_ = std::move(sink); }

    // Drawn over a hand after its cards (the local hand's cues): the seat,
    // a painter on the hand picture, the card positions and the card count.
    using HandOverlay = std::function<void(int seat, QPainter& painter, const CardPositions& positions, int count)>;
    void SetHandOverlay(HandOverlay overlay) { handOverlay_ = std::move(overlay); }

    void SetVisible(Element element, bool visible);
    bool IsVisible(Element element) const;

    // The composed table at client size.
    const QImage& Buffer() const { return buffer_; }
    // An element's own picture (its laid-out size).
    const QImage& ElementPicture(Element element) const;

    // Hands.
    void DrawHand(int seat, bool faceUp);
    // Seat 1 or 2 face down with one slot face up (the card that fixed the
    // trump); seat 3 is face up anyway.
    void DrawHandShowingSlot(int seat, int slot);
    const CardPositions& Positions(int seat) const;
    int CardAt(int seat, int x) const;

    // Score boards, name plates, counter, deck, move timers, message area.
    void DrawBoard(int seat, bool showTurn, bool redrawBackground, std::int32_t corner, std::int32_t middle,
                   std::int32_t top);
    void DrawPlate(int seat, const QString& text, char colour);
    void DrawCounter();
    void DrawDeck(Suit trumpSuit);
    void DrawMoveTimer(int seat, int seconds);
    void AddMessage(int sender, const QString& text);
    void ClearMessages();
    struct MessageLine {
        QString Text;
        QColor Colour;
    };
    const std::vector<MessageLine>& Messages() const { return messages_; }

    // Cards in the table centre, by seat, drawn in the order they were put.
    void PutCardOnTable(int seat, CardCode code);
    void ClearTable();
    CardCode TableCard(int seat) const;

    // Where a card played from a hand starts its flight: seats 1 and 2 from
    // the middle of the hand area, seat 3 from the slot the card occupied
    // before the hand was redrawn without it; always at the hand's top.
    QPoint FlightStart(int seat, int fromSlot) const;
    // Flies a card from the hand to the seat's table place and leaves it
    // lying there.
    void FlyCardToTable(CardFlight& flight, int seat, int fromSlot, CardCode code, int speed);
    // Takes the trick cards off the table and flies them to the winner's side:
    // out through the top edge for seats 1 and 2, the bottom edge for seat 3.
    void FlyTrickTo(CardFlight& flight, int winner, int speed);

private:
    QImage& Picture(Element element);
    QRect RectOf(Element element) const { return layout_.Rect(element); }
    // The element's picture filled with the background under it.
    void ClearElement(Element element);
    void BackgroundInto(QImage& image, const QRect& at) const;
    void Compose(const QRect& area);
    void ElementChanged(Element element);
    void DrawHandPicture(int seat, bool faceUp, int faceUpSlot);
    int ScaleSize(int n) const { return tarvel::ScaleSize(layout_.Factors, n); }
    QImage TablePicture(const QString& small, const QString& large, QSize size) const;
    void DrawMessages();

    const MatchState& state_;
    const Settings& settings_;
    const CardPictures& pictures_;
    ChangeSink changed_;
    HandOverlay handOverlay_;

    TableLayout layout_;
    QImage buffer_;
    std::array<QImage, kElementCount> elements_{};
    std::array<bool, kElementCount> visible_{};

    struct HandPlacement {
        CardPositions Positions{};
        int Count = -1;
    };
    std::array<HandPlacement, 4> hands_{};
    std::array<HandPlacement, 4> previousHands_{};

    // Board backgrounds per seat and their four field patches.
    struct BoardFields {
        QImage Base;
    };
    std::array<BoardFields, 4> boards_{};

    std::vector<std::pair<int, CardCode>> tableCards_;
    std::vector<MessageLine> messages_;
};

}  // namespace tarvel
