#include "widgets/sparse_strip.h"

#include <QFile>
#include <QPainter>

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

#include "tarvel_assets.h"

namespace tarvel {

namespace {

// Strips wider or taller than this are no pictures of the program's.
constexpr png_uint_32 kMaxSide = 1 << 15;

struct PngSource {
  const QByteArray& Bytes;
  qsizetype At = 0;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (length > static_cast<png_size_t>(source->Bytes.size() - source->At)) png_error(png, "truncated");
  std::memcpy(out, source->Bytes.constData() + source->At, length);
  source->At += static_cast<qsizetype>(length);
}

[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

using RowSink = void (*)(void* context, int y, QRgb* row, int width);

// Reads the rows of an open PNG one after another as Qt's ARGB32 (the
// layout Qt's own PNG reader gives) into `row` and hands each to `sink`.
// False when libpng finds the file broken or the picture is interlaced (its
// rows would only be whole at the end). No object with a destructor lives in
// this frame: libpng leaves it by longjmp on an error.
bool ReadRows(png_structp png, png_infop info, std::vector<QRgb>& row, RowSink sink, void* context) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) return false;
  png_set_expand(png);  // palette, grey below 8 bits and tRNS to 8-bit channels with alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);  // RGBA bytes
  if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
    png_set_bgr(png);  // BGRA bytes: 0xAARRGGBB in a little-endian word
  } else {
    png_set_swap_alpha(png);  // ARGB bytes
  }
  png_read_update_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != width * sizeof(QRgb)) return false;
  row.resize(width);
  for (png_uint_32 y = 0; y < height; ++y) {
    png_read_row(png, reinterpret_cast<png_bytep>(row.data()), nullptr);
    sink(context, static_cast<int>(y), row.data(), static_cast<int>(width));
  }
  return true;
}

}  // namespace

SparseStrip SparseStrip::Decode(const QByteArray& png, QSize frameSize) {
  SparseStrip strip;
  strip.frameSize_ = frameSize;
  if (frameSize.isEmpty() || png.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(png.constData()), 0, 8) != 0)
    return strip;
  png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
  png_infop info = reader != nullptr ? png_create_info_struct(reader) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&reader, nullptr, nullptr);
    return strip;
  }
  PngSource source{png};
  png_set_read_fn(reader, &source, ReadBytes);
  std::vector<QRgb> row;
  const RowSink take = [](void* context, int y, QRgb* pixels, int width) {
    auto* self = static_cast<SparseStrip*>(context);
    if (self->frames_.empty()) self->frames_.resize(static_cast<std::size_t>(width / self->frameSize_.width()));
    self->TakeRow(y, pixels);
  };
  const bool read = ReadRows(reader, info, row, take, &strip);
  png_destroy_read_struct(&reader, &info, nullptr);
  if (!read) strip.frames_.clear();
  for (Frame& frame : strip.frames_) {
    frame.Runs.shrink_to_fit();
    frame.Pixels.shrink_to_fit();
  }
  return strip;
}

SparseStrip SparseStrip::ProgramStrip(const QString& name, QSize frameSize) {
  InitTarvelAssets();
  QFile file(QStringLiteral(":/tarvel/") + name + QStringLiteral(".png"));
  return Decode(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), frameSize);
}

void SparseStrip::TakeRow(int y, const QRgb* row) {
  if (y >= frameSize_.height()) return;
  const int width = frameSize_.width();
  // Premultiplied by the same conversion Qt applies to a decoded picture.
  const QImage line =
      QImage(reinterpret_cast<const uchar*>(row), width * Frames(), 1, QImage::Format_ARGB32)
          .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const auto* pixels = reinterpret_cast<const QRgb*>(line.constBits());
  for (int f = 0; f < Frames(); ++f) {
    Frame& frame = frames_[static_cast<std::size_t>(f)];
    const QRgb* first = pixels + static_cast<std::ptrdiff_t>(f) * width;
    for (int x = 0; x < width;) {
      if (qAlpha(first[x]) == 0) {
        ++x;
        continue;
      }
      int end = x + 1;
      while (end < width && qAlpha(first[end]) != 0) ++end;
      frame.Runs.push_back(
          {static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(end - x)});
      frame.Pixels.insert(frame.Pixels.end(), first + x, first + end);
      x = end;
    }
  }
}

void SparseStrip::ComposeOver(int index, const QImage& under, QImage& into) const {
  if (into.size() != frameSize_ || into.format() != QImage::Format_ARGB32_Premultiplied)
    into = QImage(frameSize_, QImage::Format_ARGB32_Premultiplied);
  if (into.isNull()) return;
  into.fill(Qt::transparent);
  if (index >= 0 && index < Frames()) {
    const Frame& frame = frames_[static_cast<std::size_t>(index)];
    const QRgb* pixels = frame.Pixels.data();
    for (const Run& run : frame.Runs) {
      std::copy_n(pixels, run.Length, reinterpret_cast<QRgb*>(into.scanLine(run.Y)) + run.X);
      pixels += run.Length;
    }
  }
  if (under.isNull()) return;
  QPainter painter(&into);
  painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
  painter.drawImage(QPoint(0, 0), under);
}

}  // namespace tarvel
