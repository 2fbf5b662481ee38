// One service of the program: its tables, its addresses and its handlers.
// The program opens the database, brings every module's tables up to date,
// lets each module prepare its statements and add its routes, and writes the
// addresses that modules publish into the service directory. A new service
// (the tournament, the accounts) is one more module in files of its own,
// added to the list in main.cpp.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <QVariant>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "form_fields.h"

namespace tarvel::services {

class ServiceModule {
 public:
  virtual ~ServiceModule() = default;

  // The module's name in the schema version table.
  virtual QString Name() const = 0;

  // The schema steps: step k (0-based) brings the module's tables from
  // version k to k + 1. Steps already applied are never run again, so a step
  // once published is never changed; a change of schema is a new step.
  virtual std::vector<QStringList> Migrations() const { return {}; }

  // Prepares the module's statements once the tables are up to date.
  virtual bool Open(QSqlDatabase& database) = 0;

  virtual void AddRoutes(QHttpServer& server) = 0;

  // Keys of the service directory with their values (already enciphered).
  virtual std::vector<std::pair<QString, QString>> DirectoryKeys() const { return {}; }
};

// One run of a prepared statement with its values bound in order; the
// statement is made ready for its next run when this ends.
class StatementRun {
 public:
  StatementRun(QSqlQuery& query, std::initializer_list<QVariant> values);
  ~StatementRun() { query_.finish(); }
  StatementRun(const StatementRun&) = delete;
  StatementRun& operator=(const StatementRun&) = delete;

  bool Ok() const { return ok_; }
  // The next row of a SELECT; false at the end or when the run failed.
  bool Next() { return ok_ && query_.next(); }
  QVariant Value(int column) const { return query_.value(column); }
  qint64 Number(int column) const { return query_.value(column).toLongLong(); }
  // The first column of the first row as a number, `otherwise` when none.
  qint64 Single(qint64 otherwise = 0) { return Next() ? Number(0) : otherwise; }
  int RowsAffected() const { return query_.numRowsAffected(); }
  qint64 LastInsertId() const { return query_.lastInsertId().toLongLong(); }

 private:
  QSqlQuery& query_;
  bool ok_ = false;
};

// Brings a module's tables to its newest version inside one transaction per
// step. False, with the reason in `error`, when a step fails.
bool MigrateModule(QSqlDatabase& database, const ServiceModule& module, QString& error);

// A reply of the POST services: Windows-1251 text.
QHttpServerResponse WireReply(std::string_view bytes,
                              QHttpServerResponse::StatusCode status =
                                  QHttpServerResponse::StatusCode::Ok);

// What a service answers to a checked body.
struct FormReply {
  std::string body;
  std::vector<std::pair<QByteArray, QByteArray>> headers;
  QHttpServerResponse::StatusCode status = QHttpServerResponse::StatusCode::Ok;
};

// A service's handler: its reply, or nothing for a request it does not serve
// (answered with an error status).
using FormHandler =
    std::function<std::optional<FormReply>(const FormFields&, const QHttpServerRequest&)>;

// Adds a POST route that refuses oversize and malformed bodies and unknown
// requests before `handler` sees them.
void AddFormRoute(QHttpServer& server, const QString& path, FormHandler handler);

// The caller's address as text; an IPv4 address mapped into IPv6 is given
// as the IPv4 address.
QString CallerAddress(const QHttpServerRequest& request);
// An address as text, an IPv4 address mapped into IPv6 as the IPv4 address.
QString PlainAddress(QHostAddress address);

// The enciphered form of a path below the base address, for the directory.
QString EncipheredPath(std::string_view path);

}  // namespace tarvel::services
