// The font names that the settings and the pictures use are Windows fonts.
// Here they are mapped to the free fonts that Debian ships, with fallback
// families that hold Cyrillic and CJK letters (Comic Neue has neither).
#pragma once

#include <QString>
#include <QStringList>

namespace tarvel {

// The families tried, in order, for a font name of the settings.
QStringList FontSubstitutes(const QString& family);

// Installs the substitutions of every Windows font name the program uses.
void InstallFontSubstitutions();

}  // namespace tarvel
