#pragma once

#include "data/skinloader.h"
#include "data/skinmodel.h"
#include "render/frameclock.h"
#include "render/framepieces.h"
#include "render/lunarcalendar.h"
#include "render/rotatedhand.h"
#include "render/scaledicon.h"
#include "render/skintext.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QPainter;

/** How paintFrame() brings the kept frame up to date. */
enum class FrameRepaint {
    /** Only where the frame's elements differ from the frame before; every layer in order there. */
    Changed,
    /** Everything, every frame: what the changed parts are measured and checked against. */
    Whole,
};

/**
 * Paints the frames of one skin model. The home-screen plug-in and the skin
 * preview both use it; they differ only in the composition. Each element is
 * drawn by its own operation onto a painter open on the frame, reading the
 * time from one clock and the phone's levels from two sources, so that tests
 * and tools can fix all three.
 *
 * A frame is first listed as the drawing calls it is made of (FramePieces);
 * only where that list differs from the last frame's is the kept frame painted
 * again, every call of the list in order, clipped to there. The result is the
 * frame a whole composition gives, pixel for pixel.
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
    void setRepaint(FrameRepaint repaint) { m_repaint = repaint; }
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

    /** Brings the kept frame image up to this moment and returns it. */
    const QImage &paintFrame();
    const QImage &frame() const { return m_frame; }
    /** Where the last paintFrame() changed the frame; empty when the frame stayed as it was. */
    const QRegion &changedRegion() const { return m_changed; }
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
    void addUncoveredBlack(int height);
    void composePreview();
    // True when the image was made anew: nothing of it is painted yet.
    bool prepareFrame(int height);
    // Each call below draws at once, or, while a frame is being listed, adds its piece instead.
    void placeImage(QPainter &p, const QPoint &at, const QImage &image, const QRect &source = QRect(),
        QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver);
    void placeText(QPainter &p, SkinText &line, const QPoint &baseline, const QString &text, int pointSize,
        bool bold, const QColor &color);
    void placeCell(QPainter &p, int x, int y, const QImage &strip, const QRect &cell);
    // `kept`: where the turned hand is kept between frames.
    void drawHand(QPainter &p, const QImage &hand, double angle, RotatedHand &kept);
    void drawDigits(QPainter &p, const QImage &strip, int value, int digits, int left, int top);
    void drawShadowedText(QPainter &p, SkinText &line, const QPoint &at, const QString &text, int pointSize,
        bool bold, const QColor &color);
    void repaintChanged(bool fresh);
    const QString &todaysNotifyText();
    int defaultLineHeight() const;

    const SkinModel &m_model;
    FrameComposition m_composition = FrameComposition::Plugin;
    FrameRepaint m_repaint = FrameRepaint::Changed;
    int m_focusIndex = -1;
    // The gauge levels of the last frame, -1 before the first.
    int m_lastBattery = -1;
    int m_lastSignal = -1;
    const FrameClock *m_clock = nullptr;
    std::function<int()> m_batterySource;
    std::function<int()> m_signalSource;
    std::function<QString(const QString &)> m_translate;
    QImage m_frame;
    // While a frame is being listed: its moment, read once, and its pieces.
    std::optional<ClockReading> m_frameTime;
    bool m_listing = false;
    FramePieces m_pieces;
    FramePieces m_lastPieces;
    QRegion m_changed;
    LunarCalendar m_lunar;
    // The lunar text changes once a day: converted again only when the date does.
    int m_lunarDateKey = -1;
    QString m_lunarText;
    // The countdown's text changes once a day too, or with the event.
    int m_notifyDateKey = -1;
    std::array<unsigned, 3> m_notifyEvent {};
    QString m_notifyInfo;
    QString m_notifyText;
    // Laid-out text lines, kept from frame to frame.
    SkinText m_lunarLine;
    SkinText m_notifyLine;
    SkinText m_nameLine;
    std::array<ScaledIcon, DockSlotCount> m_dockIcons;
    RotatedHand m_hourHand;
    RotatedHand m_minuteHand;
    std::array<RotatedHand, 60> m_secondHands;
    mutable QFont m_lineFont;
    mutable int m_lineHeight = -1;
};
