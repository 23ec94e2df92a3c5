#pragma once

#include "platform/widgets/zpopup.h"

#include <QDate>
#include <QString>

class ZLabel;
class ZLineEdit;
class ZNumModule;
class ZScrollPanel;

/**
 * The countdown event dialog: the event's date in three number fields (year,
 * month, day) and its text in a one-line field. It opens on today's date and an
 * empty text. The caller runs it with exec() and then reads date(), eventText()
 * and isCancelled(); the dialog itself writes nothing.
 *
 * Three fields that form no real date (31 April, 29 February of a common year)
 * give the last day of that month: date() never returns an invalid date.
 */
class dateDlg : public ZPopup
{
    Q_OBJECT

public:
    static constexpr int MinYear = 1901;
    static constexpr int MaxYear = 2100;

    dateDlg();
    ~dateDlg() override;

    /** The date the three fields form, the day held to the month's length; kept as the dialog's date. */
    QDate date();
    QString eventText() const;
    /** True once the Back key closed the dialog. */
    bool isCancelled() const { return m_cancelled; }

    ZNumModule *yearField() const { return m_year; }
    ZNumModule *monthField() const { return m_month; }
    ZNumModule *dayField() const { return m_day; }
    ZLineEdit *eventField() const { return m_event; }

    /** The date of year, month and day, the day brought down to the month's last day when beyond it. */
    static QDate heldDate(int year, int month, int day);

private Q_SLOTS:
    void slotSet();
    void slotQuit();

private:
    bool m_cancelled = false;
    ZScrollPanel *m_panel;
    ZNumModule *m_year;
    ZNumModule *m_month;
    ZNumModule *m_day;
    ZLineEdit *m_event;
    ZLabel *m_dateLabel;
    ZLabel *m_eventLabel;
    QDate m_date;
};
