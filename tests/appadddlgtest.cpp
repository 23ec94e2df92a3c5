// The application picker driven by key presses: rows in catalogue order with 24 x 24 icons, the
// picked application of each kind of entry, Add without a row, Back, and a close of its own.

#include "setup/appadddlg.h"
#include "installedlanguage.h"
#include "keyscript.h"
#include "platform/appregistries.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "testsupport.h"

#include <QtTest>

#include <optional>

namespace {

const KeyScript::Finder Picker = KeyScript::window<appAddDlg>();

/**
 * Registries with one application of each kind: installed (type 1, an icon file 48 x 32),
 * preloaded of type 2 with an icon resource, preloaded of type 0 without a directory, and a
 * second preloaded entry that shares the first one's icon. Names are not in sorted order.
 */
class PickerFixture
{
public:
    PickerFixture()
    {
        root.writeFile(QStringLiteral("/app/zh-cn.lng"), "[LNG]\nFT_ADD=Add\nFT_BACK=Back\n");
        language.emplace(root.path(QStringLiteral("/app/zh-cn.lng")));
        root.writeImage(QStringLiteral("/apps/zz/zz.png"), 48, 32, Qt::red);
        root.writeImage(QStringLiteral("/usr/data_resource/icons/phone.png"), 30, 30, Qt::blue);
        root.writeFile(AppRegistries::InstalledDb,
            "[zz-id]\nName = Zulu\nAppType = 1\nDirectory = /apps/zz\nIcon = zz.png\nExecId = zz-exec\n");
        root.writeFile(AppRegistries::UserMenuTree, "[Main]\nItems = desk;phone;desk2\n");
        root.writeFile(AppRegistries::SysRegistry,
            "[desk]\nName = Alpha\nAppType = 2\nBigIcon = phone.png\nExecId = alpha.desktop\nDirectory = "
            "/usr/x\n"
            "[phone]\nName = Mike\nAppType = 0\nBigIcon = nothing.png\nExecId = phone-exec\n"
            "[desk2]\nName = Bravo\nAppType = 2\nBigIcon = phone.png\nExecId = bravo.desktop\n");
    }

    TempDeviceRoot root;
    std::optional<InstalledLanguage> language;
};

bool filled(QWidget *w)
{
    return static_cast<appAddDlg *>(w)->listBox()->count() > 0;
}

/** The picker once its list is filled. */
KeyScript::Finder filledPicker()
{
    return [] {
        QWidget *w = Picker();
        return w && filled(w) ? w : nullptr;
    };
}

} // namespace

class AppAddDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsKeepCatalogueOrder();
    void picks_data();
    void picks();
    void addWithoutRows();
};

void AppAddDlgTest::rowsKeepCatalogueOrder()
{
    PickerFixture fixture;
    appAddDlg picker(QStringLiteral("Dock 1"));
    QCOMPARE(picker.title(), QStringLiteral("Dock 1"));
    // Nothing is read before the timer.
    QCOMPARE(picker.listBox()->count(), 0);
    picker.initList();

    ZListBox *list = picker.listBox();
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->subItem(1, 0);
    QCOMPARE(names, (QStringList { "Zulu", "Alpha", "Mike", "Bravo" }));
    QCOMPARE(list->currentItem(), 0);

    // The 48 x 32 file shows 24 x 24, squeezed; a missing icon leaves the row without one.
    const QImage zulu = list->item(0)->pixmap(0).toImage();
    QCOMPARE(zulu.size(), QSize(24, 24));
    QCOMPARE(zulu.pixelColor(12, 12), QColor(Qt::red));
    QCOMPARE(list->item(1)->pixmap(0).size(), QSize(24, 24));
    QCOMPARE(list->item(1)->pixmap(0).toImage().pixelColor(3, 20), QColor(Qt::blue));
    QVERIFY(list->item(2)->pixmap(0).isNull());
    // Two rows of one icon share one decoded and scaled picture.
    QCOMPARE(list->item(3)->pixmap(0).cacheKey(), list->item(1)->pixmap(0).cacheKey());

    // A second fill starts from an empty list.
    picker.initList();
    QCOMPARE(list->count(), 4);
}

void AppAddDlgTest::picks_data()
{
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("close");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QStringList>("picked"); // exec, type, icon, name

    QTest::newRow("installed: its id and icon file")
        << 0 << int(Qt::Key_F1) << false << QStringList { "zz-id", "1", "/apps/zz/zz.png", "Zulu" };
    QTest::newRow("preloaded type 2: its ExecId, the icon by name")
        << 1 << int(Qt::Key_F1) << false << QStringList { "alpha.desktop", "2", "phone.png", "Alpha" };
    QTest::newRow("preloaded type 0 without a directory: its id")
        << 2 << int(Qt::Key_F1) << false << QStringList { "phone", "0", "nothing.png", "Mike" };
    QTest::newRow("back") << 1 << int(Qt::Key_F2) << true << QStringList { "", "", "", "" };
    QTest::newRow("escape") << 0 << int(Qt::Key_Escape) << true << QStringList { "", "", "", "" };
    // -1: the picker is closed by the window system rather than by a key.
    QTest::newRow("closed by a route of its own") << 1 << -1 << true << QStringList { "", "", "", "" };
}

void AppAddDlgTest::picks()
{
    QFETCH(int, downs);
    QFETCH(int, close);
    QFETCH(bool, cancelled);
    QFETCH(QStringList, picked);
    PickerFixture fixture;

    appAddDlg picker(QStringLiteral("Dock"));
    KeyScript script;
    script.press(
        filledPicker(), std::vector<int>(size_t(downs), Qt::Key_Down), QStringLiteral("the filled list"));
    if (close < 0)
        script.with(
            Picker, [](QWidget *w) { w->close(); }, QStringLiteral("closing"));
    else
        script.press(Picker, { close }, QStringLiteral("closing"));
    script.start();
    picker.exec();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QCOMPARE(picker.isCancelled(), cancelled);
    QCOMPARE(
        (QStringList { picker.pickedExec(), picker.pickedType(), picker.pickedIcon(), picker.pickedName() }),
        picked);
}

void AppAddDlgTest::addWithoutRows()
{
    // No registries at all: an empty list, and Add does nothing until Back.
    TempDeviceRoot root;
    appAddDlg picker(QStringLiteral("Dock"));
    bool stillOpen = false;
    KeyScript script;
    script.press(Picker, { Qt::Key_F1 }, QStringLiteral("the picker"));
    script.with(
        Picker,
        [&stillOpen](QWidget *w) {
            stillOpen = w->isVisible();
            QTest::keyClick(w, Qt::Key_F2);
        },
        QStringLiteral("the picker after Add"));
    script.start();
    picker.exec();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(stillOpen);
    QCOMPARE(picker.listBox()->count(), 0);
    QVERIFY(picker.isCancelled());
    QCOMPARE(picker.pickedExec(), QString());
}

QTEST_MAIN(AppAddDlgTest)
#include "appadddlgtest.moc"
