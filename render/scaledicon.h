#pragma once

#include <QImage>
#include <QSize>

/**
 * A dock icon scaled to the size a frame draws it at. Smooth scaling is the
 * costliest part of a dock bar and its result changes only with the icon or
 * the size (focus moves), so it is made once and copied in every frame. It
 * is made with the same painter call that would draw the icon scaled in
 * place, so the frame's pixels are the same as without it.
 */
class ScaledIcon
{
public:
    /** The icon scaled smoothly to `size`; made again only when the icon or the size changed. */
    const QImage &scaled(const QImage &icon, const QSize &size);

private:
    qint64 m_iconKey = 0;
    QImage m_scaled;
};
