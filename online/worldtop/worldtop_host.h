// What the world top ten windows need of the main window, and what they
// read: the settings (the passport), the service requests, the club files and
// the account service's lists, which the caller hands in as functions.
#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "online/service_records.h"
#include "online/service_requests.h"
#include "settings/settings_file.h"

class QDialog;
class QWidget;

namespace tarvel {

class WorldTopHost {
 public:
  virtual ~WorldTopHost() = default;
  // The window that owns the world top ten windows.
  virtual QWidget* HostWindow() = 0;
  // An information box with OK, in the current language.
  virtual void Inform(const QString& text) = 0;
  // Shows `dialog` modally and returns its result.
  virtual int RunModal(QDialog& dialog) = 0;
};

// The account service's part. An unset function, or one that returns false,
// is a failed request: its list shows "No Connect".
struct WorldTopSources {
  // The rating list of the accounts (ten rows).
  std::function<bool(std::vector<TQorTop10>& rows)> accountRating;
  // The logged-in account's nick and city, for its neighbourhood in the
  // account list.
  std::function<bool(std::string& nick, std::string& city)> accountPassport;
};

struct WorldTopContext {
  WorldTopHost& host;
  Settings& settings;  // the passport is edited in place
  ServiceRequests& requests;
  std::filesystem::path dataFolder;  // Tarvel.clb and Tarvel.net
  WorldTopSources sources;
};

}  // namespace tarvel
