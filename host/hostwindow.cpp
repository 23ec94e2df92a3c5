#include "host/hostwindow.h"

#include "data/platformdisplay.h"
#include "data/skinimage.h"
#include "data/skinlint.h"
#include "host/launchnotices.h"
#include "host/phonesystem.h"
#include "host/pluginarea.h"
#include "host/pluginhost.h"
#include "host/skinwatcher.h"
#include "host/softkeybar.h"
#include "host/statusbar.h"
#include "platform/devicepath.h"
#include "platform/phonechannels.h"
#include "platform/phonekeys.h"
#include "platform/qcopbus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSaveFile>
#include <QTimer>

#include <cstdio>

HostWindow::HostWindow(QWidget *parent)
    : QWidget(parent)
    , m_status(new StatusBar(this))
    , m_area(new PluginArea(this))
    , m_keys(new SoftKeyBar(this))
    , m_blank(new QWidget(this))
    , m_phone(new PhoneSystem(this))
    , m_host(new PluginHost(this))
{
    setFixedSize(ScreenWidth, ScreenHeight);
    setWindowTitle(QStringLiteral("Kestrow home screen"));
    setFocusPolicy(Qt::StrongFocus);
    loadWallpaper();

    const QRect area = pluginRect();
    m_status->setGeometry(0, 0, ScreenWidth, StatusBar::Height);
    m_area->setGeometry(area);
    m_keys->setGeometry(0, area.bottom() + 1, ScreenWidth, ScreenHeight - area.bottom() - 1);
    m_keys->setTexts(QStringLiteral("F1 Display"), QStringLiteral("F3 Settings"), QStringLiteral("Esc Quit"));

    // While the display is off the whole screen is dark.
    m_blank->setGeometry(rect());
    m_blank->setAutoFillBackground(true);
    QPalette dark = m_blank->palette();
    dark.setColor(QPalette::Window, Qt::black);
    m_blank->setPalette(dark);
    m_blank->hide();

    connect(m_phone, &PhoneSystem::displayChanged, this, &HostWindow::showDisplay);
    // A launch that did not start says so where the user looks, as well as in the launch log.
    connect(new LaunchNotices(this), &LaunchNotices::notice, m_status, &StatusBar::showNotice);
    connect(m_area, &PluginArea::painted, this, [this] {
        if (m_capturing)
            return;
        // Once the plug-in is gone the area still repaints: the wallpaper, not a frame.
        if (m_host->isRunning())
            Q_EMIT frameShown(++m_framesShown);
        // The bar's levels are read with the frame's, so that both show the same.
        m_status->refreshLevels();
        if (m_captureFile.isEmpty() || m_capturing || m_capturePending)
            return;
        m_capturePending = true;
        QTimer::singleShot(0, this, &HostWindow::capture);
    });
}

HostWindow::~HostWindow()
{
    // The plug-in goes before the widget it paints on.
    m_host->shutdown();
}

void HostWindow::reloadPlugin()
{
    m_phone->requestReload();
    printLint();
}

void HostWindow::reloadPluginAndShow()
{
    m_phone->requestReload();
    // The linter reads every image of the skin: after the reloaded skin's frame, not before it.
    QTimer::singleShot(LintAfterReloadMs, this, &HostWindow::printLint);
}

void HostWindow::showReloadsAtOnce()
{
    // Only listens: the channel counts as registered by the plug-in alone.
    std::optional<QDBusConnection> bus = QCopBus::connection();
    if (bus) {
        bus->connect(QString(), QCopBus::objectPath(QString(PhoneChannels::Plugin)),
            QLatin1String(QCopBus::interfaceName), QLatin1String(QCopBus::signalName), this,
            SLOT(pluginMessage(QDBusMessage)));
    }
}

