#include "platform/widgets/zlook.h"

#include "platform/phonefont.h"

#include <QLocale>

namespace ZLook {

namespace {

// The phone's family where it is installed, else its stand-in by name: the same font file either
// way, but a family unknown to the font database costs a search through every installed font
// for each size and weight the windows ask for.
QString family()
{
    static const QString chosen = QString::fromLatin1(
        QFontDatabase::hasFamily(QString::fromLatin1(PhoneFont::Family)) ? PhoneFont::Family
                                                                         : PhoneFont::SubstituteFamily);
    return chosen;
}

QFont phoneFont(int pixelSize, bool bold)
{
    QFont font(family());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Unhinted glyphs look the same at these sizes, and a window's first texts then cost no
    // hinting of each glyph and of the font's whole character map.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

QFont barFont()
{
    return phoneFont(BarPixelSize, true);
}

QFont textFont()
{
    return phoneFont(TextPixelSize, false);
}

QFont smallFont()
{
    return phoneFont(SmallPixelSize, false);
}

QColor background()
{
    return QColor(0xf4, 0xf6, 0xfa);
}

QColor text()
{
    return QColor(0x1a, 0x1f, 0x2b);
}

QColor secondaryText()
{
    return QColor(0x5a, 0x64, 0x78);
}

QColor highlight()
{
    return QColor(0x2f, 0x6f, 0xd0);
}

QColor highlightText()
{
    return QColor(Qt::white);
}

QColor separator()
{
    return QColor(0xd4, 0xda, 0xe4);
}

QColor barTop()
{
    return QColor(0x3a, 0x44, 0x5a);
}

QColor barBottom()
{
    return QColor(0x1c, 0x22, 0x30);
}

QColor barText()
{
    return QColor(Qt::white);
}

QColor shade()
{
    return QColor(0, 0, 0, 0x60);
}

QString text(Text which)
{
    // The platform's dialogs speak the phone's language; the application makes
    // that language the default locale when it starts.
    const bool chinese = QLocale().language() == QLocale::Chinese;
    switch (which) {
    case Text::Ok:
        return chinese ? QString::fromUtf8("确定") : QStringLiteral("OK");
    case Text::Cancel:
        return chinese ? QString::fromUtf8("取消") : QStringLiteral("Cancel");
    case Text::Yes:
        return chinese ? QString::fromUtf8("是") : QStringLiteral("Yes");
    case Text::No:
        return chinese ? QString::fromUtf8("否") : QStringLiteral("No");
    case Text::Select:
        return chinese ? QString::fromUtf8("选择") : QStringLiteral("Select");
    case Text::Back:
        return chinese ? QString::fromUtf8("返回") : QStringLiteral("Back");
    }
    return {};
}

} // namespace ZLook
