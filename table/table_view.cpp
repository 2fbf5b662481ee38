#include "table/table_view.h"

#include "settings/words/words.h"
#include "table/fonts.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarvel {

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kLime(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kNavy(0, 0, 128);
const QColor kGreen(0, 128, 0);
const QColor kMaroon(128, 0, 0);
const QColor kOlive(128, 128, 0);
const QColor kYellow(255, 255, 0);

QString WordText(WordId id, int language)
{
    const std::string_view text = Word(id, language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Draws `text` with the top of its line at y, as the window's text output does.
void TextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

// Left edge of a text centred between a and b.
int CentredLeft(int a, int b, int textWidth)
{
    return a + static_cast<int>(std::trunc((b - a - textWidth) / 2.0));
}

// The counter frame's cream area lies this far inside its gold edge
// (reference units, both sides).
constexpr int kCounterMargin = 12;

bool IsWidget(Element element)
{
    return element == Element::Edit1 || element == Element::BitBtn1;
}

Element Indexed(Element first, int seat)
{
    return static_cast<Element>(static_cast<int>(first) + seat - 1);
}

}  // namespace

CardPositions PlaceCards(double width, int count, int cardWidth)
{
    CardPositions positions{};
    if (count <= 0) {
        return positions;
    }
    count = std::min(count, kMaxCardPositions);
    const double step = cardWidth + 3;
    const double centre = RoundHalfEven(width / 2.0);
    const double share = width / count;
    if (share >= step) {
        for (int i = 1; i <= count; ++i) {
            positions[static_cast<std::size_t>(i)] = RoundHalfEven(centre - step * count / 2.0 + (i - 1) * step);
        }
    } else if (count > 1) {
        const int t = static_cast<int>(std::trunc(share - (step - share) / (count - 1)));
        for (int i = 1; i <= count; ++i) {
            positions[static_cast<std::size_t>(i)] = (i - 1) * t;
        }
    }
    // One card in a picture narrower than a card plus its gap lies at the
    // left edge (position 0): there is nothing for it to overlap.
    return positions;
}

int CardAtPosition(const CardPositions& positions, int count, int cardWidth, int x,
                   const std::function<bool(int)>& holdsCard)
{
    count = std::min(count, kMaxCardPositions);
    for (int i = 1; i < count; ++i) {
        const int left = positions[static_cast<std::size_t>(i)];
        const int next = positions[static_cast<std::size_t>(i + 1)];
        if (left <= x && x <= next - 1 && holdsCard(i)) {
            return i;
        }
    }
    if (count >= 1) {
        const int left = positions[static_cast<std::size_t>(count)];
        if (left <= x && x <= left + cardWidth - 1 && holdsCard(count)) {
            return count;
        }
    }
    return 0;
}

QString CutMessage(const QString& text, int maxWidth, const std::function<int(const QString&)>& width)
{
    QString cut = text;
    int removed = 0;
    while (removed < kMessageCutLimit && !cut.isEmpty() && width(cut) > maxWidth) {
        cut.chop(1);
        ++removed;
    }
    if (removed > 0) {
        cut += QStringLiteral("...");
    }
    return cut;
}

TableView::TableView(const MatchState& state, const Settings& settings, const CardPictures& pictures)
    : state_(state), settings_(settings), pictures_(pictures)
{
}

QImage& TableView::Picture(Element element)
{
    return elements_[static_cast<std::size_t>(element)];
}

const QImage& TableView::ElementPicture(Element element) const
{
    return elements_[static_cast<std::size_t>(element)];
}

void TableView::SetLayout(const TableLayout& layout)
{
    layout_ = layout;
    buffer_ = QImage(layout_.Client, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < kElementCount; ++i) {
        const auto element = static_cast<Element>(i);
        if (IsWidget(element)) {
            continue;
        }
        const QRect rect = RectOf(element);
        elements_[static_cast<std::size_t>(i)] =
            rect.isEmpty() ? QImage() : QImage(rect.size(), QImage::Format_ARGB32_Premultiplied);
        ClearElement(element);
    }
    hands_.fill(HandPlacement{});
    previousHands_.fill(HandPlacement{});
    boards_.fill(BoardFields{});
    Compose(buffer_.rect());
    if (!messages_.empty()) {
        DrawMessages();
    }
}

void TableView::Refresh()
{
    Compose(buffer_.rect());
}

void TableView::SetVisible(Element element, bool visible)
{
    auto& flag = visible_[static_cast<std::size_t>(element)];
    if (flag == visible) {
        return;
    }
    flag = visible;
    Compose(RectOf(element));
}

bool TableView::IsVisible(Element element) const
{
    return visible_[static_cast<std::size_t>(element)];
}

void TableView::BackgroundInto(QImage& image, const QRect& at) const
{
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(image.rect(), pictures_.WindowColour());
    const QImage& background = pictures_.Background();
    if (!background.isNull()) {
        // The background drawn at minus the element's left and top.
        painter.drawImage(QPoint(0, 0), background, at);
    }
}

void TableView::ClearElement(Element element)
{
    QImage& picture = Picture(element);
    if (!picture.isNull()) {
        BackgroundInto(picture, RectOf(element));
    }
}

void TableView::Compose(const QRect& area)
{
    const QRect clip = area.intersected(buffer_.rect());
    if (clip.isEmpty()) {
        return;
    }
    {
        QPainter painter(&buffer_);
        painter.setClipRect(clip);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(clip, pictures_.WindowColour());
        const QImage& background = pictures_.Background();
        if (!background.isNull()) {
            painter.drawImage(clip.topLeft(), background, clip);
        }
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (int i = 0; i < kElementCount; ++i) {
            const auto element = static_cast<Element>(i);
            const QImage& picture = elements_[static_cast<std::size_t>(i)];
            if (!visible_[static_cast<std::size_t>(i)] || IsWidget(element) || picture.isNull() ||
                !RectOf(element).intersects(clip)) {
                continue;
            }
            painter.drawImage(RectOf(element).topLeft(), picture);
        }
        for (const auto& [seat, code] : tableCards_) {
            pictures_.DrawCard(TablePlace(layout_, seat).x(), TablePlace(layout_, seat).y(), code, painter);
        }
    }
    if (changed_) {
        changed_(clip);
    }
}

void TableView::ElementChanged(Element element)
{
    if (IsVisible(element)) {
        Compose(RectOf(element));
    }
}

QImage TableView::TablePicture(const QString& small, const QString& large, QSize size) const
{
    if (layout_.IsSmallWindow()) {
        return ProgramPicture(small);
    }
    return ScaledPicture(ProgramPicture(large), size, false, 0);
}

// Hands ---------------------------------------------------------------------

void TableView::DrawHandPicture(int seat, bool faceUp, int faceUpSlot)
{
    if (seat < 1 || seat > 3) {
        return;
    }
    const Element element = Indexed(Element::ImageCards1, seat);
    ClearElement(element);
    const int count = std::clamp<int>(state_.HandCount[static_cast<std::size_t>(seat)], 0, 24);
    HandPlacement placement;
    placement.Count = count;
    placement.Positions = PlaceCards(RectOf(element).width(), count, layout_.Card.Width);
    if (placement.Count != hands_[static_cast<std::size_t>(seat)].Count) {
        previousHands_[static_cast<std::size_t>(seat)] = hands_[static_cast<std::size_t>(seat)];
    }
    hands_[static_cast<std::size_t>(seat)] = placement;

    QImage& picture = Picture(element);
    if (!picture.isNull()) {
        QPainter painter(&picture);
        const Hand& hand = state_.Hands[static_cast<std::size_t>(seat)];
        for (int slot = 1; slot <= count; ++slot) {
            const CardCode code = hand[static_cast<std::size_t>(slot)];
            const int x = placement.Positions[static_cast<std::size_t>(slot)];
            if (seat == 3 || faceUp || slot == faceUpSlot) {
                pictures_.DrawCard(x, 0, code, painter);
            } else if (!code.IsEmpty()) {
                pictures_.DrawBack(x, 0, painter);
            }
        }
        if (handOverlay_) {
            handOverlay_(seat, painter, placement.Positions, count);
        }
    }
    ElementChanged(element);
}

void TableView::DrawHand(int seat, bool faceUp)
{
    DrawHandPicture(seat, faceUp, 0);
}

void TableView::DrawHandShowingSlot(int seat, int slot)
{
    DrawHandPicture(seat, false, slot);
}

const CardPositions& TableView::Positions(int seat) const
{
    return hands_[static_cast<std::size_t>(std::clamp(seat, 0, 3))].Positions;
}

int TableView::CardAt(int seat, int x) const
{
    if (seat < 1 || seat > 3) {
        return 0;
    }
    const HandPlacement& placement = hands_[static_cast<std::size_t>(seat)];
    // The strips are those on screen; a slot that no longer holds a card in
    // the match state is not hit even while the hand still shows it.
    const int count = placement.Count;
    const Hand& hand = state_.Hands[static_cast<std::size_t>(seat)];
    return CardAtPosition(placement.Positions, count, layout_.Card.Width, x, [&hand](int slot) {
        return slot >= 1 && slot < static_cast<int>(hand.size()) && hand[static_cast<std::size_t>(slot)].IsCard();
    });
}

// Score boards ---------------------------------------------------------------

void TableView::DrawBoard(int seat, bool showTurn, bool redrawBackground, std::int32_t corner,
                          std::int32_t middle, std::int32_t top)
{
    if (seat < 1 || seat > 3) {
        return;
    }
    const Element element = Indexed(Element::ImageTab1, seat);
    QImage& picture = Picture(element);
    if (picture.isNull()) {
        return;
    }
    const QRect rect = RectOf(element);
    BoardFields& board = boards_[static_cast<std::size_t>(seat)];
    // A board drawn for the first time since the layout needs its picture
    // even when the caller only updates fields.
    const bool drawBase = board.Base.isNull() || redrawBackground;
    if (drawBase) {
        // The board over the background; its field patches restore fields.
        board.Base = QImage(rect.size(), QImage::Format_ARGB32_Premultiplied);
        BackgroundInto(board.Base, rect);
        QPainter base(&board.Base);
        base.drawImage(0, 0, TablePicture(QStringLiteral("TabloSm"), QStringLiteral("TabloBg"), rect.size()));
        base.end();
    }
    QPainter painter(&picture);
    if (drawBase) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, board.Base);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    const auto field = [this](int x1, int y1, int x2, int y2) {
        return QRect(QPoint(ScaleSize(x1), ScaleSize(y1)), QPoint(ScaleSize(x2) - 1, ScaleSize(y2) - 1));
    };
    const auto restore = [&](const QRect& area) {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(area.topLeft(), board.Base, area);
        painter.restore();
    };
    const QRect topField = field(15, 15, 140, 46);
    const QRect turnField = field(15, 50, 50, 81);
    const QRect middleField = field(55, 50, 100, 81);
    const QRect cornerField = field(105, 50, 140, 81);

    restore(turnField);
    if (showTurn) {
        if (layout_.IsSmallWindow()) {
            if (seat == 3) {
                painter.drawImage(22, 50, ProgramPicture(QStringLiteral("HandIconDown")));
            } else {
                painter.drawImage(22, 49, ProgramPicture(QStringLiteral("HandIconUp")));
            }
        } else {
            const QRect hand = field(23, 49, 43, 79);
            const QImage marker = ProgramPicture(seat == 3 ? QStringLiteral("Hand_Down") : QStringLiteral("Hand_Up"));
            painter.drawImage(hand.topLeft(), ScaledPicture(marker, hand.size(), false, 0));
        }
    }

    const QString family = FontFamily(settings_, FontRole::Decor);
    if (top != kBoardLeave) {
        restore(topField);
        if (top != kBoardClear) {
            QString text = QString::number(top);
            QColor colour = kMagenta;
            const int pending = state_.PendingMarriage[static_cast<std::size_t>(seat)];
            if (pending != 0) {
                text = QString::number(pending);
                colour = kLime;
            }
            if (state_.GameOver) {
                colour = kRed;
                if ((pending != 0 ? pending : top) > 0) {
                    text = QLatin1Char('+') + text;
                }
            }
            painter.setFont(RoleFont(settings_, FontRole::Decor, FontHeight(settings_, ScaleSize(30), FontRole::Decor)));
            painter.setPen(colour);
            TextAt(painter, CentredLeft(0, rect.width(), painter.fontMetrics().horizontalAdvance(text)), ScaleSize(14),
                   text);
        }
    }
    if (middle != kBoardLeave) {
        restore(middleField);
        if (middle != kBoardClear) {
            const QString text = QString::number(middle);
            painter.setFont(RoleFont(settings_, FontRole::Decor, ScaleSize(20)));
            painter.setPen(kBlue);
            TextAt(painter, CentredLeft(0, rect.width(), painter.fontMetrics().horizontalAdvance(text)), ScaleSize(54),
                   text);
        }
    }
    if (corner != kBoardLeave) {
        restore(cornerField);
        if (corner != kBoardClear) {
            const QString text = QString::number(corner);
            // The corner number is sized in points: 96 pixels to 72 points.
            painter.setFont(RoleFont(settings_, FontRole::Decor, RoundHalfEven(ScaleSize(14) * 96.0 / 72.0)));
            painter.setPen(kNavy);
            TextAt(painter,
                   CentredLeft(ScaleSize(105), ScaleSize(140), painter.fontMetrics().horizontalAdvance(text)),
                   ScaleSize(52), text);
        }
    }
    painter.end();
    ElementChanged(element);
}

// Name plates ----------------------------------------------------------------

void TableView::DrawPlate(int seat, const QString& text, char colour)
{
    if (seat < 1 || seat > 3) {
        return;
    }
    const Element element = Indexed(Element::ImageSay1, seat);
    ClearElement(element);
    QImage& picture = Picture(element);
    QString shown = text;
    while (!shown.isEmpty() && shown.back() == QLatin1Char(' ')) {
        shown.chop(1);
    }
    if (picture.isNull() || shown.isEmpty()) {
        ElementChanged(element);
        return;
    }
    QString name;
    switch (colour) {
    case 'g': name = QStringLiteral("SPGreen"); break;
    case 'r': name = QStringLiteral("SPRed"); break;
    case 'y': name = QStringLiteral("SPYellow"); break;
    case 'o': name = QStringLiteral("SPFiolet"); break;
    default: name = QStringLiteral("SPBlue"); break;
    }
    QPainter painter(&picture);
    painter.drawImage(0, 0, TablePicture(name, name + QLatin1Char('B'), picture.size()));

    QFont font;
    for (const int size : {18, 16, 14}) {
        font = RoleFont(settings_, FontRole::Serif, FontHeight(settings_, ScaleSize(size), FontRole::Serif), true);
        if (QFontMetrics(font).horizontalAdvance(shown) <= ScaleSize(150)) {
            break;
        }
    }
    // A long announcement ("Forty. I close game" in some languages) keeps
    // shrinking until it stays on the plate.
    font = FittingFont(font, font.pixelSize(), 6, [&](const QFont& candidate) {
        return QFontMetrics(candidate).horizontalAdvance(shown) <= ScaleSize(150);
    });
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font);
    const int y = RoundHalfEven((picture.height() - metrics.height()) / 2.0);
    TextAt(painter, CentredLeft(0, ScaleSize(160), metrics.horizontalAdvance(shown)), y, shown);
    painter.end();
    ElementChanged(element);
}

