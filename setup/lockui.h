#pragma once

#include "platform/widgets/zkbmainwidget.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class ZConfig;
class ZListBox;
class ZListBoxItem;
class ZOptionsMenu;
class ZSoftKey;

/**
 * The settings application's main window: four rows that show and change the
 * state of the home screen. The running row starts or stops the plug-in, the
 * autorun row installs or removes its start-up script, the refresh row reloads
 * the plug-in or restarts the home screen, the theme row chooses the skin. The
 * left soft key opens the options menu (dock bar, countdown, About), the right
 * one quits.
 *
 * Every change to the settings file is written, flushed and only then
 * announced to the plug-in with "Reload()". A change the file does not hold,
 * or a script or message that fails, is shown to the user, leaves the row as
 * it was and announces nothing.
 */
class LockUI : public ZKbMainWidget
{
    Q_OBJECT

public:
    enum Row { RunningRow = 0, AutorunRow = 1, RefreshRow = 2, ThemeRow = 3, RowCount = 4 };

    LockUI();
    ~LockUI() override;

    ZListBox *listBox() const { return m_listBox; }
    ZOptionsMenu *optionsMenu() const { return m_menu; }
    bool isRunning() const { return m_running; }
    bool isAutorunOn() const { return m_autorun; }
    QString themeLine() const { return m_themeLine; }

protected:
    /** What the skin chooser returned: a skin folder name, or a cancellation. */
    struct SkinChoice {
        QString name;
        bool cancelled = true;
    };
    /** Runs the skin chooser modally and returns its choice. */
    virtual SkinChoice chooseSkin();

private Q_SLOTS:
    void slotItemClicked(int row);
    void slotAbout();
    void slotQuit();
    void slotNote();
    void slotDock();

private:
    void buildRows();
    QString computeThemeLine() const;
    QString image(const QString &name) const;
    void setRow(Row row, const QString &secondLine, const QString &icon);

    void toggleRunning();
    /** Shows on the running row whether the plug-in's channel is registered now. */
    void followRunning();
    void toggleAutorun();
    void refresh();
    void changeTheme();

    /**
     * Writes through the settings file, flushes it, then sends "Reload()" to the plug-in. When the
     * file does not hold the values, says so (the text of failKey, what on standard error) instead.
     */
    bool storeAndReload(const std::function<bool(ZConfig &)> &write, const char *failKey, const QString &what,
        const std::function<void()> &afterFlush = {});
    /** Runs one of the application's scripts; false (and the failure shown) unless it succeeded. */
    bool runScript(const QString &script, const char *failKey, const QString &what);

    ZListBox *m_listBox = nullptr;
    std::array<ZListBoxItem *, RowCount> m_rows {};
    ZSoftKey *m_softKey = nullptr;
    ZOptionsMenu *m_menu = nullptr;
    std::unique_ptr<ZConfig> m_settings;
    QString m_appDir;
    bool m_running = false;
    bool m_autorun = false;
    QString m_runningText;
    QString m_autorunText;
    QString m_themeLine;
};
