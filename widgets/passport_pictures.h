// The passport's small pictures, drawn at run time at the size asked for:
// the sex pictures ("FaceMan16", "FaceWoman16") and the country flags.
#pragma once

#include <QImage>
#include <QSize>

#include <string_view>

namespace tarvel {

// The sex picture of a passport or record: "W" a woman, anything else a man.
QImage SexPicture(std::string_view sex, int size = 16);

// The flag of a country code "d-nnn". Countries whose flag is three or two
// plain stripes, a Nordic cross or a disc are drawn as such; any other code,
// and a code that is no country, gets a plain flag in its continent's colour.
QImage CountryFlag(std::string_view code, QSize size = QSize(20, 14));

}  // namespace tarvel
