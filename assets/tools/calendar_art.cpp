// The pictures of the calendar module, drawn with QPainter.
//
//   tarvel_calendar_art OUT_FOLDER
//
// writes OUT_FOLDER/<name>.png for every picture name the holiday calendar
// uses and OUT_FOLDER/QorCalendar01.qrc listing them under the prefix
// "/QorCalendar01". A name without a drawing below stops the program, so a
// new picture in the holiday table cannot be forgotten here.
//
// Sizes: the empty sheet 60 x 100, the zodiac signs 26 x 26 (drawn at
// (17, 65) of the left sheet), everything else 54 x 70 (drawn at (3, 27)).
// Each picture is drawn four times larger and scaled down, which smooths
// the edges of shapes and colour glyphs alike. Colour glyphs come from the
// "Noto Color Emoji" font.

#include "calendar/holidays.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace tarvel {
namespace {

constexpr int kOversample = 4;
constexpr double kPi = 3.14159265358979323846;

using Drawing = std::function<void(QPainter&)>;

struct Art {
    int width = 54;
    int height = 70;
    Drawing draw;
};

QImage Render(const Art& art)
{
    QImage big(art.width * kOversample, art.height * kOversample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter painter(&big);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        painter.scale(kOversample, kOversample);
        art.draw(painter);
    }
    return big.scaled(art.width, art.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QFont PixelFont(const QString& family, double pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(pixels * kOversample)));
    font.setBold(bold);
    return font;
}

// Text centred in a box given in picture pixels; the font size too is in
// picture pixels (fonts take whole pixels, so the painter's scale is undone
// while the text is drawn).
void Text(QPainter& p, const QRectF& box, const QString& text, const QString& family, double pixels,
          const QColor& colour, bool bold = false)
{
    p.save();
    p.scale(1.0 / kOversample, 1.0 / kOversample);
    p.setFont(PixelFont(family, pixels, bold));
    p.setPen(colour);
    const QRectF scaled(box.x() * kOversample, box.y() * kOversample, box.width() * kOversample,
                        box.height() * kOversample);
    p.drawText(scaled, Qt::AlignCenter, text);
    p.restore();
}

void Emoji(QPainter& p, const QRectF& box, const char* utf8, double pixels)
{
    Text(p, box, QString::fromUtf8(utf8), QStringLiteral("Noto Color Emoji"), pixels, Qt::black);
}

// A soft round glow behind a picture, so that it stands out on the paper.
void Glow(QPainter& p, const QColor& colour, QPointF centre = {27, 33}, double radius = 26)
{
    QRadialGradient glow(centre, radius);
    QColor inner = colour;
    inner.setAlpha(110);
    QColor outer = colour;
    outer.setAlpha(0);
    glow.setColorAt(0, inner);
    glow.setColorAt(1, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
}

Art EmojiArt(const char* glyph, const QColor& glow, double size = 40)
{
    return {54, 70, [glyph, glow, size](QPainter& p) {
                Glow(p, glow);
                Emoji(p, QRectF(0, 6, 54, 54), glyph, size);
            }};
}

// A flag waving on a pole; `stripes` paints the cloth into the 40 x 27 box
// at (10, 12) before the wave and the shading are laid over it.
Art FlagArt(const std::function<void(QPainter&, const QRectF&)>& stripes)
{
    return {54, 70, [stripes](QPainter& p) {
                // The pole and its knob.
                QLinearGradient pole(6, 0, 10, 0);
                pole.setColorAt(0, QColor(120, 80, 40));
                pole.setColorAt(1, QColor(200, 150, 90));
                p.setPen(Qt::NoPen);
                p.setBrush(pole);
                p.drawRoundedRect(QRectF(6.5, 9, 3, 56), 1.2, 1.2);
                QRadialGradient knob(QPointF(7.4, 7.4), 3);
                knob.setColorAt(0, QColor(255, 235, 140));
                knob.setColorAt(1, QColor(190, 140, 30));
                p.setBrush(knob);
                p.drawEllipse(QPointF(8, 8), 2.6, 2.6);

                const QRectF cloth(10, 12, 40, 27);
                QPainterPath wave;
                wave.moveTo(cloth.left(), cloth.top());
                wave.cubicTo(cloth.left() + 13, cloth.top() - 4, cloth.left() + 26, cloth.top() + 4, cloth.right(),
                             cloth.top() - 1);
                wave.lineTo(cloth.right(), cloth.bottom() - 1);
                wave.cubicTo(cloth.left() + 26, cloth.bottom() + 4, cloth.left() + 13, cloth.bottom() - 4,
                             cloth.left(), cloth.bottom());
                wave.closeSubpath();
                p.save();
                p.setClipPath(wave);
                stripes(p, QRectF(cloth.left(), cloth.top() - 4, cloth.width(), cloth.height() + 8));
                // Folds: light and shade across the cloth.
                QLinearGradient folds(cloth.left(), 0, cloth.right(), 0);
                folds.setColorAt(0.0, QColor(255, 255, 255, 40));
                folds.setColorAt(0.3, QColor(0, 0, 0, 45));
                folds.setColorAt(0.6, QColor(255, 255, 255, 55));
                folds.setColorAt(1.0, QColor(0, 0, 0, 40));
                p.fillRect(cloth.adjusted(0, -5, 0, 5), folds);
                p.restore();
                p.setPen(QPen(QColor(0, 0, 0, 90), 0.5));
                p.setBrush(Qt::NoBrush);
                p.drawPath(wave);
            }};
}

void HorizontalStripes(QPainter& p, const QRectF& r, std::initializer_list<std::pair<QColor, double>> parts)
{
    double total = 0;
    for (const auto& part : parts) total += part.second;
    double y = r.top();
    for (const auto& [colour, share] : parts) {
        const double h = r.height() * share / total;
        p.fillRect(QRectF(r.left(), y, r.width(), h + 0.2), colour);
        y += h;
    }
}

void VerticalStripes(QPainter& p, const QRectF& r, std::initializer_list<QColor> colours)
{
    const double w = r.width() / static_cast<double>(colours.size());
    double x = r.left();
    for (const QColor& colour : colours) {
        p.fillRect(QRectF(x, r.top(), w + 0.2, r.height()), colour);
        x += w;
    }
}

void UsaCloth(QPainter& p, const QRectF& r)
{
    const double stripe = r.height() / 13.0;
    for (int i = 0; i < 13; ++i) {
        p.fillRect(QRectF(r.left(), r.top() + i * stripe, r.width(), stripe + 0.1),
                   i % 2 == 0 ? QColor(191, 10, 48) : QColor(255, 255, 255));
    }
    const QRectF canton(r.left(), r.top(), r.width() * 0.42, stripe * 7);
    p.fillRect(canton, QColor(0, 40, 104));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 6 - row % 2; ++col) {
            p.drawEllipse(QPointF(canton.left() + 1.6 + col * 2.9 + (row % 2) * 1.45, canton.top() + 1.7 + row * 2.6),
                          0.55, 0.55);
        }
    }
}

