// The countdown event dialog driven by key presses, and the main window's storing of its result:
// bounds of the number fields, moving between fields, the rule for dates that do not exist, Back,
// and event texts that must come back exactly as typed after the plug-in's reload.

#include "setup/datedlg.h"
#include "data/settingsfile.h"
#include "data/skinloader.h"
#include "data/skinmodel.h"
#include "installedlanguage.h"
#include "keyscript.h"
#include "platform/phonechannels.h"
#include "platform/qcopchannel.h"
#include "platform/widgets/zlineedit.h"
#include "platform/widgets/znummodule.h"
#include "platform/zconfig.h"
#include "setup/appdir.h"
#include "setup/lockui.h"
#include "testsupport.h"

#include <QInputMethodEvent>
#include <QtTest>

#include <optional>

namespace {

const QByteArray Language = "[LNG]\nFT_EVENT=Countdown\nFT_INPUT_DATE=Date\nFT_INPUT_EVENT=Event\n"
                            "FT_ADD=Add\nFT_BACK=Back\n";
const QByteArray Settings = "[Main]\nSkin = plain\n\n[Notify]\nYear = 2030\nMonth = 1\nDay = 1\nInfo = old\n";

const KeyScript::Finder Dialog = KeyScript::window<dateDlg>();

/** A device root with the application's language file, a settings file, a skin that shows the countdown. */
class DateFixture
{
public:
    DateFixture()
    {
        root.writeFile(QStringLiteral("/app/zh-cn.lng"), Language);
        root.writeFile(SettingsFile::Path, Settings);
        root.writeSkin(QStringLiteral("plain"), "[Notify]\nShow = true\n");
        AppDir::setFirstArgument(root.path(QStringLiteral("/app/kestrow-setup")));
        language.emplace(root.path(QStringLiteral("/app/zh-cn.lng")));
    }

    TempDeviceRoot root;
    std::optional<InstalledLanguage> language;
};

/**
 * Listens on the plug-in's channel like the plug-in does and notes, for every "Reload()", the
 * event that the settings file holds at that moment: what a reloading plug-in would read.
 */
class ReloadListener : public QObject
{
public:
    ReloadListener()
    {
        connect(
            &m_channel, &QCopChannel::received, this, [this](const QByteArray &message, const QByteArray &) {
                if (message == PhoneChannels::Reload) {
                    const ZConfig settings(SettingsFile::filePath());
                    m_infos.append(SettingsFile::countdownEvent(settings).info);
                } else if (message == "End()") {
                    m_ended = true;
                }
            });
    }
    /** Waits until a message sent now has come back, so that every earlier one has too. */
    bool drain()
    {
        m_ended = false;
        QCopChannel::send(QString(PhoneChannels::Plugin), QByteArrayLiteral("End()"));
        return QTest::qWaitFor([this] { return m_ended; }, 20000);
    }
    QStringList infos() const { return m_infos; }

private:
    QCopChannel m_channel { QString(PhoneChannels::Plugin) };
    QStringList m_infos;
    bool m_ended = false;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Typed as a person would: letters, digits and signs as key presses, Chinese as the input
// method hands it over, one committed word at a time.
void typeInto(QWidget *field, const QString &text)
{
    QString word;
    const auto commit = [&] {
        if (word.isEmpty())
            return;
        QInputMethodEvent event;
        event.setCommitString(word);
        QCoreApplication::sendEvent(field, &event);
        word.clear();
    };
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            commit();
            QTest::keyClick(field, c.toLatin1());
        } else {
            word += c;
        }
    }
    commit();
}

void typeText(KeyScript &script, const QString &text)
{
    if (text.isEmpty())
        return;
    script.with(
        Dialog, [text](QWidget *w) { typeInto(w->focusWidget(), text); }, QStringLiteral("typing"));
}

} // namespace

class DateDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void opensOnTodayWithEmptyText();
    void keys_data();
    void keys();
    void storedByTheMainWindow_data();
    void storedByTheMainWindow();
};

void DateDlgTest::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && qEnvironmentVariableIsEmpty("KESTROW_REQUIRE_BUS"))
        QSKIP("no session bus (run the suite inside dbus-run-session)");
}

void DateDlgTest::opensOnTodayWithEmptyText()
{
    DateFixture fixture;
    const QDate today = QDate::currentDate();
    for (int opening = 0; opening < 2; ++opening) {
        dateDlg dialog;
        QCOMPARE(dialog.title(), QStringLiteral("Countdown"));
        QCOMPARE(dialog.yearField()->getValue(), today.year());
        QCOMPARE(dialog.monthField()->getValue(), today.month());
        QCOMPARE(dialog.dayField()->getValue(), today.day());
        QCOMPARE(dialog.eventText(), QString());
        QVERIFY(!dialog.isCancelled());
        // Whatever this opening changes, the next one starts afresh.
        dialog.yearField()->setValue(2050);
        dialog.eventField()->setText(QStringLiteral("changed"));
    }
}

void DateDlgTest::keys_data()
{
    QTest::addColumn<QList<int>>("keys"); // pressed in the year field, where the dialog opens
    QTest::addColumn<QString>("text"); // then typed where the focus is
    QTest::addColumn<int>("close");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("cancelled");

    const int Down = Qt::Key_Down;
    const auto digits = [](const char *number) {
        QList<int> keys;
        for (const char *c = number; *c; ++c)
            keys << Qt::Key_0 + (*c - '0');
        return keys;
    };
    const auto fields = [&](const char *year, const char *month, const char *day) {
        return digits(year) + QList<int> { Down } + digits(month) + QList<int> { Down } + digits(day);
    };
    QTest::newRow("lowest year") << fields("1901", "06", "15") << QString() << int(Qt::Key_F1)
                                 << QDate(1901, 6, 15) << false;
    QTest::newRow("highest year") << fields("2100", "12", "31") << QString() << int(Qt::Key_F1)
                                  << QDate(2100, 12, 31) << false;
    QTest::newRow("year below the range")
        << fields("1900", "06", "15") << QString() << int(Qt::Key_F1) << QDate(1901, 6, 15) << false;
    QTest::newRow("year above the range")
        << fields("2101", "06", "15") << QString() << int(Qt::Key_F1) << QDate(2100, 6, 15) << false;
    QTest::newRow("year 0000") << fields("0000", "06", "15") << QString() << int(Qt::Key_F1)
                               << QDate(1901, 6, 15) << false;
    QTest::newRow("left at the lowest year") << digits("1901") + QList<int> { Qt::Key_Left, Down }
            + digits("06") + QList<int> { Down } + digits("15")
                                             << QString() << int(Qt::Key_F1) << QDate(1901, 6, 15) << false;
    QTest::newRow("right at the highest year") << digits("2100") + QList<int> { Qt::Key_Right, Down }
            + digits("06") + QList<int> { Down } + digits("15")
                                               << QString() << int(Qt::Key_F1) << QDate(2100, 6, 15) << false;
    QTest::newRow("left and right step by one")
        << digits("2000") + QList<int> { Qt::Key_Left, Qt::Key_Left, Down } + digits("06")
            + QList<int> { Qt::Key_Right, Down } + digits("15")
        << QString() << int(Qt::Key_F1) << QDate(1998, 7, 15) << false;
    QTest::newRow("month 13 and day 0")
        << fields("2024", "13", "00") << QString() << int(Qt::Key_F1) << QDate(2024, 12, 1) << false;
    QTest::newRow("month 0") << fields("2024", "00", "10") << QString() << int(Qt::Key_F1)
                             << QDate(2024, 1, 10) << false;
    QTest::newRow("31 April is held to the 30th")
        << fields("2024", "04", "31") << QString() << int(Qt::Key_F1) << QDate(2024, 4, 30) << false;
    QTest::newRow("29 February of a common year is held to the 28th")
        << fields("2023", "02", "29") << QString() << int(Qt::Key_F1) << QDate(2023, 2, 28) << false;
    QTest::newRow("31 February of 2100, no leap year")
        << fields("2100", "02", "31") << QString() << int(Qt::Key_F1) << QDate(2100, 2, 28) << false;
    QTest::newRow("29 February of a leap year")
        << fields("2024", "02", "29") << QString() << int(Qt::Key_F1) << QDate(2024, 2, 29) << false;
    QTest::newRow("Up goes back to the month")
        << fields("2024", "03", "09") + QList<int> { Qt::Key_Up } + digits("11") << QString()
        << int(Qt::Key_F1) << QDate(2024, 11, 9) << false;
    QTest::newRow("back") << fields("2024", "03", "09") << QString() << int(Qt::Key_F2) << QDate(2024, 3, 9)
                          << true;
    QTest::newRow("escape") << QList<int>() << QString() << int(Qt::Key_Escape) << QDate::currentDate()
                            << true;
}

