#include "render/skinfonts.h"

#include <algorithm>

void installSkinFontSubstitution()
{
    PhoneFont::installSubstitution();
}

QFont skinFont(int pointSize, bool bold)
{
    installSkinFontSubstitution();
    QFont font(QString::fromLatin1(SkinFontFamily));
    if (pointSize > 0)
        font.setPointSize(std::min(pointSize, MaxSkinFontSize));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    return font;
}
