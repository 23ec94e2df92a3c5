#include "platform/phonescreen.h"
#include "platform/widgets/zglobal.h"
#include "platform/widgets/zkbmainwidget.h"
#include "platform/widgets/zlabel.h"
#include "platform/widgets/zlineedit.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zmessagedlg.h"
#include "platform/widgets/znummodule.h"
#include "platform/widgets/zoptionsmenu.h"
#include "platform/widgets/zpopup.h"
#include "platform/widgets/zscrollpanel.h"
#include "platform/widgets/zsettingitem.h"
#include "platform/widgets/zsingleselectdlg.h"
#include "platform/widgets/zsoftkey.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QSignalSpy>
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
    void listBoxKeys_data();
    void listBoxKeys();
    void listBoxRows();
    void mainWindowKeys_data();
    void mainWindowKeys();
    void mouseClicks_data();
    void mouseClicks();
    void singleSelectKeys_data();
    void singleSelectKeys();
    void messageDlgKeys_data();
    void messageDlgKeys();
    void numModuleKeys_data();
    void numModuleKeys();
    void popupFieldKeys_data();
    void popupFieldKeys();
    void focusReturnsToTheWindowBeneath();
    void windowOverAPopupGetsTheKeys();
    void titles();
    void layoutOnThePhoneScreen();
};

// A list of three rows; the keys, then the current row and the rows selected.
void ZWidgetsTest::listBoxKeys_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<int>>("selected");

    QTest::newRow("first row current") << Keys {} << 0 << QList<int> {};
    QTest::newRow("down") << Keys { Qt::Key_Down } << 1 << QList<int> {};
    QTest::newRow("down down up") << Keys { Qt::Key_Down, Qt::Key_Down, Qt::Key_Up } << 1 << QList<int> {};
    QTest::newRow("up stays on the first row") << Keys { Qt::Key_Up } << 0 << QList<int> {};
    QTest::newRow("down stays on the last row")
        << Keys { Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down } << 2 << QList<int> {};
    QTest::newRow("return selects") << Keys { Qt::Key_Down, Qt::Key_Return } << 1 << QList<int> { 1 };
    QTest::newRow("enter selects") << Keys { Qt::Key_Enter } << 0 << QList<int> { 0 };
    QTest::newRow("soft keys pass by")
        << Keys { Qt::Key_F1, Qt::Key_F2, Qt::Key_Escape } << 0 << QList<int> {};
}

