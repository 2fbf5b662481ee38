#include "table/fonts.h"

#include <algorithm>

namespace tarvel {

namespace {

int SlotScale(const Settings& settings, FontRole role)
{
    switch (role) {
    case FontRole::Decor: return settings.FontLargeScale;
    case FontRole::Serif: return settings.FontSmallScale;
    case FontRole::Fixed: return settings.FontSpecial1Scale;
    case FontRole::Conew: return settings.FontSpecial2Scale;
    }
    return 100;
}

}  // namespace

int FontHeight(const Settings& settings, int size, FontRole role)
{
    return FontHeightForScale(size, SlotScale(settings, role));
}

int FontHeight(const Settings& settings, int size, std::string_view role)
{
    FontRole known = FontRole::Decor;
    if (!FontRoleByName(role, known)) {
        return size;
    }
    return FontHeight(settings, size, known);
}

QString FontFamily(const Settings& settings, FontRole role)
{
    const std::string* name = &settings.FontLarge;
    switch (role) {
    case FontRole::Decor: name = &settings.FontLarge; break;
    case FontRole::Serif: name = &settings.FontSmall; break;
    case FontRole::Fixed: name = &settings.FontSpecial1; break;
    case FontRole::Conew: name = &settings.FontSpecial2; break;
    }
    return QString::fromStdString(*name);
}

QFont RoleFont(const Settings& settings, FontRole role, int pixelHeight, bool bold)
{
    QFont font(FontFamily(settings, role));
    font.setPixelSize(std::max(1, pixelHeight));
    font.setBold(bold);
    if (role == FontRole::Fixed || role == FontRole::Conew) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

QFont FittingFont(QFont font, int start, int smallest, const std::function<bool(const QFont&)>& fits)
{
    smallest = std::max(1, smallest);
    for (int pixels = std::max(start, smallest); pixels > smallest; --pixels) {
        font.setPixelSize(pixels);
        if (fits(font)) {
            return font;
        }
    }
    font.setPixelSize(smallest);
    return font;
}

}  // namespace tarvel
