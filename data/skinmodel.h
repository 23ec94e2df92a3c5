#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <array>

/** The dock bar holds this many slots, whatever a skin's Num says. */
inline constexpr int DockSlotCount = 10;
inline constexpr int BatteryImageCount = 4;
inline constexpr int SignalImageCount = 6;
/**
 * Every position and size read from a skin or the platform lies within plus or minus this: far
 * off any screen, yet adding an image's size (at most 4096) to it, or a few of them, never overflows.
 */
inline constexpr int SkinNumberLimit = 1 << 20;

/** One dock slot: geometry from the skin, icon and name from the settings file. */
struct DockSlot {
    int top = 1;
    int left = 1;
    int sizeHeight = 1;
    int widgetHeight = 1;
    int sizeWidth = 1;
    int widgetWidth = 1;
    int nameFontSize = 12;
    int nameLeft = 0;
    int nameTop = 0;
    QColor nameColor = Qt::black;
    QString name;
    QImage icon;
};

/**
 * The loaded form of one skin: everything a frame needs, so that painting
 * reads no file. It holds what the files say and nothing that changes while
 * frames are painted (the dock focus and the last gauge levels belong to the
 * painter), so one model can serve several renderers. Filled by SkinLoader; switches are false and images
 * null until the first load. Images are kept in a premultiplied 32-bit format so that every blit of a frame
 * takes the fast path.
 */
struct SkinModel {
    struct FrameCover {
        bool show = false;
        QImage image;
        int left = 0;
        int top = 0;
    };
    struct Analog {
        bool show = false;
        QImage dial;
        QImage centreCap; // loaded, never drawn
        QImage second;
        QImage minute;
        QImage hour;
        bool secShow = true;
        int left = 0;
        int top = 0;
    };
    struct Digital {
        bool show = false;
        QImage strip;
        bool secShow = false;
        int hourLeft = 0, hourTop = 0;
        int colon0Left = 0, colon0Top = 0;
        int minLeft = 0, minTop = 0;
        int colon1Left = 0, colon1Top = 0;
        int secLeft = 0, secTop = 0;
    };
    struct Week {
        bool show = false;
        QImage strip;
        int left = 0;
        int top = 0;
    };
    struct Date {
        bool show = false;
        QImage strip;
        bool yearShow = false;
        int yearLeft = 0, yearTop = 0;
        int ymLeft = 0, ymTop = 0;
        int monLeft = 0, monTop = 0;
        int mdLeft = 0, mdTop = 0;
        int dayLeft = 0, dayTop = 0;
    };
    struct Lunar {
        bool show = false;
        int fontSize = 0;
        int color = 0; // 0xRRGGBB
        int left = 0;
        int top = 0;
    };
    struct Battery {
        bool show = false;
        std::array<QImage, BatteryImageCount> levels;
        int left = 0;
        int top = 0;
    };
    struct Signal {
        bool show = false;
        std::array<QImage, SignalImageCount> levels;
        int left = 0;
        int top = 0;
    };
    struct Notify {
        bool show = false;
        bool bold = false;
        int fontSize = 0;
        int left = 0;
        int top = 0;
        QColor color = Qt::black;
        unsigned int year = 0;
        unsigned int month = 0;
        unsigned int day = 0;
        QString info;
    };
    struct Dock {
        bool show = false;
        int num = 0; // slots in use, already limited to 0..DockSlotCount
        int bgTop = 0;
        int bgLeft = 0;
        bool infoShow = false;
        std::array<DockSlot, DockSlotCount> slots;
        QImage background;
    };

    FrameCover cover;
    QImage background; // wallpaper at 240 x 320, or the centre image for a ".dcf" wallpaper
    QImage centre;
    int paddingSum = 6;
    Analog analog;
    Digital digital;
    Week week;
    Date date;
    Lunar lunar;
    Battery battery;
    Signal signal;
    Notify notify;
    Dock dock;

    // [General], for the settings application only.
    QString skinName;
    QString author;
};
