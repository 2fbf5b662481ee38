// The origin pictures of the world top ten lists ("Windows", "Android",
// "Account48"), drawn at run time at the size asked for.
#pragma once

#include <QImage>

namespace tarvel {

// The three origins of the world top ten lists, top to bottom.
enum class TopOrigin { Windows, Android, Account };

QImage OriginPicture(TopOrigin origin, int size = 48);

}  // namespace tarvel
