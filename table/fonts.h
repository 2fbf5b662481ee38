// Font roles of the table: which settings slot a role takes its font name
// and size scale from, and the height rule round(size x scale / 100).
#pragma once

#include "settings/settings_file.h"
#include "table/layout.h"

#include <QFont>
#include <QString>

#include <functional>
#include <string_view>

namespace tarvel {

// "decor" FontLarge, "serif" FontSmall, "fixed" FontSpecial1, "conew"
// FontSpecial2: round(size x the slot's scale / 100).
int FontHeight(const Settings& settings, int size, FontRole role);
// The same by role name; an unknown name takes no scale (the size itself).
int FontHeight(const Settings& settings, int size, std::string_view role);

// The font name of a role's slot.
QString FontFamily(const Settings& settings, FontRole role);

// A font of the role's family at a pixel height.
QFont RoleFont(const Settings& settings, FontRole role, int pixelHeight, bool bold = false);

// `font` at the largest pixel height from `start` down to `smallest` for
// which `fits` holds; at `smallest` when none does.
QFont FittingFont(QFont font, int start, int smallest, const std::function<bool(const QFont&)>& fits);

}  // namespace tarvel
