#pragma once

#include <QString>
#include <QtGlobal>

/** A Gregorian date: day of the month, month 1 to 12, four-digit year. */
struct tagDate {
    qint32 day;
    qint32 month;
    qint32 year;
};

/**
 * Converts Gregorian dates into the Chinese lunar calendar and its display
 * text, for example 牛(己丑)年正月初一. The conversion counts days from
 * 1921-02-08, the first day of lunar year 1921, through a built-in table of
 * 180 lunar years (1921 to 2100); it needs no platform service.
 *
 * The working values are members and outlast a call, but every call sets
 * each of them before reading it. One object must not convert on two
 * threads at once.
 */
class LunarCalendar
{
public:
    /** First and last Gregorian dates that have a lunar text. */
    static constexpr tagDate FirstDate { 8, 2, 1921 };
    static constexpr tagDate LastDate { 31, 12, 2100 };

    /**
     * Replaces `text` with the lunar date of `date`. A date that is not a
     * real Gregorian date, or lies outside FirstDate..LastDate, gives an
     * empty text.
     */
    void GetDayOf(tagDate &date, QString &text);

private:
    /** Sets nTheDate: the day number of the date, 1 for 1921-02-08. */
    void dayNumber(const tagDate &date);
    /** Finds the lunar year, month and day of nTheDate; false past the table. */
    bool walk();
    void buildText(QString &text) const;

    qint32 wCurYear = 0;
    qint32 wCurMonth = 0; // -L for the leap month that follows month L
    qint32 wCurDay = 0;
    qint32 nTheDate = 0;
    qint32 nIsEnd = 0;
    qint32 m = 0; // index of the lunar year in the table
    qint32 k = 0; // bit of the year's first month
    qint32 n = 0; // bit of the current month
    qint32 i = 0; // halvings of the word that reach bit n
    qint32 nBit = 0;
};
