#include "platform/widgets/zglobal.h"
#include "platform/widgets/zkbmainwidget.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zmessagedlg.h"
#include "platform/widgets/zoptionsmenu.h"
#include "platform/widgets/zpopup.h"
#include "platform/widgets/zsettingitem.h"
#include "platform/widgets/zsingleselectdlg.h"
#include "platform/widgets/zsoftkey.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <memory>

using Keys = QList<int>;

namespace {

ZListBox *addList(QWidget *parent, const QStringList &rows)
{
    auto *list = new ZListBox(QStringLiteral("%I%M"), parent, 0, 40);
    for (const QString &text : rows) {
        auto row = std::make_unique<ZListBoxItem>(list);
        row->appendSubItem(1, text);
        list->insertItem(std::move(row));
    }
    return list;
}

/** Where a key pressed now goes: the focus widget of the window, or the window. */
QWidget *keyTarget(QWidget *window)
{
    QWidget *focus = window->focusWidget();
    return focus ? focus : window;
}

void press(QWidget *window, const Keys &keys)
{
    for (int key : keys)
        QTest::keyClick(keyTarget(window), Qt::Key(key));
}

/**
 * Runs the popup's exec() and presses the keys once it is the active window. A popup the
 * keys leave open is closed with -99, so a fault fails instead of hanging.
 */
int execWithKeys(QDialog &dialog, const Keys &keys)
{
    QTimer::singleShot(0, &dialog, [&dialog, keys] {
        QVERIFY(QTest::qWaitFor([&dialog] { return dialog.isActiveWindow(); }));
        press(&dialog, keys);
        if (dialog.isVisible())
            dialog.done(-99);
    });
    return dialog.exec();
}

/** A main window like the settings application's: a list, an options menu and two soft keys. */
struct MainWindow {
    ZKbMainWidget window { 3, nullptr, "ui", 1, 0 };
    ZListBox *list
        = addList(&window, { QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three") });
    ZOptionsMenu *menu = new ZOptionsMenu(ZGlobal::getContentR(false), &window, nullptr, 0, 55, 0);
    ZSoftKey *keys = new ZSoftKey("CST_2A", &window, &window);
    QStringList calls;

    MainWindow()
    {
        window.setContentWidget(list);
        for (const QString &name :
            { QStringLiteral("dock"), QStringLiteral("note"), QStringLiteral("about") })
            menu->insertItem(name, &window, [this, name] { calls << name; });
        keys->setText(ZSoftKey::LEFT, QStringLiteral("Options"));
        keys->setText(ZSoftKey::RIGHT, QStringLiteral("Back"));
        keys->setOptMenu(ZSoftKey::LEFT, menu);
        keys->setClickedSlot(ZSoftKey::RIGHT, &window, [this] { calls << QStringLiteral("right"); });
        QObject::connect(
            list, &ZListBox::selected, &window, [this](int row) { calls << QString::number(row); });
    }
};

} // namespace

class ZWidgetsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listRows();
    void mainWindowKeys_data();
    void mainWindowKeys();
    void popupKeys_data();
    void popupKeys();
    void nestedWindows();
};

// Sorting keeps the same row current, and so does a row inserted above it.
void ZWidgetsTest::listRows()
{
    ZListBox list(QStringLiteral("%I%M"));
    for (const char *text : { "pear", "apple", "fig" }) {
        auto row = std::make_unique<ZSettingItem>(&list);
        row->appendSubItem(1, QString::fromLatin1(text), false, 0);
        list.insertItem(std::move(row));
    }
    const auto texts = [&list] {
        QStringList out;
        for (int i = 0; i < list.count(); ++i)
            out << list.item(i)->subItem(1, 0);
        return out + QStringList { list.item(list.currentItem())->subItem(1, 0) };
    };
    list.setCurrentItem(2);
    list.sort(true);
    QCOMPARE(texts(), (QStringList { "apple", "fig", "pear", "fig" }));
    list.sort(false);
    QCOMPARE(texts(), (QStringList { "pear", "fig", "apple", "fig" }));
    list.insertItem(std::make_unique<ZListBoxItem>(&list), 0)->appendSubItem(1, QStringLiteral("top"));
    QCOMPARE(texts(), (QStringList { "top", "pear", "fig", "apple", "fig" }));
}

// The settings application's main window: which keys reach which action.
void ZWidgetsTest::mainWindowKeys_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("return selects the current row")
        << Keys { Qt::Key_Down, Qt::Key_Return } << QStringList { "1" };
    QTest::newRow("up stays on the first row, enter selects")
        << Keys { Qt::Key_Up, Qt::Key_Enter } << QStringList { "0" };
    QTest::newRow("down stays on the last row") << Keys { Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
        Qt::Key_Up, Qt::Key_Return } << QStringList { "1" };
    QTest::newRow("escape is the right soft key") << Keys { Qt::Key_Escape } << QStringList { "right" };
    QTest::newRow("menu: return runs the first entry")
        << Keys { Qt::Key_F1, Qt::Key_Return } << QStringList { "dock" };
    QTest::newRow("menu: down, return runs the second entry")
        << Keys { Qt::Key_F1, Qt::Key_Down, Qt::Key_Return } << QStringList { "note" };
    QTest::newRow("menu: F1 runs the entry, down stays on the last") << Keys { Qt::Key_F1, Qt::Key_Up,
        Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_F1 } << QStringList { "about" };
    QTest::newRow("menu: escape closes it") << Keys { Qt::Key_F1, Qt::Key_Escape } << QStringList {};
    QTest::newRow("menu: F2 closes it, keys stay in the open menu")
        << Keys { Qt::Key_F1, Qt::Key_Down, Qt::Key_F2, Qt::Key_Return } << QStringList { "0" };
}

