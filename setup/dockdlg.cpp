#include "setup/dockdlg.h"

#include "data/settingsfile.h"
#include "platform/phonechannels.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zsoftkey.h"
#include "platform/zconfig.h"
#include "setup/appadddlg.h"
#include "setup/appdir.h"
#include "setup/failurenotice.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"
#include "setup/setuplog.h"

#include <QPixmap>

#include <memory>

dockDlg::dockDlg()
    : ZPopup(0, nullptr, nullptr, true)
    , m_listBox(new ZListBox(QStringLiteral("%I%M"), this, 0, ZListBox::ClassId))
    , m_appDir(AppDir::applicationDirectory())
{
    setTitle(LngTable::text(LngKeys::DockBar));
    m_listBox->enableMarquee(0, true);
    m_listBox->enableMarquee(1, true);
    insertChild(m_listBox, -1);

    softKey()->setText(ZSoftKey::RIGHT, LngTable::text(LngKeys::Back));
    softKey()->setClickedSlot(ZSoftKey::LEFT, this, &dockDlg::slotQuit);
    softKey()->setClickedSlot(ZSoftKey::RIGHT, this, &dockDlg::slotQuit);

    buildRows();
    connect(m_listBox, &ZListBox::selected, this, &dockDlg::slotItemClicked);
}

dockDlg::~dockDlg() = default;

QString dockDlg::rowLabel(int row)
{
    return LngTable::text(LngKeys::DockBar) + LngTable::text(LngKeys::Slots.at(size_t(row)));
}

void dockDlg::buildRows()
{
    SetupLog::line(QStringLiteral("build list item "));
    // The folder ends in "/" already: the doubled slash is the platform's and harmless.
    const QPixmap image(m_appDir + QStringLiteral("/img/dock.png"));
    for (int r = 0; r < SlotCount; ++r) {
        auto row = std::make_unique<ZListBoxItem>(m_listBox);
        row->appendSubItem(1, rowLabel(r));
        row->setPixmap(0, image);
        m_rows[size_t(r)] = m_listBox->insertItem(std::move(row), -1);
    }
}

void dockDlg::slotQuit()
{
    reject();
}

void dockDlg::slotItemClicked(int row)
{
    SetupLog::line(QStringLiteral("click index %1").arg(row));
    if (row < 0 || row >= SlotCount)
        return;
    DockSlotSetting slot;
    bool cancelled = true;
    {
        const auto picker = std::make_unique<appAddDlg>(rowLabel(row));
        picker->exec();
        slot = { picker->pickedIcon(), picker->pickedType(), picker->pickedExec(), picker->pickedName() };
        cancelled = picker->isCancelled();
    }
    if (cancelled || slot.exec.isEmpty())
        return;
    ZConfig settings(SettingsFile::filePath());
    const bool written = SettingsFile::writeDockSlot(settings, row, slot);
    if (!settings.flush() || !written) {
        FailureNotice::show(
            LngKeys::FailDock, QStringLiteral("cannot store dock slot %1").arg(row), settings.errorString());
        return;
    }
    PhoneChannels::sendReload();
}
