#include "table/window/future_parts.h"

namespace tarvel {

// Every body below is empty on purpose: the parts that own these steps are
// separate issues (see future_parts.h). The window's behaviour without them
// is the behaviour of a program whose club, media and online features are
// switched off.

bool CheckClubFiles(const QString&, Settings&) { return true; }

void LoadRadioList(const QString&, const Settings&) {}

void LoginStoredAccount(const QString&) {}

void ReloadClubList(const QString&, const Settings&) {}

void WritePlayerList(const QString&) {}

void StoreGameResult(const QString&, std::int32_t) {}

void ShowGameResultsWindow(QWidget*, const ResultsFigures&) {}

void StopGifRecording() {}

}  // namespace tarvel