// Game counter and deck ------------------------------------------------------

void TableView::DrawCounter()
{
    const Element element = Element::ImageKon;
    ClearElement(element);
    QImage& picture = Picture(element);
    if (picture.isNull()) {
        return;
    }
    QPainter painter(&picture);
    painter.drawImage(0, 0, TablePicture(QStringLiteral("RamkaBBSm"), QStringLiteral("RamkaBBBg"), picture.size()));
    const QString round = WordText(WordId::Round, settings_.Language) + QLatin1Char(' ') + QString::number(state_.DealNo);
    const QString trump = WordText(WordId::Trump, settings_.Language);
    // Both lines stay inside the frame's cream area, whatever the language
    // and the deal number.
    const int cream = picture.width() - 2 * ScaleSize(kCounterMargin);
    painter.setFont(FittingFont(RoleFont(settings_, FontRole::Decor, 1), FontHeight(settings_, ScaleSize(28), FontRole::Decor),
                                6, [&](const QFont& font) {
                                    const QFontMetrics metrics(font);
                                    return std::max(metrics.horizontalAdvance(round),
                                                    metrics.horizontalAdvance(trump)) <= cream;
                                }));
    painter.setPen(kBlue);
    TextAt(painter, CentredLeft(0, picture.width(), painter.fontMetrics().horizontalAdvance(round)), ScaleSize(20),
           round);
    if (IsSuit(state_.Trump)) {
        painter.setPen(kGreen);
        TextAt(painter, CentredLeft(0, picture.width(), painter.fontMetrics().horizontalAdvance(trump)),
               ScaleSize(60), trump);
        if (layout_.IsSmallWindow()) {
            painter.drawImage(50, 90, pictures_.SuitSymbolOf(state_.Trump, false));
        } else {
            painter.drawImage(RoundHalfEven(picture.width() / 2.0) - 20, ScaleSize(90),
                              pictures_.SuitSymbolOf(state_.Trump, true));
        }
    }
    painter.end();
    ElementChanged(element);
}

