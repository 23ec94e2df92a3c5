#pragma once

#include "platform/phonescreen.h"

#include <QImage>
#include <QString>
#include <QWidget>

class PhoneSystem;
class QDBusMessage;
class PluginArea;
class PluginHost;
class SoftKeyBar;
class StatusBar;

/**
 * The phone's idle screen in a 240 x 320 window: the wallpaper, the status bar,
 * the plug-in's area below it and the soft-key bar at the bottom. Keys go to
 * the plug-in; F1 switches the display off and on, F2 restores the backlight,
 * F5 asks the plug-in to reload, F3 opens the settings application.
 */
class HostWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ScreenWidth = PhoneScreen::Width;
    static constexpr int ScreenHeight = PhoneScreen::Height;
    /** From the plug-in's "Reload()" to asking it for a frame of the reloaded skin. */
    static constexpr int ShowReloadAfterMs = 20;
    /** From a watched save's "Reload()" to the linter's findings. */
    static constexpr int LintAfterReloadMs = 100;

    explicit HostWindow(QWidget *parent = nullptr);
    ~HostWindow() override;

    /** Loads and starts the plug-in; false with a message when it does not run. */
    bool startPlugin(const QString &libraryPath, QString *message);
    /** Destroys the plug-in and unloads its library: the wallpaper alone remains. */
    void stopPlugin();
    bool isPluginRunning() const;
    /** The plug-in loses the focus while another application is in front, and gets it back. */
    void pausePlugin();
    void resumePlugin();
    /**
     * Asks the plug-in to read its settings and skin again ("Reload()", as F5 does) and puts the
     * skin linter's findings for the skin in use on standard error.
     */
    void reloadPlugin();
    /** As reloadPlugin(), with the linter's findings a little later, after the new skin's frame. */
    void reloadPluginAndShow();
    /**
     * From now on, whenever the plug-in is asked to reload, the window shows the reloaded skin
     * once the plug-in has loaded it, not only at its next tick (up to a second later): a skin
     * author sees each save.
     */
    void showReloadsAtOnce();
    /** After every frame, the whole window is saved to this PNG file (atomically replaced). */
    void setCaptureFile(const QString &path) { m_captureFile = path; }
    /** A short notice on the status line, where the user looks. */
    void showNotice(const QString &text);
    /** The plug-in's area, in window coordinates. */
    QRect pluginRect() const;

    /** Frames of the plug-in that reached the screen so far. */
    int framesShown() const { return m_framesShown; }

    /** The phone's code for a desktop key: the arrows and Return as the phone numbers them. */
    static int phoneKey(int qtKey);

Q_SIGNALS:
    void frameShown(int count);
    /** The user asked for the settings application (F3). */
    void settingsRequested();

private Q_SLOTS:
    void pluginMessage(const QDBusMessage &message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void loadWallpaper();
    /** The skin linter's findings for the skin in use, on standard error. */
    void printLint() const;
    void capture();
    void showDisplay(bool on);

    QImage m_wallpaper;
    StatusBar *m_status;
    PluginArea *m_area;
    SoftKeyBar *m_keys;
    QWidget *m_blank;
    PhoneSystem *m_phone;
    PluginHost *m_host;
    QString m_captureFile;
    bool m_capturing = false;
    bool m_capturePending = false;
    int m_framesShown = 0;
};