void ZWidgetsTest::listBoxKeys()
{
    QFETCH(Keys, keys);
    QFETCH(int, current);
    QFETCH(QList<int>, selected);

    std::unique_ptr<ZListBox> list(
        addList(nullptr, { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") }));
    list->resize(PhoneScreen::Width, 200);
    QList<int> seen;
    connect(list.get(), &ZListBox::selected, this, [&seen](int row) { seen << row; });
    for (int key : keys)
        QTest::keyClick(list.get(), Qt::Key(key));
    QCOMPARE(list->currentItem(), current);
    QCOMPARE(seen, selected);
}

void ZWidgetsTest::listBoxRows()
{
    ZListBox list(QStringLiteral("%I%M"));
    QCOMPARE(list.currentItem(), -1);
    QCOMPARE(list.count(), 0);

    // Sorting an empty list leaves the rows inserted afterwards in their order.
    list.sort(true);
    for (const char *text : { "pear", "apple", "fig" }) {
        auto row = std::make_unique<ZSettingItem>(&list);
        row->appendSubItem(1, QString::fromLatin1(text), false, 0);
        list.insertItem(std::move(row));
    }
    QCOMPARE(list.item(0)->subItem(1, 0), QStringLiteral("pear"));
    QCOMPARE(list.currentItem(), 0);

    // Sorting keeps the same row current.
    list.setCurrentItem(2);
    list.sort(true);
    QCOMPARE(list.item(0)->subItem(1, 0), QStringLiteral("apple"));
    QCOMPARE(list.item(list.currentItem())->subItem(1, 0), QStringLiteral("fig"));
    list.sort(false);
    QCOMPARE(list.item(0)->subItem(1, 0), QStringLiteral("pear"));

    // A row inserted above the current one keeps the current row where it is.
    const int before = list.currentItem();
    ZListBoxItem *top = list.insertItem(std::make_unique<ZListBoxItem>(&list), 0);
    QCOMPARE(list.currentItem(), before + 1);

    // Lines are replaced in place, missing ones added; columns and lines out of bounds are refused.
    top->appendSubItem(1, QStringLiteral("first"));
    top->appendSubItem(1, QStringLiteral("second"));
    top->setSubItem(1, 1, QStringLiteral("changed"));
    top->setSubItem(1, 3, QStringLiteral("fourth"));
    QCOMPARE(top->subItemCount(1), 4);
    QCOMPARE(top->subItem(1, 1), QStringLiteral("changed"));
    QCOMPARE(top->subItem(1, 2), QString());
    top->setSubItem(-1, 0, QStringLiteral("x"));
    top->setSubItem(1, ZListBoxItem::MaxLines, QStringLiteral("x"));
    top->appendSubItem(ZListBoxItem::MaxColumns, QStringLiteral("x"));
    QCOMPARE(top->subItemCount(1), 4);
    QCOMPARE(top->subItemCount(ZListBoxItem::MaxColumns), 0);
    QPixmap icon(8, 8);
    icon.fill(Qt::red);
    top->setPixmap(0, icon);
    QCOMPARE(top->pixmap(0).size(), QSize(8, 8));

    list.clear();
    QCOMPARE(list.count(), 0);
    QCOMPARE(list.currentItem(), -1);
}

// The settings application's main window: which keys reach which action.
void ZWidgetsTest::mainWindowKeys_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("menuOpen");

    QTest::newRow("return selects the current row")
        << Keys { Qt::Key_Down, Qt::Key_Return } << QStringList { "1" } << false;
    QTest::newRow("F2 is the right soft key") << Keys { Qt::Key_F2 } << QStringList { "right" } << false;
    QTest::newRow("escape is the right soft key")
        << Keys { Qt::Key_Escape } << QStringList { "right" } << false;
    QTest::newRow("F1 opens the options menu") << Keys { Qt::Key_F1 } << QStringList {} << true;
    QTest::newRow("menu: return runs the first entry")
        << Keys { Qt::Key_F1, Qt::Key_Return } << QStringList { "dock" } << false;
    QTest::newRow("menu: down, return runs the second entry")
        << Keys { Qt::Key_F1, Qt::Key_Down, Qt::Key_Return } << QStringList { "note" } << false;
    QTest::newRow("menu: F1 runs the entry")
        << Keys { Qt::Key_F1, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_F1 } << QStringList { "about" }
        << false;
    QTest::newRow("menu: down stays on the last entry")
        << Keys { Qt::Key_F1, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Enter }
        << QStringList { "about" } << false;
    QTest::newRow("menu: escape closes it") << Keys { Qt::Key_F1, Qt::Key_Escape } << QStringList {} << false;
    QTest::newRow("menu: F2 closes it") << Keys { Qt::Key_F1, Qt::Key_F2 } << QStringList {} << false;
    QTest::newRow("menu: keys stay in the open menu")
        << Keys { Qt::Key_F1, Qt::Key_Down, Qt::Key_Escape, Qt::Key_Return } << QStringList { "0" } << false;
}

void ZWidgetsTest::mainWindowKeys()
{
    QFETCH(Keys, keys);
    QFETCH(QStringList, calls);
    QFETCH(bool, menuOpen);

    MainWindow main;
    main.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&main.window));
    QCOMPARE(main.window.focusWidget(), main.list);
    press(&main.window, keys);
    QCOMPARE(main.calls, calls);
    QCOMPARE(main.menu->isVisible(), menuOpen);
    if (!menuOpen)
        QCOMPARE(main.window.focusWidget(), main.list);
}

// A click does what the key does.
void ZWidgetsTest::mouseClicks_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("second row") << "row" << QStringList { "1" };
    QTest::newRow("right soft key") << "right" << QStringList { "right" };
    QTest::newRow("left soft key, then the third entry") << "menu" << QStringList { "about" };
    QTest::newRow("left soft key, then outside the menu") << "outside" << QStringList {};
}