void TableView::DrawDeck(Suit trumpSuit)
{
    const Element element = Element::ImageKoloda;
    ClearElement(element);
    QImage& picture = Picture(element);
    if (picture.isNull()) {
        return;
    }
    QPainter painter(&picture);
    if (layout_.IsSmallWindow()) {
        painter.drawImage(20, 54, ProgramPicture(QStringLiteral("GKolodaLarge")));
        if (IsSuit(trumpSuit)) {
            painter.drawImage(40, 74, pictures_.SuitSymbolOf(trumpSuit, false));
        }
    } else {
        const QRect square(QPoint(ScaleSize(20), ScaleSize(54)), QPoint(ScaleSize(80) - 1, ScaleSize(114) - 1));
        painter.drawImage(square.topLeft(),
                          ScaledPicture(ProgramPicture(QStringLiteral("GKolodaLargeB")), square.size(), false, 0));
        if (IsSuit(trumpSuit)) {
            const int centreX = (ScaleSize(20) + ScaleSize(80)) / 2;
            const int centreY = (ScaleSize(54) + ScaleSize(114)) / 2;
            painter.drawImage(centreX - 20, centreY - 20, pictures_.SuitSymbolOf(trumpSuit, true));
        }
    }
    painter.end();
    ElementChanged(element);
}

