#include "setup/skindlg.h"

#include "data/skinloader.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zmessagedlg.h"
#include "platform/widgets/zsoftkey.h"
#include "setup/appdir.h"
#include "setup/failurenotice.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"
#include "setup/setuplog.h"
#include "setup/showpreview.h"

#include <QPixmap>

#include <memory>

skinDlg::skinDlg()
    : ZPopup(0, nullptr, nullptr, true)
    , m_listBox(new ZListBox(QStringLiteral("%I%M"), this, 0, ZListBox::ClassId))
    , m_appDir(AppDir::applicationDirectory())
{
    setTitle(LngTable::text(LngKeys::ChangeTheme));
    setTitleIcon(QPixmap::fromImage(m_icons.getIcon(QStringLiteral("fm_folder_small.bmp"), true)));
    m_listBox->enableMarquee(0, true);
    m_listBox->enableMarquee(1, true);
    insertChild(m_listBox, -1);

    softKey()->setText(ZSoftKey::LEFT, LngTable::text(LngKeys::Preview));
    softKey()->setClickedSlot(ZSoftKey::LEFT, this, &skinDlg::slotPreview);
    softKey()->setText(ZSoftKey::RIGHT, LngTable::text(LngKeys::Back));
    softKey()->setClickedSlot(ZSoftKey::RIGHT, this, &skinDlg::slotQuit);
    connect(m_listBox, &ZListBox::selected, this, &skinDlg::itemSelected);

    SkinEntry::scan(m_entries);
    m_listBox->clear();
    fillList();
}

void skinDlg::rescan()
{
    if (!SkinEntry::scan(m_entries))
        m_entries.clear();
    m_listBox->clear();
    fillList();
}

skinDlg::~skinDlg() = default;

void skinDlg::fillList()
{
    // The folder ends in "/" already: the doubled slash is the platform's and harmless.
    const QPixmap image(m_appDir + QStringLiteral("/img/skin.png"));
    const QString authorPrefix = LngTable::text(LngKeys::Author);
    for (const SkinEntry &entry : std::as_const(m_entries)) {
        auto row = std::make_unique<ZListBoxItem>(m_listBox);
        row->appendSubItem(1, entry.skinName);
        row->appendSubItem(1, authorPrefix + entry.author);
        row->setPixmap(0, image);
        m_listBox->insertItem(std::move(row), -1);
    }
}

void skinDlg::slotQuit()
{
    SetupLog::line(QStringLiteral("slot quite"));
    m_cancelled = true;
    reject();
}

void skinDlg::itemSelected(int row)
{
    SetupLog::line(QStringLiteral("click item %1").arg(row));
    if (row < 0 || row >= m_entries.size())
        return;
    const SkinEntry entry = m_entries.at(row);
    ZMessageDlg question(LngTable::text(LngKeys::ChangeTheme),
        LngTable::text(LngKeys::ConfirmUse) + entry.skinName, ZMessageDlg::Question, 0, nullptr, nullptr,
        true);
    if (question.exec() != 1)
        return;
    // The folder may have gone while the chooser was open: store only what the home screen can show.
    if (!SkinEntry::isUsable(entry.dirName)) {
        const QString folder = SkinLoader::skinDirectory(entry.dirName);
        FailureNotice::show(LngKeys::SkinGone,
            QStringLiteral("cannot use the skin \"%1\"").arg(entry.dirName),
            folder.isEmpty() ? SkinLoader::refusedName(entry.dirName)
                             : QStringLiteral("no skin description %1skin.cfg").arg(folder));
        rescan();
        return;
    }
    m_chosenSkin = entry.dirName;
    m_cancelled = false;
    reject();
}

void skinDlg::slotPreview()
{
    const int row = m_listBox->currentItem();
    if (row < 0 || row >= m_entries.size())
        return;
    const QString dirName = m_entries.at(row).dirName;
    SetupLog::line(QStringLiteral("===== cur dir ") + dirName + QStringLiteral(" ======="));
    showPreview preview(dirName);
    preview.exec();
}

void skinDlg::slotOK()
{
    m_cancelled = false;
    reject();
}