void DateDlgTest::keys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, text);
    QFETCH(int, close);
    QFETCH(QDate, date);
    QFETCH(bool, cancelled);
    DateFixture fixture;

    dateDlg dialog;
    KeyScript script;
    script.press(Dialog, std::vector<int>(keys.begin(), keys.end()), QStringLiteral("the dialog"));
    typeText(script, text);
    script.press(Dialog, { close }, QStringLiteral("closing"));
    script.start();
    dialog.exec();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.isCancelled(), cancelled);
    QCOMPARE(dialog.date(), date);
}

void DateDlgTest::storedByTheMainWindow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("close");
    QTest::addColumn<bool>("stored");
    QTest::newRow("confirmed unchanged") << QString() << int(Qt::Key_F1) << true;
    QTest::newRow("Chinese and the file's own characters")
        << QString::fromUtf8("春节 = 回家; #1 [家]\\n") << int(Qt::Key_F1) << true;
    QTest::newRow("spaces at both ends") << QStringLiteral("  two  ") << int(Qt::Key_F1) << true;
    QTest::newRow("back") << QStringLiteral("not kept") << int(Qt::Key_F2) << false;
}

void DateDlgTest::storedByTheMainWindow()
{
    QFETCH(QString, text);
    QFETCH(int, close);
    QFETCH(bool, stored);
    DateFixture fixture;
    ReloadListener listener;
    LockUI ui;

    KeyScript script;
    script.press(Dialog, { Qt::Key_Down, Qt::Key_Down, Qt::Key_Down }, QStringLiteral("the event field"));
    typeText(script, text);
    script.press(Dialog, { close }, QStringLiteral("closing"));
    script.start();
    QMetaObject::invokeMethod(&ui, "slotNote", Qt::DirectConnection);
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(listener.drain());

    if (!stored) {
        QCOMPARE(fileBytes(SettingsFile::filePath()), Settings);
        QCOMPARE(listener.infos(), QStringList());
        return;
    }
    const QDate today = QDate::currentDate();
    const ZConfig settings(SettingsFile::filePath());
    const CountdownEvent event = SettingsFile::countdownEvent(settings);
    QCOMPARE(QDate(int(event.year), int(event.month), int(event.day)), today);
    QCOMPARE(event.info, text);
    // One "Reload()", sent once the file held the new event.
    QCOMPARE(listener.infos(), QStringList { text });
    // The plug-in's loader, as it runs on that message, reads the text back exactly.
    SkinModel model;
    SkinLoader::load(model);
    QVERIFY(model.notify.show);
    QCOMPARE(model.notify.info, text);
    QCOMPARE(model.notify.year, unsigned(today.year()));
}

QTEST_MAIN(DateDlgTest)
#include "datedlgtest.moc"