// Move timers ----------------------------------------------------------------

void TableView::DrawMoveTimer(int seat, int seconds)
{
    if (seat < 1 || seat > 3) {
        return;
    }
    const Element element = Indexed(Element::ImTimer1, seat);
    ClearElement(element);
    QImage& picture = Picture(element);
    if (picture.isNull() || seconds < 0) {
        ElementChanged(element);
        return;
    }
    const bool hurry = seconds < 8;
    QPainter painter(&picture);
    painter.drawImage(0, 0, ScaledPicture(ProgramPicture(hurry ? QStringLiteral("GTimerR") : QStringLiteral("GTimerY")),
                                          picture.size(), false, 0));
    const QFont font = RoleFont(settings_, FontRole::Serif, FontHeight(settings_, ScaleSize(18), FontRole::Serif), true);
    painter.setFont(font);
    painter.setPen(hurry ? kYellow : kRed);
    const QString text = QString::number(seconds);
    const QFontMetrics metrics(font);
    // The picture is square: centred between 0 and its height both ways.
    TextAt(painter, CentredLeft(0, picture.height(), metrics.horizontalAdvance(text)),
           CentredLeft(0, picture.height(), metrics.height()), text);
    painter.end();
    ElementChanged(element);
}

// Message area ---------------------------------------------------------------

