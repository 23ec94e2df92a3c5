#pragma once

#include <QObject>

class QCopChannel;

/**
 * The phone's system side of the idle screen: it owns the display and the
 * idle focus, keeps the system channels registered as the phone does, and
 * announces every change on them. A locked desktop session turns the display off.
 */
class PhoneSystem : public QObject
{
    Q_OBJECT

public:
    explicit PhoneSystem(QObject *parent = nullptr);

    bool isDisplayOn() const { return m_displayOn; }
    void setDisplayOn(bool on);
    void toggleDisplay() { setDisplayOn(!m_displayOn); }
    void restoreBacklight();
    void setIdleFocus(bool in);
    /** Asks the running plug-in to read its settings and skin again. */
    void requestReload();

Q_SIGNALS:
    void displayChanged(bool on);

private Q_SLOTS:
    void screenSaverActiveChanged(bool active);

private:
    void watchScreenSaver();

    QCopChannel *m_system = nullptr;
    QCopChannel *m_idleFocus = nullptr;
    bool m_displayOn = true;
    bool m_idleFocusIn = true;
};
