#include "records/gif_recorder.h"

#include <gif_lib.h>

#include <QApplication>

#include <cstdio>
#include <ctime>
#include <system_error>
#include <vector>

namespace tarvel {

namespace {

// A fixed palette of 6 red x 7 green x 6 blue levels (252 colours): every
// frame maps onto it without a search, fast enough for the encoder thread.
constexpr int kRedLevels = 6;
constexpr int kGreenLevels = 7;
constexpr int kBlueLevels = 6;

int Level(int value, int levels) { return (value * (levels - 1) + 127) / 255; }

std::vector<GifColorType> Palette() {
  std::vector<GifColorType> colours(256);
  for (int r = 0; r < kRedLevels; ++r)
    for (int g = 0; g < kGreenLevels; ++g)
      for (int b = 0; b < kBlueLevels; ++b) {
        GifColorType& c = colours[static_cast<std::size_t>((r * kGreenLevels + g) * kBlueLevels + b)];
        c.Red = static_cast<GifByteType>(r * 255 / (kRedLevels - 1));
        c.Green = static_cast<GifByteType>(g * 255 / (kGreenLevels - 1));
        c.Blue = static_cast<GifByteType>(b * 255 / (kBlueLevels - 1));
      }
  return colours;
}

GifByteType IndexOf(QRgb pixel) {
  return static_cast<GifByteType>(
      (Level(qRed(pixel), kRedLevels) * kGreenLevels + Level(qGreen(pixel), kGreenLevels)) * kBlueLevels +
      Level(qBlue(pixel), kBlueLevels));
}

}  // namespace

std::string GifFileName(const std::tm& when) {
  char name[64];
  std::snprintf(name, sizeof name, "%04d.%02d.%02d-%02d.%02d.%02d.gif", when.tm_year + 1900, when.tm_mon + 1,
                when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  return name;
}

// Writes frames to a GIF file on its own thread.
class GifRecorder::Encoder {
 public:
  Encoder(std::filesystem::path target, QSize size) : target_(std::move(target)), size_(size) {
    partial_ = target_;
    partial_ += ".part";
    thread_ = std::thread([this] { Run(); });
  }

  ~Encoder() { Finish(); }

  void Add(QImage frame, int delayMs) {
    {
      const std::lock_guard<std::mutex> hold(mutex_);
      queue_.push_back({std::move(frame), delayMs});
    }
    wake_.notify_one();
  }

  // Waits for the queued frames and closes the file; true when the whole
  // file was written and has its final name.
  bool Finish() {
    if (thread_.joinable()) {
      {
        const std::lock_guard<std::mutex> hold(mutex_);
        closing_ = true;
      }
      wake_.notify_one();
      thread_.join();
    }
    return ok_;
  }

  const std::filesystem::path& Target() const { return target_; }

 private:
  struct Item {
    QImage frame;
    int delayMs;
  };

  void Run() {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(partial_.c_str(), false, &error);
    bool ok = gif != nullptr && Begin(gif);
    for (;;) {
      std::unique_lock<std::mutex> hold(mutex_);
      wake_.wait(hold, [this] { return closing_ || !queue_.empty(); });
      if (queue_.empty()) break;
      Item item = std::move(queue_.front());
      queue_.pop_front();
      hold.unlock();
      ok = ok && PutFrame(gif, item);
    }
    if (gif != nullptr) ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    std::error_code failed;
    if (ok) std::filesystem::rename(partial_, target_, failed);
    if (!ok || failed) std::filesystem::remove(partial_, failed);
    ok_ = ok && !failed;
  }

  bool Begin(GifFileType* gif) {
    std::vector<GifColorType> colours = Palette();
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(gif, true);
    bool ok = map != nullptr && EGifPutScreenDesc(gif, size_.width(), size_.height(), 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    // The NETSCAPE2.0 block before the first frame: loop for ever.
    static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType kLoop[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kApplication, kApplication) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kLoop, kLoop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    return ok;
  }

  bool PutFrame(GifFileType* gif, const Item& item) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.DelayTime = item.delayMs / 10;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK) return false;
    if (EGifPutImageDesc(gif, 0, 0, size_.width(), size_.height(), false, nullptr) != GIF_OK) return false;
    const QImage frame = item.frame.size() == size_ ? item.frame.convertToFormat(QImage::Format_RGB32)
                                                     : item.frame.copy(QRect(QPoint(0, 0), size_))
                                                           .convertToFormat(QImage::Format_RGB32);
    std::vector<GifPixelType> row(static_cast<std::size_t>(size_.width()));
    for (int y = 0; y < size_.height(); ++y) {
      const auto* pixels = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
      for (int x = 0; x < size_.width(); ++x) row[static_cast<std::size_t>(x)] = IndexOf(pixels[x]);
      if (EGifPutLine(gif, row.data(), size_.width()) != GIF_OK) return false;
    }
    return true;
  }

  std::filesystem::path target_;
  std::filesystem::path partial_;
  QSize size_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Item> queue_;
  bool closing_ = false;
  bool ok_ = false;
};

GifRecorder::GifRecorder(std::function<QImage()> capture) : capture_(std::move(capture)) {
  timer_.setInterval(kGifTickMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { TimerGIFTimer(); });
}

GifRecorder::~GifRecorder() { Save(); }

void GifRecorder::Start(const std::filesystem::path& folder, int delayMs) {
  Save();
  const QImage first = capture_();
  if (first.isNull()) return;
  std::error_code error;
  std::filesystem::create_directories(folder / kGifFolder, error);
  if (error) return;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  delayMs_ = delayMs;
  frames_ = 1;
  previous_ = first;
  encoder_ = std::make_unique<Encoder>(folder / kGifFolder / GifFileName(local), first.size());
  timer_.start();
}

void GifRecorder::TimerGIFTimer() {
  if (!encoder_ || frames_ >= kGifMaxFrames) return;
  Capture();
}

void GifRecorder::Capture() {
  QImage frame = capture_();
  if (frame.isNull() || frame == previous_) return;
  // The previous frame's delay is known now: it is written.
  encoder_->Add(previous_, delayMs_);
  previous_ = std::move(frame);
  ++frames_;
}

std::filesystem::path GifRecorder::Save() {
  if (!encoder_) return {};
  timer_.stop();
  if (frames_ < kGifMaxFrames) Capture();
  encoder_->Add(previous_, kGifLastFrameMs);
  // The encoder may still be writing the last frames.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool written = encoder_->Finish();
  QApplication::restoreOverrideCursor();
  const std::filesystem::path file = written ? encoder_->Target() : std::filesystem::path();
  encoder_.reset();
  previous_ = QImage();
  return file;
}

}  // namespace tarvel