void EnglandCloth(QPainter& p, const QRectF& r)
{
    p.fillRect(r, Qt::white);
    const QColor red(206, 17, 36);
    p.fillRect(QRectF(r.center().x() - 3.5, r.top(), 7, r.height()), red);
    p.fillRect(QRectF(r.left(), r.center().y() - 3.5, r.width(), 7), red);
}

// A gold cross: `bars` lists the cross bars as (centre height, half width,
// slant) on a beam from y 8 to 64 at x 27.
Art CrossArt(std::initializer_list<std::tuple<double, double, double>> bars, const QColor& glow)
{
    std::vector<std::tuple<double, double, double>> list(bars);
    return {54, 70, [list, glow](QPainter& p) {
                Glow(p, glow, {27, 34}, 27);
                QPainterPath cross;
                cross.addRect(QRectF(24.5, 6, 5, 60));
                for (const auto& [y, half, slant] : list) {
                    QPainterPath bar;
                    bar.moveTo(27 - half, y - 2.5 + slant);
                    bar.lineTo(27 + half, y - 2.5 - slant);
                    bar.lineTo(27 + half, y + 2.5 - slant);
                    bar.lineTo(27 - half, y + 2.5 + slant);
                    bar.closeSubpath();
                    cross = cross.united(bar);
                }
                QLinearGradient gold(0, 6, 54, 66);
                gold.setColorAt(0, QColor(255, 236, 150));
                gold.setColorAt(0.5, QColor(222, 170, 40));
                gold.setColorAt(1, QColor(160, 105, 20));
                p.setPen(QPen(QColor(120, 70, 10), 0.8));
                p.setBrush(gold);
                p.drawPath(cross);
            }};
}

