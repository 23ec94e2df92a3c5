#include "render/skinfonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

namespace {

// The phone's own font carries the Chinese glyphs that the countdown and the
// lunar date need; this one does too and is what the install script provides.
const char *const SubstituteFamily = "WenQuanYi Micro Hei";

} // namespace

void installSkinFontSubstitution()
{
    static const bool installed = [] {
        const QString family = QString::fromLatin1(SkinFontFamily);
        if (!QFontDatabase::hasFamily(family))
            QFont::insertSubstitution(family, QString::fromLatin1(SubstituteFamily));
        return true;
    }();
    Q_UNUSED(installed);
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