void ZWidgetsTest::mouseClicks()
{
    QFETCH(QString, target);
    QFETCH(QStringList, calls);

    MainWindow main;
    main.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main.window));
    if (target == QLatin1String("row")) {
        // Rows of one line are equally high, and the list asks for just their height.
        const int rowHeight = main.list->sizeHint().height() / main.list->count();
        QTest::mouseClick(main.list, Qt::LeftButton, {}, QPoint(50, rowHeight + rowHeight / 2));
        QCOMPARE(main.list->currentItem(), 1);
    } else if (target == QLatin1String("right")) {
        QTest::mouseClick(
            main.keys, Qt::LeftButton, {}, QPoint(main.keys->width() - 10, main.keys->height() / 2));
    } else {
        QTest::mouseClick(main.keys, Qt::LeftButton, {}, QPoint(10, main.keys->height() / 2));
        QVERIFY(main.menu->isVisible());
        // The last entry lies just above the menu's own soft-key bar.
        const int boxBottom = main.menu->height() - main.keys->height();
        const QPoint at
            = target == QLatin1String("menu") ? QPoint(20, boxBottom - 6) : QPoint(main.menu->width() - 5, 5);
        QTest::mouseClick(main.menu, Qt::LeftButton, {}, at);
    }
    QCOMPARE(main.calls, calls);
    QVERIFY(!main.menu->isVisible());
}

// Two choices; the keys, then what exec() returns and the checked choice.
void ZWidgetsTest::singleSelectKeys_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("checked");

    QTest::newRow("return accepts the first") << Keys { Qt::Key_Return } << 1 << 0;
    QTest::newRow("down, return accepts the second") << Keys { Qt::Key_Down, Qt::Key_Return } << 1 << 1;
    QTest::newRow("down, F1 accepts the second") << Keys { Qt::Key_Down, Qt::Key_F1 } << 1 << 1;
    QTest::newRow("down past the end, enter") << Keys { Qt::Key_Down, Qt::Key_Down, Qt::Key_Enter } << 1 << 1;
    QTest::newRow("down, up, F1") << Keys { Qt::Key_Down, Qt::Key_Up, Qt::Key_F1 } << 1 << 0;
    QTest::newRow("F2 cancels") << Keys { Qt::Key_Down, Qt::Key_F2 } << 0 << 1;
    QTest::newRow("escape cancels") << Keys { Qt::Key_Escape } << 0 << 0;
}

void ZWidgetsTest::singleSelectKeys()
{
    QFETCH(Keys, keys);
    QFETCH(int, result);
    QFETCH(int, checked);

    ZSingleSelectDlg dialog(QStringLiteral("Refresh"), QString(), nullptr, nullptr, true, 0, 0, 0);
    dialog.addItemsList({ QStringLiteral("Reload"), QStringLiteral("Restart") });
    QCOMPARE(execWithKeys(dialog, keys), result);
    QCOMPARE(dialog.getCheckedItemIndex(), checked);
}

// Type and key, then what exec() returns.
void ZWidgetsTest::messageDlgKeys_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("result");

    QTest::newRow("question, F1 says yes") << 1 << Keys { Qt::Key_F1 } << 1;
    QTest::newRow("question, return says yes") << 1 << Keys { Qt::Key_Return } << 1;
    QTest::newRow("question, F2 says no") << 1 << Keys { Qt::Key_F2 } << 0;
    QTest::newRow("question, escape says no") << 1 << Keys { Qt::Key_Escape } << 0;
    QTest::newRow("question, up and down only read")
        << 1 << Keys { Qt::Key_Down, Qt::Key_Up, Qt::Key_F1 } << 1;
    QTest::newRow("information, F1 closes") << 2 << Keys { Qt::Key_F1 } << 1;
    QTest::newRow("information, enter closes") << 2 << Keys { Qt::Key_Enter } << 1;
    QTest::newRow("information, F2 closes") << 2 << Keys { Qt::Key_F2 } << 0;
    QTest::newRow("notice, escape closes") << 0 << Keys { Qt::Key_Escape } << 0;
}

void ZWidgetsTest::messageDlgKeys()
{
    QFETCH(int, type);
    QFETCH(Keys, keys);
    QFETCH(int, result);

    ZMessageDlg dialog(
        QStringLiteral("Theme"), QStringLiteral("Use this skin?"), type, 0, nullptr, nullptr, true, 0, 0);
    QCOMPARE(execWithKeys(dialog, keys), result);
}

