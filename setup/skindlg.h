#pragma once

#include "platform/resiconreader.h"
#include "platform/widgets/zpopup.h"
#include "setup/skinentry.h"

#include <QList>
#include <QString>

class ZListBox;

/**
 * The skin chooser: every installed skin as a row (the chooser's skin image,
 * the skin's name, its author), a preview of the current row, and the
 * confirmation of a selected one. The caller runs it with exec() and then reads
 * chosenSkin() and isCancelled(); the chooser itself writes nothing. A skin
 * whose folder is gone or misnamed by the time it is confirmed is refused with
 * a notice, and the list shows the skins there are.
 */
class skinDlg : public ZPopup
{
    Q_OBJECT

public:
    skinDlg();
    ~skinDlg() override;

    /** The folder name of the confirmed skin; empty until one is confirmed. */
    QString chosenSkin() const { return m_chosenSkin; }
    /** True once the Back key closed the chooser. */
    bool isCancelled() const { return m_cancelled; }

    const QList<SkinEntry> &entries() const { return m_entries; }
    ZListBox *listBox() const { return m_listBox; }

private Q_SLOTS:
    void slotQuit();
    void itemSelected(int row);
    void slotPreview();
    void slotOK();

private:
    void fillList();
    /** Lists the skins there are now, after one was found gone. */
    void rescan();

    QString m_chosenSkin;
    bool m_cancelled = false;
    RES_ICON_Reader m_icons;
    ZListBox *m_listBox;
    QList<SkinEntry> m_entries;
    QString m_appDir;
};
