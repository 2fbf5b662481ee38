// Table backgrounds, generated pixel by pixel at their exact size and
// written as JPEG.
//
//   tarvel_backgen RECIPE WIDTH HEIGHT OUT.jpg [RECIPE WIDTH HEIGHT OUT.jpg ...]
//
// Recipes: "felt" (green baize: grain, mottling, fibres, a lamp-lit centre and
// a vignette), "sun" (green rays around the centre) and
// "lilac" (the same rays in the purple design's colours).  The noise is a pure
// function of the pixel position in design units, so the large picture shows
// the same cloth as the small one, only finer.

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

namespace tarvel {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Reference width of the table; features are designed at this width.
constexpr double kReferenceWidth = 760.0;

std::uint32_t Hash(std::int64_t x, std::int64_t y, std::uint32_t seed) {
  std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^
                    static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4FULL ^ seed * 0x165667B19E3779F9ULL;
  h ^= h >> 31;
  h *= 0xBF58476D1CE4E5B9ULL;
  h ^= h >> 29;
  return static_cast<std::uint32_t>(h >> 32);
}

// Uniform value in [-1, 1] for a lattice point.
double Lattice(std::int64_t x, std::int64_t y, std::uint32_t seed) {
  return Hash(x, y, seed) / 2147483647.5 - 1.0;
}

double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

// Smoothly interpolated value noise with lattice spacing `cell` (design units).
double ValueNoise(double x, double y, double cell, std::uint32_t seed) {
  const double fx = x / cell, fy = y / cell;
  const auto ix = static_cast<std::int64_t>(std::floor(fx));
  const auto iy = static_cast<std::int64_t>(std::floor(fy));
  const double tx = Smooth(fx - ix), ty = Smooth(fy - iy);
  const double a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
  const double c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

int Clamp255(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

struct Rgb {
  double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Distance from the centre: 0 in the middle, about 1 in the corners.
double Radius(double x, double y, int w, int h) {
  const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
  return std::sqrt(dx * dx + dy * dy) / std::sqrt(2.0);
}

QImage Felt(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  const double scale = w / kReferenceWidth;
  const Rgb centre{34, 140, 72}, edge{10, 74, 36};
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const double ux = x / scale, uy = y / scale;  // design units
      const double r = Radius(x + 0.5, y + 0.5, w, h);
      const double lamp = std::exp(-r * r * 2.6);
      Rgb c = Mix(edge, centre, lamp);
      const double mottling = 0.055 * ValueNoise(ux, uy, 95, 1) + 0.035 * ValueNoise(ux, uy, 31, 2) +
                              0.03 * ValueNoise(ux, uy, 7, 3);
      // grain at the real pixel size: the cloth's nap
      const double grain = 0.05 * Lattice(x, y, 4) + 0.025 * ValueNoise(x, y, 2.5, 5);
      const double vignette = 1.0 - 0.42 * Smooth(std::clamp((r - 0.45) / 0.6, 0.0, 1.0));
      const double k = (1.0 + mottling + grain) * vignette;
      line[x] = qRgb(Clamp255(c.r * k), Clamp255(c.g * k), Clamp255(c.b * k));
    }
  }
  // Loose fibres lying on the cloth, a little lighter or darker than it.
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int fibres = static_cast<int>(w * h / 260);
  for (int i = 0; i < fibres; ++i) {
    const double x = unit(random) * w, y = unit(random) * h;
    const double angle = unit(random) * kPi, length = (2.0 + unit(random) * 5.0) * std::sqrt(scale);
    const bool light = unit(random) < 0.55;
    QColor colour = light ? QColor(190, 255, 200) : QColor(0, 30, 10);
    colour.setAlphaF(0.05 + 0.07 * unit(random));
    painter.setPen(QPen(colour, 0.6));
    painter.drawLine(QPointF(x, y), QPointF(x + std::cos(angle) * length, y + std::sin(angle) * length));
  }
  return image;
}

QImage Sun(int w, int h, Rgb inner, Rgb outer) {
  QImage image(w, h, QImage::Format_RGB32);
  const double scale = w / kReferenceWidth;
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const double dx = x + 0.5 - w / 2.0, dy = y + 0.5 - h / 2.0;
      const double r = Radius(x + 0.5, y + 0.5, w, h);
      // rays fade out towards the centre, where they would crowd into a moire
      const double ray = (0.5 + 0.5 * std::cos(28.0 * std::atan2(dy, dx))) * std::clamp(r * 6.0, 0.0, 1.0);
      Rgb c = Mix(inner, outer, Smooth(std::clamp(r * 1.1, 0.0, 1.0)));
      const double k = (1.0 + 0.12 * ray * (1.0 - r) + 0.03 * Lattice(x, y, 9) +
                        0.04 * ValueNoise(x / scale, y / scale, 40, 10));
      line[x] = qRgb(Clamp255(c.r * k), Clamp255(c.g * k), Clamp255(c.b * k));
    }
  }
  return image;
}

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 5 || (argc - 1) % 4 != 0) {
    std::fprintf(stderr, "usage: %s RECIPE WIDTH HEIGHT OUT.jpg [...]\n", argv[0]);
    return 2;
  }
  for (int i = 1; i + 3 < argc; i += 4) {
    const QString recipe = QString::fromLocal8Bit(argv[i]);
    bool okW = false, okH = false;
    const int w = QString::fromLocal8Bit(argv[i + 1]).toInt(&okW);
    const int h = QString::fromLocal8Bit(argv[i + 2]).toInt(&okH);
    if (!okW || !okH || w <= 0 || h <= 0 || w > 8000 || h > 8000) {
      std::fprintf(stderr, "bad size %s x %s\n", argv[i + 1], argv[i + 2]);
      return 2;
    }
    QImage image;
    if (recipe == QLatin1String("felt")) {
      image = tarvel::Felt(w, h);
    } else if (recipe == QLatin1String("sun")) {
      image = tarvel::Sun(w, h, {120, 200, 90}, {16, 84, 24});
    } else if (recipe == QLatin1String("lilac")) {
      image = tarvel::Sun(w, h, {196, 120, 240}, {58, 8, 104});
    } else {
      std::fprintf(stderr, "unknown recipe %s\n", argv[i]);
      return 2;
    }
    if (!image.save(QString::fromLocal8Bit(argv[i + 3]), "JPEG", 92)) {
      std::fprintf(stderr, "cannot write %s\n", argv[i + 3]);
      return 1;
    }
  }
  return 0;
}
