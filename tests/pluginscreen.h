#pragma once

#include "host/hostcontext.h"
#include "platform/phonekeys.h"
#include "plugin/MyPlugin.h"
#include "testsupport.h"

#include <QEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>

inline QColor dockIconColour()
{
    return Qt::yellow;
}

/**
 * Writes the skin "default": a dock of `num` (up to 3) 10 x 10 icons at (0, 200), (40, 200) and
 * (80, 200) that grow to 20 x 20 when focused, over `more` lines of skin.cfg.
 */
inline bool writeDockSkin(const TempDeviceRoot &root, bool show, int num, const QByteArray &more = {})
{
    QByteArray cfg
        = more + "\n[DockBar]\nShow=" + (show ? "true" : "false") + "\nNum=" + QByteArray::number(num) + '\n';
    for (int i = 0; i < 3; ++i) {
        const QByteArray n = QByteArray::number(i);
        cfg += "Left" + n + '=' + QByteArray::number(40 * i) + "\nTop" + n + "=200\n";
        cfg += "SizeWidth" + n + "=10\nSizeHeight" + n + "=10\nWidgetWidth" + n + "=20\nWidgetHeight" + n
            + "=20\n";
    }
    return root.writeImage(
               QStringLiteral("/ezxlocal/Kestrow/skin/default/dock.png"), 10, 10, dockIconColour())
        && root.writeSkin(QStringLiteral("default"), cfg);
}

/**
 * A plug-in on the widget a host hands it, seen only from the outside: the
 * frames the plug-in puts on its widget, what the widget shows, and the
 * refresh timer the plug-in keeps on it.
 */
class PluginScreen : public QObject
{
public:
    PluginScreen()
    {
        m_widget.resize(240, 273);
        m_widget.show();
        m_exposed = QTest::qWaitForWindowExposed(&m_widget, 30000);
        m_widget.installEventFilter(this);
        plugin = std::make_unique<MyPluginClass>(&m_context);
    }
    ~PluginScreen() override { plugin.reset(); }

    bool isExposed() const { return m_exposed; }
    QWidget &widget() { return m_widget; }
    /** Frames the plug-in has put on the screen so far. */
    int framesShown() const { return m_frames; }
    /** What the widget shows now; reading it is not counted as a frame. */
    QImage shown()
    {
        m_grabbing = true;
        const QImage image = m_widget.grab().toImage();
        m_grabbing = false;
        return image;
    }
    /** The dock slot shown focused by a skin of dockSkin(), or -1. */
    int focusShown()
    {
        const QImage image = shown();
        for (int slot = 0; slot < 3; ++slot) {
            if (image.pixelColor(40 * slot + 15, 215) == dockIconColour())
                return slot;
        }
        return -1;
    }
    /** A key press as the host hands it over. */
    void press(int key, int value = PhoneKeys::KeyPressEvent)
    {
        HSFrameworkType::HSEvent event;
        event.value = value;
        plugin->handleEvent(event, key);
    }
    QTimer *timer() const { return m_widget.findChild<QTimer *>(); }
    bool timerRunning() const { return timer() && timer()->isActive(); }

    std::unique_ptr<MyPluginClass> plugin;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_widget && event->type() == QEvent::Paint && !m_grabbing)
            ++m_frames;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget m_widget;
    HostContext m_context { &m_widget };
    bool m_exposed = false;
    bool m_grabbing = false;
    int m_frames = 0;
};