// A year field 1901..2100 starting at 2024: keys, then the value read and, after the focus left, shown.
void ZWidgetsTest::numModuleKeys_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("value");

    QTest::newRow("untouched") << Keys {} << 2024;
    QTest::newRow("typed") << Keys { Qt::Key_2, Qt::Key_0, Qt::Key_3, Qt::Key_0 } << 2030;
    QTest::newRow("upper bound") << Keys { Qt::Key_2, Qt::Key_1, Qt::Key_0, Qt::Key_0 } << 2100;
    QTest::newRow("lower bound") << Keys { Qt::Key_1, Qt::Key_9, Qt::Key_0, Qt::Key_1 } << 1901;
    QTest::newRow("above the range") << Keys { Qt::Key_2, Qt::Key_1, Qt::Key_0, Qt::Key_1 } << 2100;
    QTest::newRow("below the range") << Keys { Qt::Key_1, Qt::Key_9, Qt::Key_0, Qt::Key_0 } << 1901;
    QTest::newRow("partly typed") << Keys { Qt::Key_7 } << 1901;
    QTest::newRow("a fifth digit starts again")
        << Keys { Qt::Key_2, Qt::Key_0, Qt::Key_5, Qt::Key_0, Qt::Key_1, Qt::Key_9, Qt::Key_9, Qt::Key_9 }
        << 1999;
    QTest::newRow("backspace") << Keys { Qt::Key_2, Qt::Key_0, Qt::Key_5, Qt::Key_Backspace, Qt::Key_1,
        Qt::Key_1 } << 2011;
    QTest::newRow("right steps up") << Keys { Qt::Key_Right, Qt::Key_Right } << 2026;
    QTest::newRow("left steps down") << Keys { Qt::Key_Left } << 2023;
    QTest::newRow("right stops at the top")
        << Keys { Qt::Key_2, Qt::Key_1, Qt::Key_0, Qt::Key_0, Qt::Key_Right } << 2100;
    QTest::newRow("left stops at the bottom")
        << Keys { Qt::Key_1, Qt::Key_9, Qt::Key_0, Qt::Key_1, Qt::Key_Left } << 1901;
    QTest::newRow("typed value out of range steps from its bound")
        << Keys { Qt::Key_9, Qt::Key_9, Qt::Key_9, Qt::Key_9, Qt::Key_Left } << 2099;
}

void ZWidgetsTest::numModuleKeys()
{
    QFETCH(Keys, keys);
    QFETCH(int, value);

    QWidget panel;
    auto *year = new ZNumModule(4, &panel, nullptr, 0, 18);
    year->setMaxValue(2100);
    year->setMinValue(1901);
    year->setValue(2024);
    auto *other = new ZLineEdit(&panel);
    auto *layout = new QHBoxLayout(&panel);
    layout->addWidget(year);
    layout->addWidget(other);
    panel.show();
    QVERIFY(QTest::qWaitForWindowActive(&panel));
    year->setFocus();
    for (int key : keys)
        QTest::keyClick(year, Qt::Key(key));
    QCOMPARE(year->getValue(), value);
    other->setFocus();
    QCOMPARE(year->getValue(), value);
    // Once committed, stepping starts from the value shown.
    year->setFocus();
    QTest::keyClick(year, Qt::Key_Right);
    QCOMPARE(year->getValue(), std::min(value + 1, 2100));
}

// A popup of fields like the countdown dialog: label, three number fields, label, text field.
void ZWidgetsTest::popupFieldKeys_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("first field has the focus") << Keys {} << "year" << QStringList {};
    QTest::newRow("down moves along the fields")
        << Keys { Qt::Key_Down, Qt::Key_Down } << "day" << QStringList {};
    QTest::newRow("down reaches the text field")
        << Keys { Qt::Key_Down, Qt::Key_Down, Qt::Key_Down } << "event" << QStringList {};
    QTest::newRow("up goes back") << Keys { Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up } << "day"
                                  << QStringList {};
    QTest::newRow("F1 from the text field")
        << Keys { Qt::Key_Up, Qt::Key_F1 } << "event" << QStringList { "left" };
    QTest::newRow("escape from a number field")
        << Keys { Qt::Key_Escape } << "year" << QStringList { "right" };
    QTest::newRow("F2 from the text field")
        << Keys { Qt::Key_Up, Qt::Key_F2 } << "event" << QStringList { "right" };
    QTest::newRow("typing stays in the text field")
        << Keys { Qt::Key_Up, Qt::Key_A, Qt::Key_Left, Qt::Key_B } << "event" << QStringList {};
}

