#include "service_module.h"

#include <QHostAddress>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "cipher.h"

namespace tarvel::services {

StatementRun::StatementRun(QSqlQuery& query, std::initializer_list<QVariant> values)
    : query_(query) {
  for (const QVariant& value : values) query_.addBindValue(value);
  ok_ = query_.exec();
}

bool MigrateModule(QSqlDatabase& database, const ServiceModule& module, QString& error) {
  QSqlQuery query(database);
  if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_versions ("
                                 "module TEXT PRIMARY KEY, version INTEGER NOT NULL)"))) {
    error = query.lastError().text();
    return false;
  }
  query.prepare(QStringLiteral("SELECT version FROM schema_versions WHERE module = ?"));
  query.addBindValue(module.Name());
  if (!query.exec()) {
    error = query.lastError().text();
    return false;
  }
  int version = query.next() ? query.value(0).toInt() : 0;
  query.finish();
  const std::vector<QStringList> steps = module.Migrations();
  for (; version < static_cast<int>(steps.size()); ++version) {
    database.transaction();
    bool ok = true;
    for (const QString& statement : steps[static_cast<std::size_t>(version)]) {
      if (!query.exec(statement)) {
        ok = false;
        break;
      }
    }
    if (ok) {
      query.prepare(QStringLiteral("INSERT INTO schema_versions (module, version) VALUES (?, ?) "
                                   "ON CONFLICT (module) DO UPDATE SET version = excluded.version"));
      query.addBindValue(module.Name());
      query.addBindValue(version + 1);
      ok = query.exec();
    }
    if (!ok) {
      error = module.Name() + QStringLiteral(": ") + query.lastError().text();
      database.rollback();
      return false;
    }
    database.commit();
  }
  return true;
}

QHttpServerResponse WireReply(std::string_view bytes, QHttpServerResponse::StatusCode status) {
  return QHttpServerResponse(QByteArrayLiteral("text/html; charset=windows-1251"),
                             QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), status);
}

void AddFormRoute(QHttpServer& server, const QString& path, FormHandler handler) {
  server.route(path, QHttpServerRequest::Method::Post,
               [handler = std::move(handler)](const QHttpServerRequest& request) {
                 using Status = QHttpServerResponse::StatusCode;
                 const QByteArray body = request.body();
                 if (body.size() > static_cast<qsizetype>(kMaxBody))
                   return WireReply("$error#\n", Status::PayloadTooLarge);
                 const std::optional<FormFields> form =
                     FormFields::Parse(std::string_view(body.constData(), body.size()));
                 if (!form) return WireReply("$error#\n", Status::BadRequest);
                 const std::optional<FormReply> reply = handler(*form, request);
                 if (!reply) return WireReply("$error#\n", Status::BadRequest);
                 QHttpServerResponse response = WireReply(reply->body, reply->status);
                 for (const auto& [name, value] : reply->headers) response.addHeader(name, value);
                 return response;
               });
}

QString CallerAddress(const QHttpServerRequest& request) { return PlainAddress(request.remoteAddress()); }

QString PlainAddress(QHostAddress address) {
  bool mapped = false;
  const quint32 v4 = address.toIPv4Address(&mapped);
  if (mapped) address = QHostAddress(v4);
  return address.toString();
}

QString EncipheredPath(std::string_view path) {
  return QString::fromStdString(Encipher(path));
}

}  // namespace tarvel::services
