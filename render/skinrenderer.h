#pragma once

#include "data/skinloader.h"
#include "data/skinmodel.h"
#include "render/frameclock.h"
#include "render/lunarcalendar.h"
#include "render/rotatedhand.h"
#include "render/scaledicon.h"
#include "render/skintext.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <array>
#include <functional>

class QPainter;

/**
 * Paints the frames of one skin model. The home-screen plug-in and the skin
 * preview both use it; they differ only in the composition. Each element is
 * drawn by its own operation onto a painter open on the frame, reading the
 * time from one clock and the phone's levels from two sources, so that tests
 * and tools can fix all three.
 */
class SkinRenderer
{
public:
    /**
     * The composition is the one the model was loaded for (SkinLoadOptions::composition). The model
     * is only read; it must outlive the renderer.
     */
    explicit SkinRenderer(const SkinModel &model, FrameComposition composition = FrameComposition::Plugin);

    void setComposition(FrameComposition composition);
    FrameComposition composition() const { return m_composition; }
    /** nullptr: the system clock. The clock must outlive the renderer or be replaced first. */
    void setClock(const FrameClock *clock);
    /** Level sources, 0..5; empty: the platform's UTIL_GetBatteryLevel / UTIL_GetSignalQuality. */
    void setBatterySource(std::function<int()> source);
    void setSignalSource(std::function<int()> source);
    /** Looks up the countdown's message formats (the preview's language table); empty: used as they are. */
    void setNotifyFormatTranslator(std::function<QString(const QString &)> translator);

    /** The focused dock slot, -1 for none; the preview never shows one. */
    void setFocusIndex(int index) { m_focusIndex = index; }
    /** After the model was loaded again: no gauge level has been read from it yet. */
    void forgetLevels();

    /** Composes a whole frame into the kept frame image and returns it. */
    const QImage &paintFrame();
    const QImage &frame() const { return m_frame; }
    /** The height of the plug-in's frame: the plug-in area's with one line of the default font. */
    int pluginFrameHeight() const;

    void drawCenter(QPainter &p);
    void drawBattery(QPainter &p);
    void drawSignal(QPainter &p);
    void drawFrameCover(QPainter &p);
    void drawDigital(QPainter &p);
    void drawAnalog(QPainter &p);
    void drawDate(QPainter &p);
    void drawWeek(QPainter &p);
    void drawLunar(QPainter &p);
    void drawNotify(QPainter &p);
    void drawDockBar(QPainter &p);

    /** The countdown's text for today's date, or an empty string when no notice is drawn. */
    QString notifyText() const;

private:
    ClockReading now() const;
    void composePlugin();
    void composePreview();
    void prepareFrame(int height);
    // `kept`: where the turned hand is kept between frames; nullptr draws it turned in place.
    void drawHand(QPainter &p, const QImage &hand, double angle, RotatedHand *kept);
    void drawDigits(QPainter &p, const QImage &strip, int value, int digits, int left, int top);
    void drawShadowedText(QPainter &p, SkinText &line, const QPoint &at, const QString &text, int pointSize,
        bool bold, const QColor &color);
    int defaultLineHeight() const;

    const SkinModel &m_model;
    FrameComposition m_composition = FrameComposition::Plugin;
    int m_focusIndex = -1;
    // The gauge levels of the last frame, -1 before the first.
    int m_lastBattery = -1;
    int m_lastSignal = -1;
    const FrameClock *m_clock = nullptr;
    std::function<int()> m_batterySource;
    std::function<int()> m_signalSource;
    std::function<QString(const QString &)> m_translate;
    QImage m_frame;
    LunarCalendar m_lunar;
    // The lunar text changes once a day: converted again only when the date does.
    int m_lunarDateKey = -1;
    QString m_lunarText;
    // Laid-out text lines, kept from frame to frame.
    SkinText m_lunarLine;
    SkinText m_notifyLine;
    SkinText m_nameLine;
    std::array<ScaledIcon, DockSlotCount> m_dockIcons;
    RotatedHand m_hourHand;
    RotatedHand m_minuteHand;
    mutable QFont m_lineFont;
    mutable int m_lineHeight = -1;
};