void ZWidgetsTest::popupFieldKeys()
{
    QFETCH(Keys, keys);
    QFETCH(QString, focused);
    QFETCH(QStringList, calls);

    ZPopup popup(0, nullptr, nullptr, true, 0, 0, 0);
    popup.setTitle(QStringLiteral("Event"));
    popup.insertChild(new ZLabel(QStringLiteral("Date"), &popup, "ZLabel", 0, 4));
    auto *panel = new ZScrollPanel(&popup, nullptr, 0, 62, 0);
    popup.insertChild(panel);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    for (const char *name : { "year", "month", "day" }) {
        auto *field = new ZNumModule(2, panel, name, 0, 18);
        row->addWidget(field, 0);
    }
    popup.insertChild(new ZLabel(QStringLiteral("Event"), &popup, "ZLabel", 0, 4));
    auto *event = new ZLineEdit(&popup, "event", 39);
    popup.insertChild(event);
    QStringList seen;
    popup.softKey()->setClickedSlot(ZSoftKey::LEFT, &popup, [&seen] { seen << QStringLiteral("left"); });
    popup.softKey()->setClickedSlot(ZSoftKey::RIGHT, &popup, [&seen] { seen << QStringLiteral("right"); });

    popup.show();
    QVERIFY(QTest::qWaitForWindowActive(&popup));
    press(&popup, keys);
    QCOMPARE(popup.focusWidget()->objectName(), focused);
    QCOMPARE(seen, calls);
    QVERIFY(popup.isVisible());
}

void ZWidgetsTest::focusReturnsToTheWindowBeneath()
{
    MainWindow main;
    main.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&main.window));

    // Main window -> popup with a list -> question over it, then back down.
    ZPopup popup(0, nullptr, nullptr, true, 0, 0, 0);
    ZListBox *list = addList(&popup, { QStringLiteral("a"), QStringLiteral("b") });
    popup.insertChild(list);
    popup.softKey()->setClickedSlot(ZSoftKey::RIGHT, &popup, &QDialog::reject);
    bool askedInside = false;
    bool popupHadFocusAgain = false;
    connect(list, &ZListBox::selected, &popup, [&] {
        QVERIFY(popup.isActiveWindow());
        ZMessageDlg question(QStringLiteral("Sure?"), QStringLiteral("Really?"), 1, 0);
        askedInside = execWithKeys(question, { Qt::Key_Escape }) == 0;
        popupHadFocusAgain
            = QTest::qWaitFor([&] { return popup.isActiveWindow() && popup.focusWidget() == list; });
    });
    QTimer::singleShot(0, &popup, [&] {
        QVERIFY(QTest::qWaitFor([&] { return popup.isActiveWindow(); }));
        press(&popup, { Qt::Key_Down, Qt::Key_Return, Qt::Key_F2 });
        if (popup.isVisible())
            popup.done(-99);
    });
    QCOMPARE(popup.exec(), 0);
    QVERIFY(askedInside);
    QVERIFY(popupHadFocusAgain);
    QTRY_VERIFY(main.window.isActiveWindow());
    QCOMPARE(main.window.focusWidget(), main.list);
    // The keys reach the main window again.
    press(&main.window, { Qt::Key_Down, Qt::Key_Return });
    QCOMPARE(main.calls, QStringList { "1" });
}

void ZWidgetsTest::windowOverAPopupGetsTheKeys()
{
    // A chooser popup opens a full-screen preview and waits for it, as the skin chooser does.
    ZPopup chooser;
    ZListBox *list = addList(&chooser, { QStringLiteral("skin") });
    chooser.insertChild(list);
    chooser.softKey()->setClickedSlot(ZSoftKey::RIGHT, &chooser, &QDialog::reject);
    bool previewClosedByItsKey = false;
    connect(list, &ZListBox::selected, &chooser, [&] {
        ZKbMainWidget preview;
        auto *keys = new ZSoftKey("", &preview, &preview);
        QCOMPARE(preview.softKey(), keys);
        QEventLoop loop;
        keys->setClickedSlot(ZSoftKey::RIGHT, &preview, [&] {
            previewClosedByItsKey = true;
            preview.hide();
            loop.quit();
        });
        preview.show();
        QTimer::singleShot(0, &preview, [&] {
            QVERIFY(QTest::qWaitFor([&] { return preview.isActiveWindow(); }));
            // Through the window system, which holds back keys from windows a modal popup blocks.
            QTest::keyClick(preview.windowHandle(), Qt::Key_F2);
            if (preview.isVisible())
                loop.quit();
        });
        loop.exec();
    });
    QTimer::singleShot(0, &chooser, [&] {
        QVERIFY(QTest::qWaitFor([&] { return chooser.isActiveWindow(); }));
        press(&chooser, { Qt::Key_Return });
        QVERIFY(QTest::qWaitFor([&] { return chooser.isActiveWindow(); }));
        QTest::keyClick(chooser.windowHandle(), Qt::Key_Escape);
        if (chooser.isVisible())
            chooser.done(-99);
    });
    QCOMPARE(chooser.exec(), 0);
    QVERIFY(previewClosedByItsKey);
}

