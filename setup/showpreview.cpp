#include "setup/showpreview.h"

#include "data/skinloader.h"
#include "platform/widgets/zsoftkey.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"
#include "setup/setuplog.h"
#include "setup/skinentry.h"

#include <QPainter>

showPreview::showPreview(const QString &skinDirName)
    : m_skinDirName(skinDirName)
    , m_renderer(m_model, FrameComposition::Preview)
    , m_softKey(nullptr)
{
    SetupLog::line(QStringLiteral("====== mSkinDir ") + skinDirName + QStringLiteral("======="));
    setMainWidgetTitle(LngTable::text(LngKeys::ThemePreview));
    loadSkin();
    // The language table may translate the countdown's two texts; without an entry they stay.
    m_renderer.setNotifyFormatTranslator(
        [](const QString &format) { return LngTable::text(format.toUtf8().constData()); });

    m_softKey = new ZSoftKey("", this, this);
    m_softKey->setText(ZSoftKey::RIGHT, LngTable::text(LngKeys::Back));
    m_softKey->setClickedSlot(ZSoftKey::LEFT, this, &showPreview::slotQuit);
    m_softKey->setClickedSlot(ZSoftKey::RIGHT, this, &showPreview::slotQuit);
}

showPreview::~showPreview() = default;

void showPreview::loadSkin()
{
    // The skin root, the name and a final slash; the doubled slash is the phone's own.
    const QString dir = QStringLiteral("%1/%2/").arg(QString(SkinEntry::Root), m_skinDirName);
    SetupLog::line(QStringLiteral("======= skin cfg ") + dir + QStringLiteral("skin.cfg======="));
    SkinLoadOptions options = SkinLoadOptions::preview(m_skinDirName);
    options.iconReader = &m_icons;
    SkinLoader::load(m_model, options);
}

void showPreview::setClock(const FrameClock *clock)
{
    m_renderer.setClock(clock);
    update();
}

void showPreview::slotQuit()
{
    reject();
}

void showPreview::paintEvent(QPaintEvent *event)
{
    const QImage &frame = m_renderer.paintFrame();
    {
        QPainter p(this);
        p.drawImage(QPoint(0, 0), frame);
    }
    MyBaseDlg::paintEvent(event);
}
