#pragma once

#include "render/framepieces.h"

#include <QImage>
#include <QTransform>

/**
 * A clock hand turned to the angle a frame shows it at. The hour and minute
 * hands keep their angle for a whole minute, so the turned image is made once
 * and copied in the frames of that minute. It is made with the same painter
 * transform, shifted by whole pixels, that would draw the hand in place, so
 * the frame's pixels are the same as without it.
 */
class RotatedHand
{
public:
    /**
     * The hand drawn through `rotation` (which maps the hand into `box`) onto a
     * transparent image of the box's size; made again only when the hand or
     * the angle changed.
     */
    const QImage &turned(const QImage &hand, double angle, const QTransform &rotation, const QRect &box);

    /** Bands of rows of the turned image, each as wide as its visible pixels reach. */
    const PieceAreas &areas() const { return m_areas; }

private:
    void findAreas();

    qint64 m_handKey = 0;
    double m_angle = 0;
    QImage m_turned;
    PieceAreas m_areas;
};