void TableView::AddMessage(int sender, const QString& text)
{
    QColor colour = Qt::black;
    switch (sender) {
    case 1: colour = kMaroon; break;
    case 2: colour = kNavy; break;
    case 3: colour = kGreen; break;
    case 4: colour = kOlive; break;
    default: break;
    }
    const QFontMetrics metrics(RoleFont(settings_, FontRole::Serif, ScaleSize(14)));
    // The first character is the sender's marker of the network message.
    const QString line =
        CutMessage(text.mid(1), ScaleSize(85), [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    if (static_cast<int>(messages_.size()) == kMessageLines) {
        messages_.erase(messages_.begin());
    }
    messages_.push_back(MessageLine{line, colour});
    DrawMessages();
}

void TableView::ClearMessages()
{
    messages_.clear();
    DrawMessages();
}

void TableView::DrawMessages()
{
    const Element element = Element::ImageMemo;
    ClearElement(element);
    QImage& picture = Picture(element);
    if (picture.isNull()) {
        return;
    }
    QPainter painter(&picture);
    painter.drawImage(0, 0, TablePicture(QStringLiteral("RamkaERSm"), QStringLiteral("RamkaERBg"), picture.size()));
    painter.setFont(RoleFont(settings_, FontRole::Serif, ScaleSize(14)));
    for (std::size_t i = 0; i < messages_.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        painter.setPen(messages_[i].Colour);
        TextAt(painter, ScaleSize(20), ScaleSize(14 * line + 3), messages_[i].Text);
    }
    painter.end();
    ElementChanged(element);
}

// Table centre and flights ---------------------------------------------------

void TableView::PutCardOnTable(int seat, CardCode code)
{
    if (seat < 1 || seat > 3) {
        return;
    }
    std::erase_if(tableCards_, [seat](const auto& entry) { return entry.first == seat; });
    tableCards_.emplace_back(seat, code);
    Compose(QRect(TablePlace(layout_, seat), QSize(layout_.Card.Width, layout_.Card.Height)));
}

void TableView::ClearTable()
{
    QRect area;
    for (const auto& [seat, code] : tableCards_) {
        area |= QRect(TablePlace(layout_, seat), QSize(layout_.Card.Width, layout_.Card.Height));
    }
    tableCards_.clear();
    Compose(area);
}

CardCode TableView::TableCard(int seat) const
{
    for (const auto& [owner, code] : tableCards_) {
        if (owner == seat) {
            return code;
        }
    }
    return NoCard;
}

QPoint TableView::FlightStart(int seat, int fromSlot) const
{
    const QRect hand = layout_.HandRect(seat);
    if (hand.isNull()) {
        return QPoint();
    }
    if (seat != 3) {
        return QPoint(RoundHalfEven(hand.left() + hand.width() / 2.0 - layout_.Card.Width / 2.0), hand.top());
    }
    // The hand has already been redrawn without the card: its slot lies in
    // the placement the hand had before.
    const HandPlacement& now = hands_[3];
    const HandPlacement& before = previousHands_[3];
    const HandPlacement& placement = (before.Count > now.Count && fromSlot <= before.Count) ? before : now;
    const int slot = std::clamp(fromSlot, 1, kMaxCardPositions);
    return QPoint(hand.left() + placement.Positions[static_cast<std::size_t>(slot)], hand.top());
}

void TableView::FlyCardToTable(CardFlight& flight, int seat, int fromSlot, CardCode code, int speed)
{
    if (seat < 1 || seat > 3) {
        return;
    }
    const QPoint start = FlightStart(seat, fromSlot);
    const QPoint target = TablePlace(layout_, seat);
    flight.FlyCard(start.x(), start.y(), target.x(), target.y(), pictures_.CardImage(code), true, speed);
    PutCardOnTable(seat, code);
}

void TableView::FlyTrickTo(CardFlight& flight, int winner, int speed)
{
    const QRect hand = layout_.HandRect(winner);
    std::vector<FlyingCard> cards;
    if (!hand.isNull()) {
        const int targetX = RoundHalfEven(hand.left() + hand.width() / 2.0 - layout_.Card.Width / 2.0);
        const int targetY = winner == 3 ? layout_.Client.height() : -layout_.Card.Height;
        for (const auto& [seat, code] : tableCards_) {
            const QImage picture = pictures_.CardImage(code);
            if (!picture.isNull()) {
                cards.push_back(FlyingCard{picture, TablePlace(layout_, seat), QPoint(targetX, targetY)});
            }
        }
    }
    // The clean copy of the flight must not hold the cards that fly away.
    ClearTable();
    flight.FlyGroup(cards, speed);
}

}  // namespace tarvel