void HostWindow::pluginMessage(const QDBusMessage &message)
{
    const auto decoded = QCopBus::decode(message);
    if (!decoded || decoded->first != PhoneChannels::Reload)
        return;
    // The plug-in got the same message in the same turn of the event loop and loads on the next
    // one, then paints at its next tick. A frame asked for once that load is through shows the
    // new skin at once: the plug-in answers the focus coming in with one and runs on, as the
    // reload left it. A load the plug-in holds back (at most one a second) shows at its tick.
    QTimer::singleShot(ShowReloadAfterMs, this, [this] { m_host->resume(); });
}

void HostWindow::printLint() const
{
    const QString skin = SkinWatcher::currentSkinFolder();
    if (skin.isEmpty())
        return;
    for (const QString &line : SkinLint::lines(SkinLint::lint(skin)))
        std::fprintf(stderr, "kestrow-host: %s\n", qUtf8Printable(line));
}

void HostWindow::showNotice(const QString &text)
{
    m_status->showNotice(text);
}

QRect HostWindow::pluginRect() const
{
    // The frame leaves room at the bottom for the soft-key bar: its paddings and one line of text.
    const int line = QFontMetrics(font()).height();
    const int height = PhoneScreen::pluginAreaHeight(PlatformDisplay::paddingSum(), line);
    return QRect(0, StatusBar::Height, ScreenWidth, height);
}

bool HostWindow::startPlugin(const QString &libraryPath, QString *message)
{
    return m_host->run(libraryPath, m_area, pluginRect(), message);
}

void HostWindow::stopPlugin()
{
    m_host->unload();
    m_area->update();
}

bool HostWindow::isPluginRunning() const
{
    return m_host->isRunning();
}

void HostWindow::pausePlugin()
{
    m_host->pause();
}

void HostWindow::resumePlugin()
{
    m_host->resume();
}

void HostWindow::loadWallpaper()
{
    const QString wallpaper = PlatformDisplay::wallpaperPath();
    if (wallpaper.isEmpty() || wallpaper.endsWith(QLatin1String(".dcf")))
        return;
    m_wallpaper = SkinImage::scaledTo(SkinImage::load(devicePath(wallpaper)), ScreenWidth, ScreenHeight);
}

void HostWindow::paintEvent(QPaintEvent *event)
{
    // A frame updates a few small rectangles: only those are painted again.
    QPainter painter(this);
    for (const QRect &rect : event->region()) {
        painter.fillRect(rect, Qt::black);
        if (!m_wallpaper.isNull())
            painter.drawImage(rect.topLeft(), m_wallpaper, rect);
    }
}

int HostWindow::phoneKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        return PhoneKeys::Select;
    default:
        break;
    }
    // The phone numbers its special keys from 0x1000, in the same order as the desktop does.
    if (qtKey >= Qt::Key_Escape && qtKey <= 0x0100ffff)
        return qtKey - Qt::Key_Escape + 0x1000;
    return qtKey;
}

void HostWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1:
        m_phone->toggleDisplay();
        return;
    case Qt::Key_F2:
        m_phone->restoreBacklight();
        return;
    case Qt::Key_F3:
        Q_EMIT settingsRequested();
        return;
    case Qt::Key_F5:
        reloadPlugin();
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        break;
    }
    if (m_phone->isDisplayOn())
        m_host->sendKey(phoneKey(event->key()));
}

void HostWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange)
        m_phone->setIdleFocus(isActiveWindow() && !isMinimized());
}

void HostWindow::showDisplay(bool on)
{
    m_blank->setVisible(!on);
    if (on)
        m_blank->lower();
    else
        m_blank->raise();
}

void HostWindow::capture()
{
    m_capturePending = false;
    m_capturing = true;
    const QImage shot = grab().toImage();
    m_capturing = false;
    QSaveFile file(m_captureFile);
    if (!file.open(QIODevice::WriteOnly) || !shot.save(&file, "PNG") || !file.commit())
        std::fprintf(stderr, "kestrow-host: cannot write the capture %s\n", qPrintable(m_captureFile));
}
