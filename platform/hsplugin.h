#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

/** Types the home-screen host shares with its plug-ins. */
namespace HSFrameworkType {
/** A host event; the value 1 accompanies a key press. */
struct HSEvent {
    int value = 0;
};
enum HSPluginTransState { Unknown = 0, Loaded, Initialized, Started, Stopped };
} // namespace HSFrameworkType

/**
 * What the host hands a plug-in at construction. The widget is handed out
 * once; it outlives the plug-in object.
 */
class HSPluginContext
{
public:
    virtual ~HSPluginContext() = default;
    /** The plug-in's widget on the first call, nullptr afterwards. */
    virtual QWidget *takePluginWidget() = 0;
};

/** The interface every home-screen plug-in implements; the host calls it on its event-loop thread. */
class HSPlugin
{
public:
    virtual ~HSPlugin() = default;
    virtual void initialize() = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual QString getDisplayName() const = 0;
    virtual void handleEvent(HSFrameworkType::HSEvent const &event, int key) = 0;
    virtual QRect getPluginGeometry(QRect const &offered) = 0;
    virtual void focusIn() = 0;
    virtual void focusIn(int reason, QPoint &point) = 0;
    virtual void focusOut(QPoint &point, QString const &reason) = 0;
    virtual QPoint getFocusPoint() const = 0;
    virtual void notifyPluginStateChanged(HSFrameworkType::HSPluginTransState state, QString const &info) = 0;
    virtual void setObscured(bool obscured) = 0;
};

/** The C entry points a plug-in library exports, as the host looks them up. */
extern "C" {
using HSCreateInstanceFn = HSPlugin *(*)(HSPluginContext *);
using HSDestroyInstanceFn = void (*)(HSPlugin *);
using HSIsActivatedFn = bool (*)();
using HSIsUserRemovableFn = bool (*)();
}
