#include "setup/mybasedlg.h"
#include "platform/widgets/zapplication.h"

#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

/** A window that counts what reached its virtual done(). */
class CountingDlg : public MyBaseDlg
{
public:
    void done(int r) override
    {
        seen.append(r);
        MyBaseDlg::done(r);
    }
    QList<int> seen;
};

} // namespace

class MyBaseDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void execReturnsTheCode_data();
    void execReturnsTheCode();
    void doneOnTheMainWidgetQuits();
};

void MyBaseDlgTest::execReturnsTheCode_data()
{
    QTest::addColumn<int>("how"); // -1 accept, -2 reject, else done(how)
    QTest::addColumn<int>("result");
    QTest::newRow("accept") << -1 << 1;
    QTest::newRow("reject") << -2 << 0;
    QTest::newRow("done 7") << 7 << 7;
    QTest::newRow("done -3") << -3 << -3;
}

void MyBaseDlgTest::execReturnsTheCode()
{
    QFETCH(int, how);
    QFETCH(int, result);
    CountingDlg dialog;
    QTimer closer;
    closer.setSingleShot(true);
    connect(&closer, &QTimer::timeout, &dialog, [&dialog, how] {
        QVERIFY(dialog.isVisible());
        if (how == -1)
            dialog.accept();
        else if (how == -2)
            dialog.reject();
        else
            dialog.done(how);
    });
    closer.start(0);
    QCOMPARE(dialog.exec(), result);
    QVERIFY(!dialog.isVisible());
    // accept() and reject() reach the overridden done().
    QCOMPARE(dialog.seen, QList<int> { result });
    QCOMPARE(dialog.objectName(), QStringLiteral("ZMainWidget"));
}

void MyBaseDlgTest::doneOnTheMainWidgetQuits()
{
    constexpr int StillRunning = 42;
    MyBaseDlg window;
    ZApplication::setMainWidget(&window);
    window.show();
    QTimer action;
    QTimer sentinel;
    action.setSingleShot(true);
    sentinel.setSingleShot(true);
    connect(&action, &QTimer::timeout, &window, [&] {
        window.done(5);
        sentinel.start(0);
    });
    connect(&sentinel, &QTimer::timeout, [] { QCoreApplication::exit(StillRunning); });
    action.start(0);
    QCOMPARE(QCoreApplication::exec(), 0);
    ZApplication::setMainWidget(nullptr);

    // Not the main widget: the application goes on.
    MyBaseDlg other;
    other.show();
    disconnect(&action, nullptr, nullptr, nullptr);
    connect(&action, &QTimer::timeout, &other, [&] {
        other.done(5);
        sentinel.start(0);
    });
    action.start(0);
    QCOMPARE(QCoreApplication::exec(), StillRunning);
}

QTEST_MAIN(MyBaseDlgTest)
#include "mybasedlgtest.moc"