void ZWidgetsTest::titles()
{
    ZKbMainWidget::setAppTitle(QStringLiteral("Kestrow"));
    ZKbMainWidget first;
    ZKbMainWidget second;
    second.setMainWidgetTitle(QStringLiteral("Preview"));
    QCOMPARE(first.windowTitle(), QStringLiteral("Kestrow"));
    QCOMPARE(second.windowTitle(), QStringLiteral("Preview"));
    // A new application title reaches the windows that have none of their own.
    ZKbMainWidget::setAppTitle(QString::fromUtf8("插件"));
    QCOMPARE(first.windowTitle(), QString::fromUtf8("插件"));
    QCOMPARE(first.title(), QString::fromUtf8("插件"));
    QCOMPARE(second.windowTitle(), QStringLiteral("Preview"));

    ZPopup popup;
    popup.setTitle(QStringLiteral("Dock bar"));
    QCOMPARE(popup.windowTitle(), QStringLiteral("Dock bar"));
    ZMessageDlg message(QStringLiteral("About"), QStringLiteral("text"), 2);
    QCOMPARE(message.windowTitle(), QStringLiteral("About"));
    ZSingleSelectDlg choice(QStringLiteral("Refresh"), QString());
    QCOMPARE(choice.windowTitle(), QStringLiteral("Refresh"));
}

void ZWidgetsTest::layoutOnThePhoneScreen()
{
    MainWindow main;
    main.window.move(30, 40);
    main.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&main.window));
    QCOMPARE(main.window.size(), QSize(PhoneScreen::Width, PhoneScreen::Height));
    // The content rectangle is where the content widget lies.
    QCOMPARE(
        QRect(main.list->mapTo(&main.window, QPoint(0, 0)), main.list->size()), ZGlobal::getContentR(false));

    // A short popup sits over the bottom of the window beneath, a popup with a list covers it.
    ZMessageDlg message(QStringLiteral("About"), QStringLiteral("Short."), 2);
    QRect messageGeometry;
    QTimer::singleShot(0, &message, [&] {
        messageGeometry = message.geometry();
        message.done(0);
    });
    message.exec();
    QVERIFY(messageGeometry.height() < PhoneScreen::Height / 2);
    QCOMPARE(messageGeometry.width(), PhoneScreen::Width);
    QCOMPARE(messageGeometry.bottomLeft(), main.window.geometry().bottomLeft());

    // A long text wraps; the popup grows to show all of it, up to the whole screen.
    ZMessageDlg about(QStringLiteral("About"),
        QStringLiteral(
            "A long text that wraps over several lines of the popup, because the phone's screen is "
            "narrow and every word of it must be read."),
        2);
    auto *label = about.findChild<ZLabel *>();
    QVERIFY(label);
    bool labelFits = false;
    QTimer::singleShot(0, &about, [&] {
        labelFits = label->height() >= label->heightForWidth(label->width())
            && about.height() <= PhoneScreen::Height;
        about.done(0);
    });
    about.exec();
    QVERIFY(labelFits);

    ZPopup popup;
    popup.insertChild(addList(&popup, { QStringLiteral("a") }));
    QRect popupGeometry;
    QTimer::singleShot(0, &popup, [&] {
        popupGeometry = popup.geometry();
        popup.done(0);
    });
    popup.exec();
    QCOMPARE(popupGeometry, main.window.geometry());
}

QTEST_MAIN(ZWidgetsTest)
#include "zwidgetstest.moc"
