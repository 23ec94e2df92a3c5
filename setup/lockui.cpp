#include "setup/lockui.h"

#include "data/settingsfile.h"
#include "platform/devicepath.h"
#include "platform/homescreenchannel.h"
#include "platform/phonechannels.h"
#include "platform/phonepaths.h"
#include "platform/qcopbus.h"
#include "platform/qcopchannel.h"
#include "platform/toolcommandline.h"
#include "platform/widgets/zglobal.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zmessagedlg.h"
#include "platform/widgets/zoptionsmenu.h"
#include "platform/widgets/zsingleselectdlg.h"
#include "platform/widgets/zsoftkey.h"
#include "platform/zconfig.h"
#include "plugin/tool.h"
#include "setup/appdir.h"
#include "setup/appimage.h"
#include "setup/datedlg.h"
#include "setup/dockdlg.h"
#include "setup/failurenotice.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"
#include "setup/setuplog.h"
#include "setup/shellcommand.h"
#include "setup/skindlg.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QPixmap>

#include <memory>

namespace {

// The About box; multi-line, in both languages, as the phone shows it.
const char Credits[] = "Kestrow 待机桌面皮肤\n"
                       "Kestrow skinnable home screen\n"
                       "\n"
                       "时钟、日历、农历、电量、信号、倒数日和快捷栏，一切由皮肤决定。\n"
                       "Clock, calendar, lunar date, gauges, countdown and dock bar, all drawn by the skin.\n"
                       "\n"
                       "由 Kestrow 开发者制作，以自由软件发布。\n"
                       "Made by the Kestrow developers and shared as free software.";

QString text(const char *key)
{
    return LngTable::text(key);
}

} // namespace

LockUI::LockUI()
    : ZKbMainWidget(3, nullptr, "ui", 1, 0)
{
    m_appDir = AppDir::applicationDirectory();
    m_settings = std::make_unique<ZConfig>(SettingsFile::filePath(), false);

    ZKbMainWidget::setAppTitle(text(LngKeys::AppTitle));
    setTitleIcon(AppImage::load(image(QStringLiteral("title.png"))));
    const QRect content = ZGlobal::getContentR(false);

    m_listBox = new ZListBox(QStringLiteral("%I%M"), this, 0, ZListBox::ClassId);
    m_listBox->enableMarquee(0, true);
    m_listBox->enableMarquee(1, true);
    setContentWidget(m_listBox);
    buildRows();

    SetupLog::line(QStringLiteral("option menu "));
    m_menu = new ZOptionsMenu(content, this, nullptr, 0, 55, 0);
    m_menu->insertItem(text(LngKeys::DockBar), this, &LockUI::slotDock);
    m_menu->insertItem(text(LngKeys::Event), this, &LockUI::slotNote);
    m_menu->insertItem(text(LngKeys::About), this, &LockUI::slotAbout);

    SetupLog::line(QStringLiteral("soft key"));
    m_softKey = new ZSoftKey("CST_2A", this, this);
    setSoftKey(m_softKey);
    m_softKey->setText(ZSoftKey::LEFT, text(LngKeys::Option));
    m_softKey->setOptMenu(ZSoftKey::LEFT, m_menu);
    m_softKey->setText(ZSoftKey::RIGHT, text(LngKeys::Back));
    m_softKey->setClickedSlot(ZSoftKey::RIGHT, this, &LockUI::slotQuit);

    SetupLog::line(QStringLiteral("connect"));
    connect(m_listBox, &ZListBox::selected, this, &LockUI::slotItemClicked);
    // Started or stopped from outside, the plug-in shows on the running row at once.
    QCopBus::watchRegistration(QString(PhoneChannels::Plugin), this, [this] { followRunning(); });
}

LockUI::~LockUI() = default;

QString LockUI::image(const QString &name) const
{
    // The application directory ends in "/", so the path holds "//" as the phone's does.
    return m_appDir + QStringLiteral("/img/") + name;
}

