#include "photo_ftp.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRandomGenerator>

namespace tarvel::services {
namespace {

// Debian's interpreter, where python3-pyftpdlib is installed; not whatever
// python3 comes first on the PATH.
constexpr const char* kPython = "/usr/bin/python3";
constexpr int kStartMs = 15000;
constexpr int kStopMs = 3000;
constexpr const char* kReady = "ftp listening on ";

}  // namespace

QByteArray PhotoFtpServer::NewKey() {
  QByteArray key(24, Qt::Uninitialized);
  QRandomGenerator::system()->generate(key.begin(), key.end());
  return key.toHex();
}

bool PhotoFtpServer::Start(const PhotoFtpOptions& options, QString& error) {
  if (!QFileInfo(options.script).isFile()) {
    error = QStringLiteral("%1 is missing").arg(options.script);
    return false;
  }
  QStringList arguments{options.script,
                        QStringLiteral("--listen"), options.listen,
                        QStringLiteral("--port"), QString::number(options.port),
                        QStringLiteral("--folder"), options.folder,
                        QStringLiteral("--check"), options.checkUrl};
  if (!options.passivePorts.isEmpty())
    arguments << QStringLiteral("--passive-ports") << options.passivePorts;
  if (!options.masquerade.isEmpty())
    arguments << QStringLiteral("--masquerade") << options.masquerade;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("TARVEL_PHOTO_KEY"), QString::fromLatin1(options.key));
  process_.setProcessEnvironment(environment);
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QString::fromLatin1(kPython), arguments);
  if (!process_.waitForStarted(kStartMs)) {
    error = process_.errorString();
    return false;
  }
  while (!process_.canReadLine()) {
    if (!process_.waitForReadyRead(kStartMs)) {
      error = QStringLiteral("the photo server did not start");
      Stop();
      return false;
    }
  }
  const QByteArray line = process_.readLine().trimmed();
  bool ok = false;
  const uint port = line.startsWith(kReady) ? line.mid(qstrlen(kReady)).toUInt(&ok) : 0;
  if (!ok || port == 0 || port > 65535) {
    error = QStringLiteral("the photo server said: ") + QString::fromLocal8Bit(line);
    Stop();
    return false;
  }
  port_ = static_cast<quint16>(port);
  return true;
}

void PhotoFtpServer::Stop() {
  port_ = 0;
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(kStopMs)) {
    process_.kill();
    process_.waitForFinished(kStopMs);
  }
}

}  // namespace tarvel::services