// St George's ribbon: three black stripes on orange, folded into a loop.
Art RibbonArt()
{
    return {54, 70, [](QPainter& p) {
                const auto band = [&p](const QPointF& from, const QPointF& to) {
                    const QPointF along = to - from;
                    const double length = std::hypot(along.x(), along.y());
                    p.save();
                    p.translate(from);
                    p.rotate(std::atan2(along.y(), along.x()) * 180.0 / kPi);
                    const double w = 11;
                    for (int i = 0; i < 5; ++i) {
                        p.fillRect(QRectF(0, -w / 2 + i * w / 5, length, w / 5 + 0.1),
                                   i % 2 == 0 ? QColor(240, 130, 0) : QColor(20, 20, 20));
                    }
                    p.restore();
                };
                band(QPointF(27, 22), QPointF(12, 64));  // left tail
                band(QPointF(27, 22), QPointF(42, 64));  // right tail
                // The loop over the crossing.
                QPainterPath loop;
                loop.addEllipse(QPointF(27, 18), 11, 12);
                QPainterPath hole;
                hole.addEllipse(QPointF(27, 18), 5.5, 6.5);
                p.save();
                p.setClipPath(loop.subtracted(hole));
                for (int i = 0; i < 5; ++i) {
                    const double r = 12 - i * 1.3;
                    p.setPen(Qt::NoPen);
                    p.setBrush(i % 2 == 0 ? QColor(240, 130, 0) : QColor(20, 20, 20));
                    p.drawEllipse(QPointF(27, 18), r - 0.5 + 0.4 * i, r);
                }
                p.restore();
            }};
}

// Two painted eggs.
Art EasterEggsArt()
{
    return {54, 70, [](QPainter& p) {
                Glow(p, QColor(255, 220, 120), {27, 40}, 26);
                const auto egg = [&p](QPointF centre, double angle, QColor base, QColor band) {
                    p.save();
                    p.translate(centre);
                    p.rotate(angle);
                    QPainterPath shape;
                    shape.moveTo(0, -17);
                    shape.cubicTo(10, -17, 13, 2, 12, 7);
                    shape.cubicTo(11, 15, 5, 17, 0, 17);
                    shape.cubicTo(-5, 17, -11, 15, -12, 7);
                    shape.cubicTo(-13, 2, -10, -17, 0, -17);
                    QRadialGradient fill(QPointF(-4, -6), 22);
                    fill.setColorAt(0, base.lighter(150));
                    fill.setColorAt(1, base);
                    p.setPen(QPen(base.darker(160), 0.7));
                    p.setBrush(fill);
                    p.drawPath(shape);
                    p.setClipPath(shape);
                    p.setPen(QPen(band, 2.2));
                    p.setBrush(Qt::NoBrush);
                    QPainterPath zigzag;
                    zigzag.moveTo(-14, 2);
                    for (int i = 0; i < 8; ++i) zigzag.lineTo(-14 + (i + 1) * 3.6, i % 2 == 0 ? -2 : 2);
                    p.drawPath(zigzag);
                    p.drawLine(QPointF(-14, -7), QPointF(14, -7));
                    p.drawLine(QPointF(-14, 10), QPointF(14, 10));
                    p.restore();
                };
                egg(QPointF(19, 40), -12, QColor(200, 30, 40), QColor(255, 215, 80));
                egg(QPointF(36, 44), 14, QColor(40, 90, 190), QColor(255, 255, 255));
            }};
}

// The empty sheet: a tear-off calendar page on its pad, with the red
// binding strip and two rings.
Art SheetArt()
{
    return {60, 100, [](QPainter& p) {
                // The pad below the page, and a soft shadow.
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0, 0, 0, 55));
                p.drawRoundedRect(QRectF(2.5, 6.5, 57, 93), 4, 4);
                p.setPen(QPen(QColor(150, 140, 120), 0.5));
                p.setBrush(QColor(235, 228, 210));
                p.drawRoundedRect(QRectF(1.5, 6.5, 57, 92.5), 4, 4);
                p.drawRoundedRect(QRectF(1, 6, 57, 92), 4, 4);

                QPainterPath page;
                page.addRoundedRect(QRectF(0.5, 5, 57.5, 92), 4, 4);
                QLinearGradient paper(0, 5, 0, 97);
                paper.setColorAt(0, QColor(255, 254, 248));
                paper.setColorAt(1, QColor(244, 238, 222));
                p.setPen(QPen(QColor(140, 128, 105), 0.6));
                p.setBrush(paper);
                p.drawPath(page);

                // The binding strip.
                p.save();
                p.setClipPath(page);
                QLinearGradient strip(0, 5, 0, 19);
                strip.setColorAt(0, QColor(222, 60, 50));
                strip.setColorAt(1, QColor(160, 25, 25));
                p.fillRect(QRectF(0, 5, 60, 14), strip);
                p.fillRect(QRectF(0, 19, 60, 0.8), QColor(110, 15, 15, 160));
                p.restore();

                // Two rings through the strip.
                for (const double x : {16.0, 42.0}) {
                    p.setPen(Qt::NoPen);
                    p.setBrush(QColor(60, 10, 10));
                    p.drawEllipse(QPointF(x, 12.5), 2.2, 2.2);
                    QLinearGradient metal(x - 2, 0, x + 2, 0);
                    metal.setColorAt(0, QColor(120, 120, 130));
                    metal.setColorAt(0.5, QColor(240, 240, 250));
                    metal.setColorAt(1, QColor(110, 110, 120));
                    p.setPen(QPen(QBrush(metal), 1.8, Qt::SolidLine, Qt::RoundCap));
                    p.setBrush(Qt::NoBrush);
                    QPainterPath ring;
                    ring.moveTo(x, 12.5);
                    ring.cubicTo(x - 3.5, 9, x - 3.5, 1, x, 1);
                    ring.cubicTo(x + 3.5, 1, x + 3.5, 9, x + 1, 11.5);
                    p.drawPath(ring);
                }
            }};
}

