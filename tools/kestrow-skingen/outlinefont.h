#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QString>

/**
 * Glyph outlines read straight from one font file, unhinted, so that the
 * drawn text depends only on that file and not on the fonts the machine
 * would substitute. Paths have their baseline at y = 0 and start at x = 0.
 */
class OutlineFont
{
public:
    OutlineFont(const QString &fileName, qreal pixelSize);

    bool isValid() const { return m_font.isValid(); }
    QString fileName() const { return m_fileName; }

    QPainterPath path(const QString &text) const;
    qreal advance(const QString &text) const;
    qreal ascent() const { return m_font.ascent(); }

private:
    QString m_fileName;
    QRawFont m_font;
};

/** The font files the generator draws with; both ship in the Debian packages that install-deps.sh installs.
 */
namespace FontFiles {
QString latinBold();
QString chinese();
} // namespace FontFiles
