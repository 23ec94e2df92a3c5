#include "setup/appadddlg.h"

#include "data/skinimage.h"
#include "platform/devicepath.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zsettingitem.h"
#include "platform/widgets/zsoftkey.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"

#include <QFileInfo>
#include <QHash>
#include <QPixmap>
#include <QTimer>

#include <memory>

namespace {

/**
 * Row icons of one fill: each icon file or icon name is decoded and scaled once, however many
 * rows show it, and rows of the same icon share the scaled pixmap.
 */
class RowIcons
{
public:
    explicit RowIcons(const RES_ICON_Reader &reader)
        : m_reader(reader)
    { }

    QPixmap icon(const CatalogueEntry &entry)
    {
        const QString file = devicePath(AppCatalogue::iconPath(entry));
        const bool isFile = QFileInfo(file).isFile();
        const QString key
            = (isFile ? QStringLiteral("file:") : QStringLiteral("name:")) + (isFile ? file : entry.icon);
        const auto cached = m_icons.constFind(key);
        if (cached != m_icons.constEnd())
            return *cached;
        QStringList problems;
        const QImage image = isFile ? SkinImage::load(file, &problems) : m_reader.getIcon(entry.icon, true);
        const QPixmap scaled = image.isNull()
            ? QPixmap()
            : QPixmap::fromImage(image.scaled(
                appAddDlg::IconSide, appAddDlg::IconSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_icons.insert(key, scaled);
        return scaled;
    }

private:
    const RES_ICON_Reader &m_reader;
    QHash<QString, QPixmap> m_icons;
};

} // namespace

appAddDlg::appAddDlg(const QString &title)
    : ZPopup(0, nullptr, nullptr, true)
    , m_listBox(new ZListBox(QStringLiteral("%I%M"), this, 0, ZListBox::ClassId))
{
    setTitle(title);
    // The list is still empty: this sort moves nothing, and rows appended later stay in
    // catalogue order, which slotOK() relies on.
    m_listBox->sort(true);
    insertChild(m_listBox, -1);

    softKey()->setText(ZSoftKey::LEFT, LngTable::text(LngKeys::Add));
    softKey()->setClickedSlot(ZSoftKey::LEFT, this, &appAddDlg::slotOK);
    softKey()->setText(ZSoftKey::RIGHT, LngTable::text(LngKeys::Back));
    softKey()->setClickedSlot(ZSoftKey::RIGHT, this, &appAddDlg::slotCancel);

    // The registries are read once the popup shows, never here.
    QTimer::singleShot(FillDelayMs, this, &appAddDlg::initList);
}

appAddDlg::~appAddDlg() = default;

void appAddDlg::initList()
{
    m_catalogue = AppCatalogue::build();
    m_listBox->clear();
    fillList();
}

void appAddDlg::fillList()
{
    m_listBox->setItemLayout(QStringLiteral("%I%M"));
    RowIcons icons(m_icons);
    for (const CatalogueEntry &entry : std::as_const(m_catalogue)) {
        auto row = std::make_unique<ZSettingItem>(m_listBox);
        row->appendSubItem(1, entry.name, false, 0);
        row->setPixmap(0, icons.icon(entry));
        m_listBox->insertItem(std::move(row), -1);
    }
    m_listBox->setCurrentItem(0);
}

void appAddDlg::slotOK()
{
    const int row = m_listBox->currentItem();
    if (row < 0 || row >= m_catalogue.size())
        return;
    const CatalogueEntry &entry = m_catalogue.at(row);
    m_pickedName = entry.name;
    m_pickedExec = AppCatalogue::pickedExec(entry);
    m_pickedType = entry.type;
    m_pickedIcon = AppCatalogue::pickedIcon(entry);
    m_cancelled = false;
    m_answered = true;
    reject();
}

void appAddDlg::slotCancel()
{
    m_cancelled = true;
    m_answered = true;
    reject();
}

void appAddDlg::done(int result)
{
    if (!m_answered)
        m_cancelled = true;
    ZPopup::done(result);
}
