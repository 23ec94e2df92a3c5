#include "tools/kestrow-skingen/outlinefont.h"

#include <QList>

OutlineFont::OutlineFont(const QString &fileName, qreal pixelSize)
    : m_fileName(fileName)
    , m_font(fileName, pixelSize, QFont::PreferNoHinting)
{ }

QPainterPath OutlineFont::path(const QString &text) const
{
    QPainterPath result;
    const QList<quint32> glyphs = m_font.glyphIndexesForString(text);
    const QList<QPointF> advances = m_font.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    qreal x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        result.addPath(m_font.pathForGlyph(glyphs.at(i)).translated(x, 0));
        x += advances.at(i).x();
    }
    return result;
}

qreal OutlineFont::advance(const QString &text) const
{
    const QList<quint32> glyphs = m_font.glyphIndexesForString(text);
    qreal x = 0;
    for (const QPointF &a : m_font.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics))
        x += a.x();
    return x;
}

namespace FontFiles {
QString latinBold()
{
    return QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
}

QString chinese()
{
    return QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc");
}
} // namespace FontFiles
