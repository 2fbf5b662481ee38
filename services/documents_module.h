// The documents of the services: the service directory, the news document,
// the caller's address as the server sees it, the music playlist page with
// its songs, and the download folder of resource modules.
#pragma once

#include <QDir>
#include <QSqlQuery>

#include <functional>

#include "service_module.h"

namespace tarvel::services {

struct DocumentOptions {
  bool pauseTopTen = false;
  bool pauseChat = false;
  QString musicFolder;      // the songs (*.mp3) and an optional _playlist.html
  QStringList downloadFolders;  // looked up in order
};

class DocumentsModule : public ServiceModule {
 public:
  // `directoryKeys` gives the keys the other modules publish, as a caller
  // that reached the services at the host name it is given finds them.
  DocumentsModule(DocumentOptions options,
                  std::function<std::vector<std::pair<QString, QString>>(const QString&)> directoryKeys)
      : options_(std::move(options)), directoryKeys_(std::move(directoryKeys)) {}

  QString Name() const override { return QStringLiteral("documents"); }
  std::vector<QStringList> Migrations() const override;
  bool Open(QSqlDatabase& database) override;
  void AddRoutes(QHttpServer& server) override;

  // Adds a news item; false when it could not be stored.
  bool AddNews(const QString& text);

 private:
  QByteArray Directory(const QString& host) const;
  QByteArray News();
  // The page's lines: "_playlist.html" of the music folder when there is
  // one, else one line per "Artist~Title.mp3" file of the folder.
  QByteArray Playlist() const;
  QHttpServerResponse File(const QStringList& folders, const QString& name,
                           const QByteArray& type) const;

  DocumentOptions options_;
  std::function<std::vector<std::pair<QString, QString>>(const QString&)> directoryKeys_;
  QSqlQuery addNews_, readNews_;
};

}  // namespace tarvel::services
