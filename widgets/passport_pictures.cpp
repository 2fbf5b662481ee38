#include "widgets/passport_pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <string>

namespace tarvel {
namespace {

// A flag's design: 'H' horizontal stripes, 'V' vertical stripes (first
// colour at the top or the hoist), 'N' a Nordic cross (ground, cross,
// optional inner cross), 'J' a ground with a centred disc.
struct FlagDesign {
  std::string_view code;
  char kind;
  std::array<QRgb, 3> colours;
  int count;
};

constexpr QRgb kWhite = 0xFFFFFF, kRed = 0xD52B1E, kBlue = 0x0039A6, kGreen = 0x009246, kBlack = 0x000000,
               kYellow = 0xFFCD00, kNavy = 0x002868, kSky = 0x75AADB, kOrange = 0xFF8200;

constexpr std::array kFlags = {
    FlagDesign{"1-001", 'H', {kWhite, kBlue, kRed}, 3},        // Russia
    FlagDesign{"1-004", 'H', {0xED2939, kWhite, 0xED2939}, 3},  // Austria
    FlagDesign{"1-005", 'H', {0xC8313E, 0xC8313E, 0x4AA657}, 3},  // Belarus
    FlagDesign{"1-006", 'V', {kBlack, 0xFDDA24, 0xEF3340}, 3},  // Belgium
    FlagDesign{"1-008", 'H', {kWhite, 0x00966E, kRed}, 3},      // Bulgaria
    FlagDesign{"1-011", 'H', {kWhite, 0xD7141A, 0}, 2},         // Czech Republic
    FlagDesign{"1-012", 'N', {0xC8102E, kWhite, 0}, 2},         // Denmark
    FlagDesign{"1-013", 'H', {0x0072CE, kBlack, kWhite}, 3},    // Estonia
    FlagDesign{"1-015", 'N', {kWhite, 0x003580, 0}, 2},         // Finland
    FlagDesign{"1-016", 'V', {0x002395, kWhite, 0xED2939}, 3},  // France
    FlagDesign{"1-017", 'H', {kBlack, 0xDD0000, 0xFFCE00}, 3},  // Germany
    FlagDesign{"1-020", 'H', {0xCE2939, kWhite, 0x477050}, 3},  // Hungary
    FlagDesign{"1-021", 'N', {0x02529C, kWhite, 0xDC1E35}, 3},  // Iceland
    FlagDesign{"1-022", 'V', {0x169B62, kWhite, kOrange}, 3},   // Ireland
    FlagDesign{"1-024", 'V', {kGreen, kWhite, 0xCE2B37}, 3},    // Italy
    FlagDesign{"1-025", 'H', {0x9E3039, kWhite, 0x9E3039}, 3},  // Latvia
    FlagDesign{"1-027", 'H', {0xFDB913, 0x006A44, 0xC1272D}, 3},  // Lithuania
    FlagDesign{"1-028", 'H', {0xEF3340, kWhite, 0x00A3E0}, 3},  // Luxembourg
    FlagDesign{"1-031", 'H', {0xCE1126, kWhite, kWhite}, 2},    // Monaco
    FlagDesign{"1-033", 'H', {0xAE1C28, kWhite, 0x21468B}, 3},  // Netherlands
    FlagDesign{"1-035", 'N', {0xBA0C2F, kWhite, 0x00205B}, 3},  // Norway
    FlagDesign{"1-036", 'H', {kWhite, 0xDC143C, 0}, 2},         // Poland
    FlagDesign{"1-038", 'V', {0x002B7F, 0xFCD116, 0xCE1126}, 3},  // Romania
    FlagDesign{"1-040", 'H', {0xC6363C, 0x0C4076, kWhite}, 3},  // Serbia
    FlagDesign{"1-041", 'H', {kWhite, 0x0B4EA2, 0xEE1C25}, 3},  // Slovakia
    FlagDesign{"1-042", 'H', {kWhite, 0x005DA4, 0xED1C24}, 3},  // Slovenia
    FlagDesign{"1-043", 'H', {0xAA151B, 0xF1BF00, 0xAA151B}, 3},  // Spain
    FlagDesign{"1-044", 'N', {0x006AA7, 0xFECC00, 0}, 2},       // Sweden
    FlagDesign{"1-046", 'H', {0x0057B7, 0xFFD700, 0}, 2},       // Ukraine
    FlagDesign{"2-002", 'H', {0xD90012, 0x0033A0, 0xF2A800}, 3},  // Armenia
    FlagDesign{"2-003", 'H', {0x0092BC, 0xE4002B, 0x00AF66}, 3},  // Azerbaijan
    FlagDesign{"2-014", 'H', {0xCE1126, kWhite, 0}, 2},         // Indonesia
    FlagDesign{"2-018", 'J', {kWhite, 0xBC002D, 0}, 2},         // Japan
    FlagDesign{"2-020", 'H', {0x00AFCA, 0x00AFCA, 0x00AFCA}, 3},  // Kazakhstan
    FlagDesign{"2-043", 'H', {0xCC0000, kWhite, 0x006600}, 3},  // Tajikistan
    FlagDesign{"2-049", 'H', {0x0099B5, kWhite, 0x1EB53A}, 3},  // Uzbekistan
    FlagDesign{"2-051", 'H', {0xCE1126, kWhite, kBlack}, 3},    // Yemen
    FlagDesign{"2-016", 'H', {0xCE1126, kWhite, kBlack}, 3},    // Iraq
    FlagDesign{"2-013", 'H', {0xFF9933, kWhite, 0x138808}, 3},  // India
    FlagDesign{"2-009", 'H', {0xEE1C25, 0xEE1C25, 0xEE1C25}, 3},  // China
    FlagDesign{"3-009", 'V', {0xFF0000, kWhite, 0xFF0000}, 3},  // Canada
    FlagDesign{"3-025", 'V', {0x006847, kWhite, 0xCE1126}, 3},  // Mexico
    FlagDesign{"3-034", 'H', {0xB22234, kWhite, 0xB22234}, 3},  // United States
    FlagDesign{"4-001", 'H', {kSky, kWhite, kSky}, 3},          // Argentina
    FlagDesign{"4-002", 'H', {0xD52B1E, 0xF9E300, 0x007934}, 3},  // Bolivia
    FlagDesign{"4-003", 'H', {0x009C3B, 0xFFDF00, 0x009C3B}, 3},  // Brazil
    FlagDesign{"4-005", 'H', {0xFCD116, 0x003893, 0xCE1126}, 3},  // Colombia
    FlagDesign{"4-011", 'V', {0xD91023, kWhite, 0xD91023}, 3},  // Peru
    FlagDesign{"5-002", 'H', {kNavy, kNavy, kNavy}, 3},         // Australia
    FlagDesign{"6-015", 'H', {0xCE1126, kWhite, kBlack}, 3},    // Egypt
    FlagDesign{"6-022", 'H', {0xCE1126, 0xFCD116, 0x006B3F}, 3},  // Ghana
    FlagDesign{"6-023", 'V', {0xCE1126, 0xFCD116, 0x009460}, 3},  // Guinea
    FlagDesign{"6-025", 'V', {0xF77F00, kWhite, 0x009E60}, 3},  // Ivory Coast
    FlagDesign{"6-032", 'V', {0x14B53A, 0xFCD116, 0xCE1126}, 3},  // Mali
    FlagDesign{"6-039", 'V', {0x008751, kWhite, 0x008751}, 3},  // Nigeria
    FlagDesign{"6-042", 'V', {0x00853F, 0xFDEF42, 0xE31B23}, 3},  // Senegal
    FlagDesign{"6-044", 'H', {0x1EB53A, kWhite, 0x0072C6}, 3},  // Sierra Leone
};

// The ground of a flag without a design of its own, by continent.
QRgb ContinentColour(char digit) {
  switch (digit) {
    case '1': return kBlue;
    case '2': return 0xC8102E;
    case '3': return kNavy;
    case '4': return kGreen;
    case '5': return 0x00A3E0;
    case '6': return 0xE8A317;
    default: return 0x808080;
  }
}

void DrawDesign(QPainter& painter, const FlagDesign& design, QSizeF size) {
  const auto colour = [&design](int i) { return QColor::fromRgb(design.colours[static_cast<std::size_t>(i)]); };
  switch (design.kind) {
    case 'H':
    case 'V':
      for (int i = 0; i < design.count; ++i) {
        const double step = (design.kind == 'H' ? size.height() : size.width()) / design.count;
        const QRectF band = design.kind == 'H' ? QRectF(0, i * step, size.width(), step)
                                               : QRectF(i * step, 0, step, size.height());
        painter.fillRect(band, colour(i));
      }
      break;
    case 'N': {
      painter.fillRect(QRectF(QPointF(0, 0), size), colour(0));
      const double h = size.height();
      const double w = size.width();
      painter.fillRect(QRectF(w * 0.28, 0, h * 0.25, h), colour(1));
      painter.fillRect(QRectF(0, h * 0.375, w, h * 0.25), colour(1));
      if (design.count == 3) {
        painter.fillRect(QRectF(w * 0.28 + h * 0.07, 0, h * 0.11, h), colour(2));
        painter.fillRect(QRectF(0, h * 0.445, w, h * 0.11), colour(2));
      }
      break;
    }
    default:  // 'J'
      painter.fillRect(QRectF(QPointF(0, 0), size), colour(0));
      painter.setBrush(colour(1));
      painter.setPen(Qt::NoPen);
      painter.drawEllipse(QPointF(size.width() / 2, size.height() / 2), size.height() * 0.3, size.height() * 0.3);
      break;
  }
}

QImage Canvas(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

}  // namespace

QImage CountryFlag(std::string_view code, QSize size) {
  QImage image = Canvas(size);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QSizeF area(size.width() - 1, size.height() - 1);
  const FlagDesign* found = nullptr;
  for (const FlagDesign& design : kFlags) {
    if (design.code == code) found = &design;
  }
  if (found != nullptr) {
    DrawDesign(painter, *found, area);
  } else {
    painter.fillRect(QRectF(QPointF(0, 0), area), QColor::fromRgb(ContinentColour(code.empty() ? ' ' : code[0])));
    painter.setPen(QPen(QColor(255, 255, 255, 200), area.height() / 7.0));
    painter.drawLine(QPointF(area.width() * 0.2, area.height() / 2), QPointF(area.width() * 0.8, area.height() / 2));
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(0, 0, 0, 110), 1));
  painter.drawRect(QRectF(0.5, 0.5, area.width(), area.height()));
  return image;
}

QImage SexPicture(std::string_view sex, int size) {
  const bool woman = sex == "W";
  QImage image = Canvas(QSize(size, size));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  const QColor body = woman ? QColor(214, 51, 132) : QColor(30, 90, 200);
  painter.setPen(QPen(body.darker(140), 0.8));
  if (woman) {  // hair falling to the shoulders
    painter.setBrush(QColor(120, 60, 20));
    painter.drawEllipse(QRectF(3.6, 0.8, 8.8, 9.5));
  }
  painter.setBrush(QColor(250, 210, 170));
  painter.drawEllipse(QRectF(4.8, 1.6, 6.4, 6.8));
  painter.setBrush(body);
  QPainterPath shoulders;
  shoulders.moveTo(1.5, 15.5);
  shoulders.cubicTo(1.5, 10, 4, 9, 8, 9);
  shoulders.cubicTo(12, 9, 14.5, 10, 14.5, 15.5);
  shoulders.closeSubpath();
  painter.drawPath(shoulders);
  return image;
}

}  // namespace tarvel
