#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QString>

/** The phone's platform font: every skin text and every window text asks for it. */
namespace PhoneFont {

/** The family the phone's texts ask for. */
inline constexpr char Family[] = "AMCSL";
/**
 * Stands in for the family on a machine that has no font of that name: it
 * carries the Chinese glyphs the windows, the countdown and the lunar date need,
 * and the install script provides it.
 */
inline constexpr char SubstituteFamily[] = "WenQuanYi Micro Hei";

/**
 * Makes the family resolve to the substitute where no font of that family is
 * installed. Safe to call any number of times; only the first call does anything.
 */
inline void installSubstitution()
{
    static const bool installed = [] {
        const QString family = QString::fromLatin1(Family);
        if (!QFontDatabase::hasFamily(family))
            QFont::insertSubstitution(family, QString::fromLatin1(SubstituteFamily));
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace PhoneFont