void LockUI::buildRows()
{
    SetupLog::line(QStringLiteral("build list item "));
    for (ZListBoxItem *&row : m_rows) {
        row = new ZListBoxItem(m_listBox);
        m_listBox->insertItem(row, -1);
    }
    m_themeLine = computeThemeLine();
    SetupLog::line(QStringLiteral("after theme info"));

    m_running = QCopChannel::isRegistered(PhoneChannels::Plugin);
    m_autorun = QFileInfo::exists(devicePath(PhonePaths::AutorunScript));
    m_runningText = text(m_running ? LngKeys::RunningOn : LngKeys::RunningOff);
    m_autorunText = text(m_autorun ? LngKeys::AutorunOn : LngKeys::AutorunOff);

    SetupLog::line(QStringLiteral("list box item"));
    const struct {
        QString first;
        QString second;
        QString icon;
    } rows[RowCount] = {
        { text(LngKeys::RunningState), m_runningText,
            m_running ? QStringLiteral("status.png") : QStringLiteral("off.png") },
        { text(LngKeys::AutorunState), m_autorunText,
            m_autorun ? QStringLiteral("autorun.png") : QStringLiteral("off.png") },
        { text(LngKeys::RefreshScreen), text(LngKeys::ForceRefresh), QStringLiteral("refresh.png") },
        { text(LngKeys::ChangeTheme), m_themeLine, QStringLiteral("theme.png") },
    };
    for (int i = 0; i < RowCount; ++i) {
        m_rows[i]->appendSubItem(1, rows[i].first, false);
        m_rows[i]->appendSubItem(1, rows[i].second, false);
        m_rows[i]->setPixmap(0, AppImage::load(image(rows[i].icon)));
    }
}

QString LockUI::computeThemeLine() const
{
    SetupLog::line(QStringLiteral("get theme info"));
    // The window's own settings hold the file as read at start and every write since: one read, so
    // that what is wrong with the file is said once.
    const QString skin = SettingsFile::skin(*m_settings, QString());
    SetupLog::line(QStringLiteral("skin ") + skin);
    const QString path = m_appDir + QStringLiteral("/skin/") + skin + QStringLiteral("/skin.cfg");
    SetupLog::line(QStringLiteral("skin cfg ") + path);
    const ZConfig description(path, false);
    const QString name = description.readEntry(QStringLiteral("General"), QStringLiteral("SkinName"));
    const QString author = description.readEntry(QStringLiteral("General"), QStringLiteral("Author"));
    SetupLog::line(name + author);
    return text(LngKeys::Theme) + name + ctr("；") + text(LngKeys::Author) + author;
}

void LockUI::setRow(Row row, const QString &secondLine, const QString &icon)
{
    m_rows[row]->setSubItem(1, 1, secondLine, false);
    m_rows[row]->setPixmap(0, AppImage::load(image(icon)));
}

void LockUI::slotItemClicked(int row)
{
    SetupLog::line(QStringLiteral("itme cliked %1").arg(row));
    switch (row) {
    case RunningRow:
        toggleRunning();
        break;
    case AutorunRow:
        toggleAutorun();
        break;
    case RefreshRow:
        refresh();
        break;
    case ThemeRow:
        changeTheme();
        break;
    default:
        break;
    }
}

void LockUI::toggleRunning()
{
    // Started or stopped from outside since the row last looked: the row only catches up.
    if (QCopChannel::isRegistered(PhoneChannels::Plugin) != m_running) {
        followRunning();
        return;
    }
    if (m_running) {
        SetupLog::line(QStringLiteral("===== stop"));
        if (!runScript(
                QStringLiteral("/off.sh"), LngKeys::FailStop, QStringLiteral("cannot stop the plug-in")))
            return;
        m_runningText = text(LngKeys::RunningOff);
        setRow(RunningRow, m_runningText, QStringLiteral("off.png"));
    } else {
        SetupLog::line(QStringLiteral("===== start"));
        if (!runScript(
                QStringLiteral("/on.sh"), LngKeys::FailStart, QStringLiteral("cannot start the plug-in")))
            return;
        m_runningText = text(LngKeys::RunningOn);
        setRow(RunningRow, m_runningText, QStringLiteral("status.png"));
    }
    m_running = !m_running;
    slotQuit();
}

void LockUI::followRunning()
{
    const bool running = QCopChannel::isRegistered(PhoneChannels::Plugin);
    if (running == m_running)
        return;
    m_running = running;
    m_runningText = text(running ? LngKeys::RunningOn : LngKeys::RunningOff);
    setRow(RunningRow, m_runningText, running ? QStringLiteral("status.png") : QStringLiteral("off.png"));
}

bool LockUI::runScript(const QString &script, const char *failKey, const QString &what)
{
    const ShellCommand::Outcome outcome = ShellCommand::runChecked(shellQuote(m_appDir + script));
    if (!outcome.ok)
        FailureNotice::show(failKey, what, outcome.reason);
    return outcome.ok;
}

