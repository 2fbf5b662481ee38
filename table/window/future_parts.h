// The main window's calls into parts of the program that do not exist yet.
// Each function is named after what its future owner will do there and does
// nothing until that part is built; the window already calls it at the right
// moment, so the owner only has to fill it in (or replace the call).
#pragma once

#include <QString>

namespace tarvel {

struct Settings;


// Internet radio (media): read the station list at start-up.
void LoadRadioList(const QString& dataFolder, const Settings& settings);


}  // namespace tarvel
