// The main window's calls into parts of the program that do not exist yet.
// Each function is named after what its future owner will do there and does
// nothing until that part is built; the window already calls it at the right
// moment, so the owner only has to fill it in (or replace the call).
#pragma once

#include <QString>

#include <cstdint>

#include "engine/table_events.h"

class QWidget;

namespace tarvel {

struct Settings;

// Club files (records): check "Tarvel.clb" and "Tarvel.net" at start-up. A
// well-formed club file may switch the language to Russian. False when a
// check failed and the program must close (the check has told the user).
// With no club part yet, every check passes.
bool CheckClubFiles(const QString& dataFolder, Settings& settings);

// Internet radio (media): read the station list at start-up.
void LoadRadioList(const QString& dataFolder, const Settings& settings);

// Player accounts (online): log in to a stored account.
void LoginStoredAccount(const QString& dataFolder);

// Club file (records): reload the club list from "Tarvel.net" when
// `NetGame` is set, else from "Tarvel.clb".
void ReloadClubList(const QString& dataFolder, const Settings& settings);

// Club file (records): write the player list.
void WritePlayerList(const QString& dataFolder);

// End of game (records): store the finished game's result (rating, history
// entry, club update, statistics report, world top ten at a cycle's end).
void StoreGameResult(const QString& dataFolder, std::int32_t result);

// End of game (records): the game information window with the figures.
void ShowGameResultsWindow(QWidget* parent, const ResultsFigures& figures);

// GIF recording (records): stop a running recording when the window closes.
void StopGifRecording();

}  // namespace tarvel
