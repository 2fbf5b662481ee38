// The main window's calls into parts of the program that do not exist yet.
// Each function is named after what its future owner will do there and does
// nothing until that part is built; the window already calls it at the right
// moment, so the owner only has to fill it in (or replace the call).
#pragma once

#include <QString>

namespace tarvel {

struct Settings;

// Audio streaming library (media): initialise the default output device at
// 44100 Hz when the window is created.
void InitAudioLibrary();

// Internet radio (media): read the station list at start-up.
void LoadRadioList(const QString& dataFolder, const Settings& settings);

// Statistics service (online): report the start; the settings are saved when
// the service accepts it.
void ReportStartToStatistics(Settings& settings);

// Player accounts (online): log in to a stored account.
void LoginStoredAccount(const QString& dataFolder);

// Music (media): prepare the background music and start it when `musicOn`;
// stop it.
void PrepareMusic(bool musicOn);
void StopMusicPlayer();

}  // namespace tarvel