void LockUI::toggleAutorun()
{
    const QString script = shellQuote(devicePath(PhonePaths::AutorunScript));
    if (m_autorun) {
        const ShellCommand::Outcome outcome = ShellCommand::runChecked(QStringLiteral("rm -f ") + script);
        if (!outcome.ok) {
            FailureNotice::show(
                LngKeys::FailAutorunOff, QStringLiteral("cannot remove the autorun script"), outcome.reason);
            return;
        }
        m_autorunText = text(LngKeys::AutorunOff);
        setRow(AutorunRow, m_autorunText, QStringLiteral("off.png"));
    } else {
        const ShellCommand::Outcome outcome = ShellCommand::runChecked(
            QStringLiteral("cp -f ") + shellQuote(m_appDir + QStringLiteral("/load.sh")) + u' ' + script);
        if (!outcome.ok) {
            FailureNotice::show(
                LngKeys::FailAutorunOn, QStringLiteral("cannot install the autorun script"), outcome.reason);
            return;
        }
        m_autorunText = text(LngKeys::AutorunOn);
        setRow(AutorunRow, m_autorunText, QStringLiteral("autorun.png"));
    }
    m_autorun = !m_autorun;
}

void LockUI::refresh()
{
    auto dialog = std::make_unique<ZSingleSelectDlg>(
        text(LngKeys::RefreshScreen), QString(), nullptr, nullptr, true, 0, 0, 0);
    dialog->addItemsList({ text(LngKeys::RefreshWallpaper), text(LngKeys::RebootApp) });
    if (dialog->exec() != 1)
        return;
    const int choice = dialog->getCheckedItemIndex();
    dialog.reset();
    if (choice == 0) {
        // A message nobody listens for reloads nothing: that is no success either.
        if (QCopChannel::isRegistered(PhoneChannels::Plugin) && PhoneChannels::sendReload())
            SetupLog::line(QStringLiteral("===== channel ok"));
        else
            FailureNotice::show(LngKeys::FailReload, QStringLiteral("cannot reload the plug-in"),
                QStringLiteral("nothing listens on %1").arg(QLatin1String(PhoneChannels::Plugin)));
    } else if (choice == 1) {
        // Only the home screen of this device root restarts; whatever started it starts it again.
        if (!QCopChannel::isRegistered(HomeScreenChannel::name())
            || !QCopChannel::send(HomeScreenChannel::name(), HomeScreenChannel::Restart)) {
            FailureNotice::show(LngKeys::FailRestart, QStringLiteral("cannot restart the home screen"),
                QStringLiteral("nothing listens on %1").arg(HomeScreenChannel::name()));
            return;
        }
        slotQuit();
    }
}

void LockUI::changeTheme()
{
    const SkinChoice choice = chooseSkin();
    SetupLog::line(QStringLiteral("str ") + choice.name);
    // A chooser closed by a route of its own names no skin: that is no choice either.
    if (choice.cancelled || choice.name.isEmpty())
        return;
    storeAndReload([&choice](ZConfig &settings) { return SettingsFile::writeSkin(settings, choice.name); },
        LngKeys::FailSkin, QStringLiteral("cannot store the skin"),
        [this] {
            m_themeLine = computeThemeLine();
            m_rows[ThemeRow]->setSubItem(1, 1, m_themeLine, false);
        });
}

LockUI::SkinChoice LockUI::chooseSkin()
{
    auto chooser = std::make_unique<skinDlg>();
    chooser->exec();
    return SkinChoice { chooser->chosenSkin(), chooser->isCancelled() };
}

bool LockUI::storeAndReload(const std::function<bool(ZConfig &)> &write, const char *failKey,
    const QString &what, const std::function<void()> &afterFlush)
{
    const bool written = write(*m_settings);
    if (!m_settings->flush() || !written) {
        const QString reason = m_settings->errorString();
        // Writes that did not reach the file must not ride along with a later one.
        m_settings = std::make_unique<ZConfig>(SettingsFile::filePath(), false);
        FailureNotice::show(failKey, what, reason);
        return false;
    }
    if (afterFlush)
        afterFlush();
    PhoneChannels::sendReload();
    return true;
}

void LockUI::slotAbout()
{
    auto box = std::make_unique<ZMessageDlg>(
        text(LngKeys::About), ctr(Credits), 2, 0, nullptr, nullptr, true, 0, 0);
    box->exec();
}

void LockUI::slotQuit()
{
    QCoreApplication::quit();
}

void LockUI::slotNote()
{
    CountdownEvent event;
    bool cancelled = true;
    {
        const auto dialog = std::make_unique<dateDlg>();
        dialog->exec();
        const QDate date = dialog->date();
        event = { unsigned(date.year()), unsigned(date.month()), unsigned(date.day()), dialog->eventText() };
        cancelled = dialog->isCancelled();
    }
    if (cancelled)
        return;
    storeAndReload([&event](ZConfig &settings) { return SettingsFile::writeCountdownEvent(settings, event); },
        LngKeys::FailEvent, QStringLiteral("cannot store the countdown event"));
}

void LockUI::slotDock()
{
    const auto editor = std::make_unique<dockDlg>();
    editor->exec();
}
