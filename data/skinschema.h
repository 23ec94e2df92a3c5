#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

/**
 * Every group and key of a skin's "skin.cfg" that the loader reads (by the names
 * of data/skinnames.h, the loader's own): its type,
 * the value it takes when missing or unreadable, and what uses it. The loader,
 * the linter and the host's skin diagnostics all go by this one table; a test
 * holds the loader to it.
 */
namespace SkinSchema {

enum class ValueType {
    Switch, // a group's "Show": a truth value, default off
    Boolean, // any other truth value
    Image, // a file name relative to the skin's folder
    Position, // frame pixels
    Integer, // a count or a size in pixels
    FontSize, // points
    Colour, // one decimal number, red * 65536 + green * 256 + blue
    Text,
};

/** What an image is for, which decides the sizes that work. */
enum class ImageUse { None, Plain, DigitStrip, WeekStrip, Screen, Gauge, Dock };

struct Key {
    QLatin1StringView group;
    /** "%1" stands for a dock slot index, 0 to 9 without leading zeros. */
    QLatin1StringView key;
    ValueType type;
    /** The value the loader takes when the key is missing or cannot be read. */
    const char *defaultValue;
    /** What draws or reads the value. */
    const char *usedBy;
    ImageUse image = ImageUse::None;
};

/** Cells of a digit strip and of the week-day strip. */
inline constexpr int DigitCells = 11;
inline constexpr int WeekCells = 7;
/** Slot keys exist for this many dock slots; a larger [DockBar] Num shows this many. */
inline constexpr int SlotCount = 10;
/** Font sizes above this are drawn at this size; 0 or below keeps the font's own size. */
inline constexpr int MaxFontSize = 200;
/**
 * The most rows a frame of the plug-in has: the 295 rows below the status bar less the default
 * soft-key paddings. A frame is one line of text shorter still; an element below this is never seen.
 */
inline constexpr int FrameMaxRows = 289;
/** Colours are 24-bit RGB values. */
inline constexpr long MaxColour = 0xFFFFFF;

/** Every key, in the order the loader reads them; slot keys once, with "%1". */
std::span<const Key> keys();
/** The groups, each once, in the order the loader reads them. */
QStringList groups();

/**
 * The key entry for a key as written in a file ("Top3" finds "Top%1" with slot 3); nullptr when the
 * loader reads no such key. Slot keys with a leading zero or an index of 10 or more are not found.
 */
const Key *find(QStringView group, QStringView key, int *slot = nullptr);
bool isGroup(QStringView group);

/** The key's name for a slot ("Top%1", 3 gives "Top3"); the name itself when it has no "%1". */
QString keyName(const Key &key, int slot = 0);
bool isSlotKey(const Key &key);

/** Names that differ from the obvious spelling and are read only as they stand. */
bool isOddSpelling(QStringView name);

/** The text of a type for people: "truth value", "image", ... */
QString typeName(ValueType type);

} // namespace SkinSchema
