// The FTP server for account photos: tarvel-photo-ftp.py (pyftpdlib, run by
// Debian's /usr/bin/python3) as a child of the services. It checks every
// login through the services' "/photo-login" path with a key that only this
// child knows, lets an account store only its own nick + ".jpg", and refuses
// a file that is not a 200 x 250 JPEG. It is stopped with the services, and
// stops by itself when the services die.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace tarvel::services {

struct PhotoFtpOptions {
  QString script;        // tarvel-photo-ftp.py
  QString listen;        // address; passive connections use it too
  quint16 port = 0;      // 0: any free port
  QString folder;        // the photo folder
  QString checkUrl;      // the services' "/photo-login" address
  QByteArray key;        // proves a login check comes from this server
  QString passivePorts;  // "FIRST-LAST", empty: any free ports
  QString masquerade;    // address announced for passive mode, empty: none
};

class PhotoFtpServer {
 public:
  PhotoFtpServer() = default;
  ~PhotoFtpServer() { Stop(); }
  PhotoFtpServer(const PhotoFtpServer&) = delete;
  PhotoFtpServer& operator=(const PhotoFtpServer&) = delete;

  // Starts the server and waits until it listens. False, with the reason in
  // `error`, when it could not start.
  bool Start(const PhotoFtpOptions& options, QString& error);
  quint16 Port() const { return port_; }
  void Stop();

  // A fresh random key for the login checks.
  static QByteArray NewKey();

 private:
  QProcess process_;
  quint16 port_ = 0;
};

}  // namespace tarvel::services
