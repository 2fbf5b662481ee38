#include "settings/options/module_download.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

#include "assets/resource_module.h"
#include "settings/curl_library.h"

namespace tarvel {
namespace {

struct Sink {
  QFile* file = nullptr;
  std::size_t written = 0;
  bool tooLarge = false;
};

std::size_t WriteChunk(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const std::size_t bytes = size * count;
  if (sink->written + bytes > kMaxResourceModuleSize) {
    sink->tooLarge = true;
    return 0;  // ends the transfer
  }
  if (sink->file->write(data, static_cast<qint64>(bytes)) != static_cast<qint64>(bytes)) return 0;
  sink->written += bytes;
  return bytes;
}

}  // namespace

bool IsAcceptableDownload(const QString& fileName, const QByteArray& bytes) {
  if (bytes.isEmpty()) return false;
  if (!fileName.endsWith(QLatin1String(".rcc"), Qt::CaseInsensitive)) return true;
  const std::span<const std::uint8_t> view(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                           static_cast<std::size_t>(bytes.size()));
  return IsWellFormedResourceModule(view, QT_CONFIG(zstd) ? ZstdEntries::Supported : ZstdEntries::Unsupported);
}

QString DownloadTargetFolder(const QString& programFolder, const QString& dataFolder) {
  QDir parent(programFolder);
  if (!programFolder.isEmpty() && parent.cdUp()) {
    QTemporaryFile probe(parent.absoluteFilePath(QStringLiteral(".tarvel-probe-XXXXXX")));
    if (probe.open()) return parent.absolutePath();
  }
  return QDir(dataFolder).absolutePath();
}

DownloadResult DownloadFile(const std::string& url, const QString& folder, const QString& fileName,
                            const DownloadLimits& limits) {
  QTemporaryFile temporary(QDir(folder).absoluteFilePath(QLatin1Char('.') + fileName + QStringLiteral(".XXXXXX")));
  if (!temporary.open()) return DownloadResult::CannotWrite;

  const CurlLoad& load = Curl();
  if (!load.library) return DownloadResult::Failed;
  const CurlLibrary& lib = *load.library;
  CURL* curl = lib.easy_init();
  if (curl == nullptr) return DownloadResult::Failed;
  Sink sink{&temporary};
  lib.easy_setopt(curl, CURLOPT_URL, url.c_str());
  lib.easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  lib.easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  lib.easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  lib.easy_setopt(curl, CURLOPT_USERAGENT, "Tarvel");
  lib.easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  lib.easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
  lib.easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  lib.easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
  lib.easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalMs);
  lib.easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteChunk);
  lib.easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
  const CURLcode code = lib.easy_perform(curl);
  lib.easy_cleanup(curl);
  if (code == CURLE_OPERATION_TIMEDOUT) return DownloadResult::TimedOut;
  if (code != CURLE_OK) return sink.tooLarge ? DownloadResult::NotAccepted : DownloadResult::Failed;

  // The check reads what is on the disk, the very bytes the rename puts in
  // place.
  if (!temporary.flush() || !temporary.seek(0)) return DownloadResult::CannotWrite;
  if (!IsAcceptableDownload(fileName, temporary.readAll())) return DownloadResult::NotAccepted;
  temporary.close();
  std::error_code error;
  std::filesystem::rename(temporary.fileName().toStdString(),
                          QDir(folder).absoluteFilePath(fileName).toStdString(), error);
  if (error) return DownloadResult::CannotWrite;
  temporary.setAutoRemove(false);
  return DownloadResult::Done;
}

}  // namespace tarvel
