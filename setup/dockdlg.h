#pragma once

#include "platform/widgets/zpopup.h"

#include <QString>

#include <array>

class ZListBox;
class ZListBoxItem;

/**
 * The dock bar editor: one fixed row for each of the ten dock slots. Selecting
 * a row opens the application picker; a picked application is written into
 * that slot of the settings file at once, flushed, and announced to the plug-in
 * with "Reload()". The editor stays open for further slots until Back. A slot
 * the settings file does not hold is shown as a failure and announces nothing.
 *
 * A pick without an application id (nothing the launcher could start) is
 * treated like a cancelled picker: the slot is left as it was.
 */
class dockDlg : public ZPopup
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 10;

    dockDlg();
    ~dockDlg() override;

    ZListBox *listBox() const { return m_listBox; }
    /** The label of row r: the dock bar's text and the slot's. */
    static QString rowLabel(int row);

public Q_SLOTS:
    void slotQuit();
    void slotItemClicked(int row);

private:
    void buildRows();

    ZListBox *m_listBox;
    std::array<ZListBoxItem *, SlotCount> m_rows {};
    QString m_appDir;
};
