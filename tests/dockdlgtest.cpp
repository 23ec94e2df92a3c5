// The dock bar editor driven by key presses, with the application picker inside it: the ten rows,
// an edit of the first and the last slot, Back in the picker, and two edits in one visit, each
// written and flushed before its "Reload()" reaches a listener on the plug-in's channel.

#include "setup/dockdlg.h"
#include "data/settingsfile.h"
#include "installedlanguage.h"
#include "keyscript.h"
#include "platform/appregistries.h"
#include "platform/phonechannels.h"
#include "platform/qcopchannel.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/zconfig.h"
#include "setup/appadddlg.h"
#include "setup/appdir.h"
#include "setup/lockui.h"
#include "testsupport.h"

#include <QtTest>

#include <optional>

namespace {

const QByteArray Settings
    = "[Main]\nSkin = plain\n\n[DockBar]\nIcon0 = old0.png\nType0 = 0\nExec0 = old0\nName0 = Old0\n"
      "Exec5 = keep5\nName5 = Keep5\nIcon9 = old9.png\nExec9 = old9\n";

const KeyScript::Finder Editor = KeyScript::window<dockDlg>();
const KeyScript::Finder Picker = KeyScript::window<appAddDlg>();

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

KeyScript::Finder filledPicker()
{
    return [] {
        QWidget *w = Picker();
        return w && static_cast<appAddDlg *>(w)->listBox()->count() > 0 ? w : nullptr;
    };
}

/** Two applications to pick: an installed one (row 0 of the picker) and a desktop one (row 1). */
class DockFixture
{
public:
    DockFixture()
    {
        root.writeFile(QStringLiteral("/app/zh-cn.lng"),
            "[LNG]\nFT_DOCKBAR=Dock:\nFT_1=one\nFT_2=two\nFT_10=ten\nFT_ADD=Add\nFT_BACK=Back\n");
        root.writeImage(QStringLiteral("/app/img/dock.png"), 16, 16, Qt::green);
        root.writeFile(SettingsFile::Path, Settings);
        root.writeImage(QStringLiteral("/ezxlocal/Kestrow/img/kestrow.png"), 32, 32, Qt::yellow);
        root.writeFile(AppRegistries::InstalledDb,
            "[kestrow-setup]\nName = Kestrow\nAppType = 1\n"
            "Directory = /ezxlocal/Kestrow\nIcon = img/kestrow.png\n"
            "ExecId = kestrow-setup\n");
        root.writeFile(AppRegistries::UserMenuTree, "[Utility]\nItems = edit.desktop\n");
        root.writeFile(AppRegistries::SysRegistry,
            "[edit.desktop]\nName = Editor\nAppType = 2\nBigIcon = editor\nExecId = edit.desktop\n");
        AppDir::setFirstArgument(root.path(QStringLiteral("/app/kestrow-setup")));
        language.emplace(root.path(QStringLiteral("/app/zh-cn.lng")));
    }

    TempDeviceRoot root;
    std::optional<InstalledLanguage> language;
};

/** For every "Reload()" on the plug-in's channel: the Exec keys of all ten slots in the file at that moment.
 */
class ReloadListener : public QObject
{
public:
    ReloadListener()
    {
        connect(
            &m_channel, &QCopChannel::received, this, [this](const QByteArray &message, const QByteArray &) {
                if (message == PhoneChannels::Reload)
                    m_seen.append(slots(QStringLiteral("Exec%1")));
                else if (message == "End()")
                    m_ended = true;
            });
    }
    bool drain()
    {
        m_ended = false;
        QCopChannel::send(QString(PhoneChannels::Plugin), QByteArrayLiteral("End()"));
        return QTest::qWaitFor([this] { return m_ended; }, 20000);
    }
    QList<QStringList> seen() const { return m_seen; }

    static QStringList slots(const QString &pattern)
    {
        const ZConfig settings(SettingsFile::filePath());
        QStringList values;
        for (int i = 0; i < 10; ++i)
            values << settings.readEntry(
                QString(SettingsFile::DockGroup), pattern.arg(i), QStringLiteral("-"));
        return values;
    }

private:
    QCopChannel m_channel { QString(PhoneChannels::Plugin) };
    QList<QStringList> m_seen;
    bool m_ended = false;
};

/** Opens the row's picker, picks its row `pick` (or leaves with `close`), back in the editor. */
void editSlot(KeyScript &script, int row, int pick, int close = Qt::Key_F1)
{
    std::vector<int> toRow(size_t(row), Qt::Key_Down);
    toRow.push_back(Qt::Key_Return);
    script.with(
        Editor, [](QWidget *w) { static_cast<dockDlg *>(w)->listBox()->setCurrentItem(0); },
        QStringLiteral("the editor"));
    script.press(Editor, toRow, QStringLiteral("the editor's row"));
    std::vector<int> keys(size_t(pick), Qt::Key_Down);
    keys.push_back(close);
    script.press(filledPicker(), keys, QStringLiteral("the picker"));
}

} // namespace

class DockDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rows();
    void edits_data();
    void edits();
    void fromTheMainWindow();
};

void DockDlgTest::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && qEnvironmentVariableIsEmpty("KESTROW_REQUIRE_BUS"))
        QSKIP("no session bus (run the suite inside dbus-run-session)");
}