// A sign of the zodiac: its symbol on a blue medallion with a gold rim.
Art ZodiacArt(int sign)
{
    return {26, 26, [sign](QPainter& p) {
                QRadialGradient disc(QPointF(10, 9), 15);
                disc.setColorAt(0, QColor(90, 120, 220));
                disc.setColorAt(1, QColor(25, 35, 110));
                p.setPen(QPen(QColor(215, 170, 50), 1.6));
                p.setBrush(disc);
                p.drawEllipse(QRectF(1.2, 1.2, 23.6, 23.6));
                const QString symbol(QChar(0x2648 + sign - 1));
                // The text form of the symbol (variation selector 15), not the
                // emoji form.
                Text(p, QRectF(0, 0.5, 26, 26), symbol + QChar(0xFE0E), QStringLiteral("DejaVu Sans"), 15,
                     QColor(255, 236, 160), true);
            }};
}

// An animal of the year: its picture and, below it, its character.
Art AnimalArt(const char* glyph, const char* character)
{
    return {54, 70, [glyph, character](QPainter& p) {
                Glow(p, QColor(255, 200, 90), {27, 28}, 25);
                Emoji(p, QRectF(0, 2, 54, 50), glyph, 36);
                Text(p, QRectF(0, 50, 54, 20), QString::fromUtf8(character), QStringLiteral("WenQuanYi Micro Hei"), 15,
                     QColor(185, 20, 20), true);
            }};
}

// An emoji with a big number beside it: 8 March, 1 May.
Art NumberArt(const char* number, const char* glyph, const QColor& colour)
{
    return {54, 70, [number, glyph, colour](QPainter& p) {
                Glow(p, colour.lighter(160));
                Text(p, QRectF(0, 0, 54, 44), QString::fromLatin1(number), QStringLiteral("DejaVu Serif"), 40, colour,
                     true);
                Emoji(p, QRectF(10, 32, 34, 34), glyph, 26);
            }};
}

