#include "table/window/online_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QTcpSocket>
#include <QUrl>

#include <sys/prctl.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "settings/settings_file.h"

namespace tarvel {
namespace {

constexpr const char* kServicesProgram = "tarvel-services";
constexpr const char* kCookieFile = "tarvel-cookies.txt";
// How long a probe of the local port and a stop of the program may take.
constexpr int kProbeMs = 500;
constexpr int kStopMs = 3000;
// How long the first request waits for services that the game just started.
constexpr long kStartWaitMs = 5000;

bool IsLocalHost(const QString& host) {
  return host == QLatin1String("127.0.0.1") || host == QLatin1String("localhost");
}

bool Answers(const QString& host, quint16 port) {
  QTcpSocket probe;
  probe.connectToHost(host, port);
  const bool connected = probe.waitForConnected(kProbeMs);
  probe.abort();
  return connected;
}

}  // namespace

std::filesystem::path SharedFolder(const QString& dataFolder) {
  std::filesystem::path folder(dataFolder.toStdString());
  if (!folder.has_filename()) folder = folder.parent_path();
  return folder.parent_path();
}

void WindowRequestWaiter::Wait(const std::function<void()>& work) {
  driver_.runBusy([&] {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QEventLoop loop;
    std::thread worker([&] {
      work();
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // A click or key waits in the queue until the reply is in, as it would
    // while the window's thread is blocked; painting and timers go on.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    QGuiApplication::restoreOverrideCursor();
  });
}

LocalServices::LocalServices(const std::string& base, const QString& programFolder,
                             const QString& dataFolder)
    : base_(base), programFolder_(programFolder), dataFolder_(dataFolder) {}

void LocalServices::Start() {
  if (startTried_) return;
  startTried_ = true;
  const QUrl url(QString::fromStdString(base_));
  const QString program = QDir(programFolder_).filePath(QString::fromLatin1(kServicesProgram));
  if (programFolder_.isEmpty() || !url.isValid() || url.scheme() != QLatin1String("http") || !IsLocalHost(url.host()) ||
      !QFileInfo(program).isExecutable())
    return;
  const auto port = static_cast<quint16>(url.port(80));
  if (Answers(url.host(), port)) return;
  process_ = std::make_unique<QProcess>();
  process_->setProgram(program);
  process_->setArguments({QStringLiteral("--port"), QString::number(port), QStringLiteral("--data"),
                          dataFolder_, QStringLiteral("--listen"), QStringLiteral("127.0.0.1")});
  process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_->setStandardOutputFile(QProcess::nullDevice());
  // The services end with the game even when the game is killed.
  process_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  running_ = std::make_shared<std::atomic<bool>>(true);
  QObject::connect(process_.get(), &QProcess::finished, [running = running_] { *running = false; });
  process_->start();
  if (!process_->waitForStarted(kProbeMs)) process_.reset();
}

LocalServices::~LocalServices() {
  if (!process_) return;
  process_->terminate();
  if (!process_->waitForFinished(kStopMs)) {
    process_->kill();
    process_->waitForFinished(kStopMs);
  }
}

OnlineSession::OnlineSession(const std::string& base, const QString& programFolder, const QString& dataFolder,
                             GameDriver& driver)
    : local_(base, programFolder, dataFolder),
      endpoints_(base),
      waiter_(driver),
      requests_(endpoints_, client_, waiter_),
      notices_(requests_, SharedFolder(dataFolder)) {
  client_.SetCookieFile(QDir(dataFolder).filePath(QString::fromLatin1(kCookieFile)).toStdString());
}

void OnlineSession::StartUp(Settings& settings, bool reportStart) {
  local_.Start();
  directory_ = requests_.ReadServiceDirectory(settings, local_.Started() ? kStartWaitMs : 0,
                                              [this] { return local_.Running(); });
  if (reportStart) ReportStart(requests_, settings);
}

}  // namespace tarvel
