#pragma once

#include "data/skinmodel.h"
#include "platform/hsplugin.h"
#include "platform/resiconreader.h"
#include "render/lunarcalendar.h"
#include "render/skinrenderer.h"

#include <QImage>
#include <QObject>
#include <QPointer>

class QTimer;
class ReloadRequests;
class QWidget;

/**
 * The home-screen plug-in: paints the skin over the wallpaper once a second
 * while the idle screen is shown, pauses while the display is off or the idle
 * screen has lost the focus, walks the dock bar with the navigation keys and
 * reloads its settings and skin on "Reload()".
 */
class MyPluginClass : public QObject, public HSPlugin
{
    Q_OBJECT

public:
    explicit MyPluginClass(HSPluginContext *context);
    ~MyPluginClass() override;

    void initialize() override;
    void start() override;
    void stop() override;
    QString getDisplayName() const override;
    void handleEvent(HSFrameworkType::HSEvent const &event, int key) override;
    QRect getPluginGeometry(QRect const &offered) override;
    void focusIn() override;
    void focusIn(int reason, QPoint &point) override;
    void focusOut(QPoint &point, QString const &reason) override;
    QPoint getFocusPoint() const override;
    void notifyPluginStateChanged(HSFrameworkType::HSPluginTransState state, QString const &info) override;
    void setObscured(bool obscured) override;

    void plugin_init();
    void GetDayOf(tagDate &date, QString &text);

public Q_SLOTS:
    void slotSystemMessage(const QByteArray &message, const QByteArray &data);
    void timerEvent();

protected:
    using QObject::timerEvent;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void listenTo(const QString &channel);
    void moveFocusLeft();
    void moveFocusRight();
    void launchFocusedSlot();

    HSPluginContext *m_context;
    QPointer<QWidget> m_widget;
    bool m_started = false;
    QTimer *m_timer = nullptr;
    const int m_period = 1000;
    ReloadRequests *m_reloads = nullptr;
    RES_ICON_Reader m_icons;
    SkinModel m_model;
    SkinRenderer m_renderer;
    LunarCalendar m_lunar;
    bool m_loaded = false;
    // The focused dock slot, -1 for none; handed to the renderer with each frame.
    int m_focusIndex = -1;
};