void ZWidgetsTest::mainWindowKeys()
{
    QFETCH(Keys, keys);
    QFETCH(QStringList, calls);

    MainWindow main;
    main.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&main.window));
    QCOMPARE(main.window.focusWidget(), main.list);
    press(&main.window, keys);
    QCOMPARE(main.calls, calls);
    QVERIFY(!main.menu->isVisible());
    QCOMPARE(main.window.focusWidget(), main.list);
}

// A choice of two (type -1) or a message of a type; the keys, then what exec() returns and the choice.
void ZWidgetsTest::popupKeys_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("checked");

    QTest::newRow("choice: return accepts the first") << -1 << Keys { Qt::Key_Return } << 1 << 0;
    QTest::newRow("choice: down past the end, enter")
        << -1 << Keys { Qt::Key_Down, Qt::Key_Down, Qt::Key_Enter } << 1 << 1;
    QTest::newRow("choice: down, up, F1") << -1 << Keys { Qt::Key_Down, Qt::Key_Up, Qt::Key_F1 } << 1 << 0;
    QTest::newRow("choice: F2 cancels") << -1 << Keys { Qt::Key_Down, Qt::Key_F2 } << 0 << 1;
    QTest::newRow("choice: escape cancels") << -1 << Keys { Qt::Key_Escape } << 0 << 0;
    QTest::newRow("question: return says yes")
        << 1 << Keys { Qt::Key_Down, Qt::Key_Up, Qt::Key_Return } << 1 << 0;
    QTest::newRow("question: F2 says no") << 1 << Keys { Qt::Key_F2 } << 0 << 0;
    QTest::newRow("question: escape says no") << 1 << Keys { Qt::Key_Escape } << 0 << 0;
    QTest::newRow("information: enter closes") << 2 << Keys { Qt::Key_Enter } << 1 << 0;
    QTest::newRow("notice: escape closes") << 0 << Keys { Qt::Key_Escape } << 0 << 0;
}

void ZWidgetsTest::popupKeys()
{
    QFETCH(int, type);
    QFETCH(Keys, keys);
    QFETCH(int, result);
    QFETCH(int, checked);
    if (type >= 0) {
        ZMessageDlg dialog(
            QStringLiteral("Theme"), QStringLiteral("Use it?"), type, 0, nullptr, nullptr, true, 0, 0);
        QCOMPARE(execWithKeys(dialog, keys), result);
        return;
    }
    ZSingleSelectDlg dialog(QStringLiteral("Refresh"), QString(), nullptr, nullptr, true, 0, 0, 0);
    dialog.addItemsList({ QStringLiteral("Reload"), QStringLiteral("Restart") });
    QCOMPARE(execWithKeys(dialog, keys), result);
    QCOMPARE(dialog.getCheckedItemIndex(), checked);
}

// A popup over the main window opens a question over itself, then a full-screen window and waits for it,
// as the skin chooser's preview; each gets its keys, and the focus returns to the window beneath.
void ZWidgetsTest::nestedWindows()
{
    MainWindow main;
    main.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&main.window));
    ZPopup popup(0, nullptr, nullptr, true, 0, 0, 0);
    ZListBox *list = addList(&popup, { QStringLiteral("preview"), QStringLiteral("question") });
    popup.insertChild(list);
    popup.softKey()->setClickedSlot(ZSoftKey::RIGHT, &popup, &QDialog::reject);
    QStringList seen;
    connect(list, &ZListBox::selected, &popup, [&](int row) {
        QVERIFY(popup.isActiveWindow());
        if (row == 1) {
            ZMessageDlg question(QStringLiteral("Sure?"), QStringLiteral("Really?"), 1, 0);
            seen << QStringLiteral("question %1").arg(execWithKeys(question, { Qt::Key_Escape }));
        } else {
            ZKbMainWidget preview;
            auto *keys = new ZSoftKey("", &preview, &preview);
            QCOMPARE(preview.softKey(), keys);
            QEventLoop loop;
            keys->setClickedSlot(ZSoftKey::RIGHT, &preview, [&] {
                seen << QStringLiteral("preview closed");
                preview.hide();
                loop.quit();
            });
            preview.show();
            QTimer::singleShot(0, &preview, [&] {
                QVERIFY(QTest::qWaitFor([&] { return preview.isActiveWindow(); }));
                // Through the window system, which holds back keys from windows a modal popup blocks.
                QTest::keyClick(preview.windowHandle(), Qt::Key_F2);
                loop.quit();
            });
            loop.exec();
        }
        if (QTest::qWaitFor([&] { return popup.isActiveWindow() && popup.focusWidget() == list; }))
            seen << QStringLiteral("popup");
    });
    QTimer::singleShot(0, &popup, [&] {
        QVERIFY(QTest::qWaitFor([&] { return popup.isActiveWindow(); }));
        press(&popup, { Qt::Key_Down, Qt::Key_Return, Qt::Key_Up, Qt::Key_Return });
        QTest::keyClick(popup.windowHandle(), Qt::Key_Escape);
        if (popup.isVisible())
            popup.done(-99);
    });
    QCOMPARE(popup.exec(), 0);
    QCOMPARE(seen.join(u','), QStringLiteral("question 0,popup,preview closed,popup"));
    QTRY_VERIFY(main.window.isActiveWindow());
    QCOMPARE(main.window.focusWidget(), main.list);
    press(&main.window, { Qt::Key_Down, Qt::Key_Return });
    QCOMPARE(main.calls, QStringList { "1" });
}

QTEST_MAIN(ZWidgetsTest)
#include "zwidgetstest.moc"
