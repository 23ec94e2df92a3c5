#pragma once

#include "platform/resiconreader.h"
#include "platform/widgets/zpopup.h"
#include "setup/appcatalogue.h"

#include <QList>
#include <QString>

class ZListBox;

/**
 * The application picker: the catalogue of the phone's applications, one row
 * each with its name and a 24 x 24 icon, filled 100 ms after the popup opens.
 * Add turns the current row into the four strings of a dock slot; Back cancels.
 * The caller runs it with exec() and then reads the picked application and
 * isCancelled(); the picker only reads the registries.
 *
 * Closed any other way (the window closed, a key of the platform's own), it
 * returns as cancelled with nothing picked.
 */
class appAddDlg : public ZPopup
{
    Q_OBJECT

public:
    static constexpr int IconSide = 24;
    /** Time from construction to initList(), so the popup shows before the registries are read. */
    static constexpr int FillDelayMs = 100;

    explicit appAddDlg(const QString &title);
    ~appAddDlg() override;

    QString pickedExec() const { return m_pickedExec; }
    QString pickedType() const { return m_pickedType; }
    QString pickedIcon() const { return m_pickedIcon; }
    QString pickedName() const { return m_pickedName; }
    bool isCancelled() const { return m_cancelled; }

    ZListBox *listBox() const { return m_listBox; }
    const QList<CatalogueEntry> &catalogue() const { return m_catalogue; }

public Q_SLOTS:
    /** Builds the catalogue and fills the list: row i shows catalogue entry i. */
    void initList();

private Q_SLOTS:
    void slotOK();
    void slotCancel();

protected:
    void done(int result) override;

private:
    void fillList();

    QString m_pickedExec;
    QString m_pickedType;
    QString m_pickedIcon;
    QString m_pickedName;
    bool m_cancelled = false;
    // Set by the two soft keys; a popup closed without either returns as cancelled.
    bool m_answered = false;
    RES_ICON_Reader m_icons;
    ZListBox *m_listBox;
    QList<CatalogueEntry> m_catalogue;
};
