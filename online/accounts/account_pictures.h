// The pictures of the account windows and the account icon, drawn here: the
// lamps, the account figure, the photo frame and the stand-ins for a missing
// photo, the small icons of the profile lines. A picture of the same name
// compiled into the program takes their place.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "account_records.h"

namespace tarvel {

// "LampR24", "LampY24", "LampG24", "Account48", "GAcFrame", "GAcNoM",
// "GAcNoF", and the profile icons "GAcAbout" .. "GAcYouTube".
QImage AccountPicture(const QString& name);

// The lamp of a field check, and of an account state (red logged out,
// yellow logged in, green rating play).
QString LampName(FieldLamp lamp);
QString LampName(AccountState state);

// The icon name of profile field `index` (ProfileFieldOrder).
QString ProfileIconName(std::size_t index);

// The size of an account photo.
inline constexpr int kPhotoWidth = 200;
inline constexpr int kPhotoHeight = 250;

// A JPEG of exactly 200 x 250 pixels.
bool IsAccountPhoto(const QByteArray& bytes);

}  // namespace tarvel