std::map<std::string, Art> Catalogue()
{
    std::map<std::string, Art> art;
    art["R_BASE"] = SheetArt();
    for (int sign = 1; sign <= 12; ++sign) art[ZodiacPicture(sign)] = ZodiacArt(sign);

    const char* animals[12][2] = {{"🐀", "鼠"}, {"🐂", "牛"}, {"🐅", "虎"}, {"🐇", "兔"}, {"🐉", "龙"}, {"🐍", "蛇"},
                                  {"🐎", "马"}, {"🐐", "羊"}, {"🐒", "猴"}, {"🐓", "鸡"}, {"🐕", "狗"}, {"🐖", "猪"}};
    for (int animal = 0; animal < 12; ++animal) {
        art[std::string(AnimalPicture(animal))] = AnimalArt(animals[animal][0], animals[animal][1]);
    }

    art["R_USAFLAG"] = FlagArt(UsaCloth);
    art["R_RUSFLAG"] = FlagArt([](QPainter& p, const QRectF& r) {
        HorizontalStripes(p, r, {{Qt::white, 1}, {QColor(0, 57, 166), 1}, {QColor(213, 43, 30), 1}});
    });
    art["R_ISPFLAG"] = FlagArt([](QPainter& p, const QRectF& r) {
        HorizontalStripes(p, r, {{QColor(198, 11, 30), 1}, {QColor(255, 196, 0), 2}, {QColor(198, 11, 30), 1}});
    });
    art["R_FRAFLAG"] = FlagArt([](QPainter& p, const QRectF& r) {
        VerticalStripes(p, r, {QColor(0, 35, 149), Qt::white, QColor(237, 41, 57)});
    });
    art["R_DEUFLAG"] = FlagArt([](QPainter& p, const QRectF& r) {
        HorizontalStripes(p, r, {{Qt::black, 1}, {QColor(221, 0, 0), 1}, {QColor(255, 206, 0), 1}});
    });
    art["R_ENGFLAG"] = FlagArt(EnglandCloth);

    art["R_NEWYEAR"] = EmojiArt("🎄", QColor(120, 200, 255));
    art["R_RUSZNAN"] = EmojiArt("🎓", QColor(120, 170, 255));
    art["R_RUSORDN"] = EmojiArt("🎖", QColor(255, 120, 100));
    art["R_LOVE000"] = EmojiArt("💖", QColor(255, 130, 170));
    art["R_USAPATR"] = EmojiArt("☘️", QColor(120, 220, 120));
    art["R_1April0"] = EmojiArt("🤡", QColor(255, 210, 90));
    art["R_BABY000"] = EmojiArt("🧸", QColor(255, 190, 120));
    art["R_USA4JUL"] = EmojiArt("🎆", QColor(90, 110, 200));
    art["R_USAELVI"] = EmojiArt("🎸", QColor(255, 200, 120));
    art["R_WAR0000"] = EmojiArt("🕊️", QColor(140, 190, 255));
    art["R_ALLPROG"] = EmojiArt("💻", QColor(120, 220, 200));
    art["R_OLD0000"] = EmojiArt("🧓", QColor(255, 200, 150));
    art["R_TEACHER"] = EmojiArt("📚", QColor(255, 210, 120));
    art["R_HALLO00"] = EmojiArt("🎃", QColor(255, 150, 40));
    art["R_USABLAG"] = EmojiArt("🦃", QColor(230, 160, 80));
    art["R_ROGDEST"] = EmojiArt("🌟", QColor(255, 220, 90));
    art["R_FRAMUS0"] = {54, 70, [](QPainter& p) {
                            Glow(p, QColor(150, 160, 255));
                            p.save();
                            QPainterPath disc;
                            disc.addEllipse(QPointF(27, 44), 17, 17);
                            p.setClipPath(disc);
                            VerticalStripes(p, QRectF(10, 27, 34, 34), {QColor(0, 35, 149), Qt::white, QColor(237, 41, 57)});
                            p.restore();
                            Emoji(p, QRectF(0, 2, 54, 40), "🎷", 30);
                        }};
    art["R_8MARCH0"] = NumberArt("8", "💐", QColor(210, 40, 120));
    art["R_1May000"] = NumberArt("1", "🌷", QColor(200, 30, 30));
    art["R_RUSGEOR"] = RibbonArt();
    art["R_PASHA00"] = EasterEggsArt();
    // The Orthodox cross: a short top bar, the main bar and a slanted foot bar.
    art["R_PRAKRES"] = CrossArt({{14, 7, 0}, {25, 15, 0}, {50, 9, 3}}, QColor(255, 215, 120));
    art["R_KATKRES"] = CrossArt({{22, 16, 0}}, QColor(200, 200, 255));
    return art;
}

int Run(const QString& folder)
{
    const std::map<std::string, Art> art = Catalogue();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "tarvel_calendar_art: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    QString qrc = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/QorCalendar01\">\n");
    for (const std::string& name : CalendarPictureNames()) {
        const auto found = art.find(name);
        if (found == art.end()) {
            std::fprintf(stderr, "tarvel_calendar_art: no drawing for the picture %s\n", name.c_str());
            return 1;
        }
        const QString file = QString::fromStdString(name) + QStringLiteral(".png");
        if (!Render(found->second).save(QDir(folder).filePath(file))) {
            std::fprintf(stderr, "tarvel_calendar_art: cannot write %s\n", qPrintable(file));
            return 1;
        }
        qrc += QStringLiteral("  <file>") + file + QStringLiteral("</file>\n");
    }
    qrc += QStringLiteral("</qresource>\n</RCC>\n");
    QFile list(QDir(folder).filePath(QStringLiteral("QorCalendar01.qrc")));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate) || list.write(qrc.toUtf8()) < 0) {
        std::fprintf(stderr, "tarvel_calendar_art: cannot write the resource list\n");
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvel_calendar_art OUT_FOLDER\n");
        return 2;
    }
    return tarvel::Run(QString::fromLocal8Bit(argv[1]));
}