void DockDlgTest::rows()
{
    DockFixture fixture;
    dockDlg editor;
    QCOMPARE(editor.title(), QStringLiteral("Dock:"));
    ZListBox *list = editor.listBox();
    QCOMPARE(list->count(), 10);
    QCOMPARE(list->item(0)->subItem(1, 0), QStringLiteral("Dock:one"));
    QCOMPARE(list->item(1)->subItem(1, 0), QStringLiteral("Dock:two"));
    QCOMPARE(list->item(2)->subItem(1, 0), QStringLiteral("Dock:FT_3"));
    QCOMPARE(list->item(9)->subItem(1, 0), QStringLiteral("Dock:ten"));
    QCOMPARE(list->item(9)->pixmap(0).toImage().pixelColor(8, 8), QColor(Qt::green));
}

void DockDlgTest::edits_data()
{
    QTest::addColumn<QList<int>>("edits"); // editor row, picker row; -1 as picker row: Back in the picker
    QTest::addColumn<QStringList>("execs"); // Exec0 .. Exec9 afterwards
    QTest::addColumn<QList<QStringList>>("reloads"); // Exec0 .. Exec9 when each "Reload()" arrived

    const QStringList before { "old0", "-", "-", "-", "-", "keep5", "-", "-", "-", "old9" };
    QStringList first = before;
    first[0] = QStringLiteral("kestrow-setup");
    QStringList last = before;
    last[9] = QStringLiteral("edit.desktop");
    QStringList both = first;
    both[9] = QStringLiteral("edit.desktop");
    QTest::newRow("first row, installed application")
        << QList<int> { 0, 0 } << first << QList<QStringList> { first };
    QTest::newRow("last row, desktop application")
        << QList<int> { 9, 1 } << last << QList<QStringList> { last };
    QTest::newRow("back in the picker") << QList<int> { 9, -1 } << before << QList<QStringList>();
    QTest::newRow("two edits in one visit")
        << QList<int> { 0, 0, 9, 1 } << both << QList<QStringList> { first, both };
}

void DockDlgTest::edits()
{
    QFETCH(QList<int>, edits);
    QFETCH(QStringList, execs);
    QFETCH(QList<QStringList>, reloads);
    DockFixture fixture;
    ReloadListener listener;
    const QStringList namesBefore = ReloadListener::slots(QStringLiteral("Name%1"));

    dockDlg editor;
    KeyScript script;
    for (int i = 0; i + 1 < edits.size(); i += 2) {
        if (edits[i + 1] < 0)
            editSlot(script, edits[i], 0, Qt::Key_F2);
        else
            editSlot(script, edits[i], edits[i + 1]);
    }
    // The editor stays open after every edit, until Back.
    script.press(Editor, { Qt::Key_F2 }, QStringLiteral("the editor after the edits"));
    script.start();
    editor.exec();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(listener.drain());

    QCOMPARE(ReloadListener::slots(QStringLiteral("Exec%1")), execs);
    QCOMPARE(listener.seen(), reloads);
    // The four keys of each edited slot, and nothing of the others.
    const QStringList names = ReloadListener::slots(QStringLiteral("Name%1"));
    const QStringList icons = ReloadListener::slots(QStringLiteral("Icon%1"));
    const QStringList types = ReloadListener::slots(QStringLiteral("Type%1"));
    for (int slot = 0; slot < 10; ++slot) {
        if (execs[slot] == QLatin1String("kestrow-setup")) {
            QCOMPARE(names[slot], QStringLiteral("Kestrow"));
            QCOMPARE(icons[slot], QStringLiteral("/ezxlocal/Kestrow/img/kestrow.png"));
            QCOMPARE(types[slot], QStringLiteral("1"));
        } else if (execs[slot] == QLatin1String("edit.desktop")) {
            QCOMPARE(names[slot], QStringLiteral("Editor"));
            QCOMPARE(icons[slot], QStringLiteral("editor"));
            QCOMPARE(types[slot], QStringLiteral("2"));
        } else {
            QCOMPARE(names[slot], namesBefore[slot]);
        }
    }
    if (reloads.isEmpty())
        QCOMPARE(fileBytes(SettingsFile::filePath()), Settings);
    // The rows show their labels only, as before.
    QCOMPARE(editor.listBox()->item(0)->subItem(1, 0), QStringLiteral("Dock:one"));
    QCOMPARE(editor.listBox()->item(0)->subItemCount(1), 1);
}

void DockDlgTest::fromTheMainWindow()
{
    DockFixture fixture;
    ReloadListener listener;
    LockUI ui;
    KeyScript script;
    editSlot(script, 9, 1);
    script.press(Editor, { Qt::Key_F2 }, QStringLiteral("the editor"));
    script.start();
    QMetaObject::invokeMethod(&ui, "slotDock", Qt::DirectConnection);
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(listener.drain());
    QCOMPARE(ReloadListener::slots(QStringLiteral("Exec%1")).at(9), QStringLiteral("edit.desktop"));
    QCOMPARE(listener.seen().size(), 1);
}

QTEST_MAIN(DockDlgTest)
#include "dockdlgtest.moc"
