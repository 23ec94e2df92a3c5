#pragma once

#include "data/skinmodel.h"
#include "platform/resiconreader.h"
#include "render/skinrenderer.h"
#include "setup/mybasedlg.h"

#include <QString>

class FrameClock;
class ZSoftKey;

/**
 * The skin preview: one installed skin as the home screen would show it, with
 * the user's wallpaper, countdown event and dock icons, but without the frame
 * cover, the dock focus and the slot names. It loads the skin once and paints
 * a fresh frame whenever the window is painted; Back leaves it. It writes
 * nothing and sends nothing.
 */
class showPreview : public MyBaseDlg
{
    Q_OBJECT

public:
    explicit showPreview(const QString &skinDirName);
    ~showPreview() override;

    QString skinDirName() const { return m_skinDirName; }
    /** The renderer, and through it the frame of the last paint. */
    const SkinRenderer &renderer() const { return m_renderer; }
    /** nullptr: the system clock. For pictures of a fixed moment. */
    void setClock(const FrameClock *clock);

public Q_SLOTS:
    void slotQuit();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void loadSkin();

    QString m_skinDirName;
    SkinModel m_model;
    SkinRenderer m_renderer;
    RES_ICON_Reader m_icons;
    ZSoftKey *m_softKey;
};
