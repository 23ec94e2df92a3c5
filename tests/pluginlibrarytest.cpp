#include "host/hostcontext.h"
#include "platform/hsplugin.h"
#include "testsupport.h"

#include <QWidget>
#include <QtTest>

#include <dlfcn.h>

namespace {

const QString Library = QStringLiteral(KESTROW_LIB_DIR "/libidlepane.so.1");

QString run(const QString &program, const QStringList &arguments)
{
    return QString::fromLocal8Bit(runProgram(program, arguments).out);
}

} // namespace

class PluginLibraryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void exportsExactlyTheEntryPoints();
    void sonameIsVersioned();
    void isActivated_data();
    void isActivated();
    void lifeThroughTheEntryPoints();

private:
    template<typename F> F entry(const char *name) { return reinterpret_cast<F>(dlsym(m_handle, name)); }
    void *m_handle = nullptr;
};

void PluginLibraryTest::initTestCase()
{
    m_handle = dlopen(QFile::encodeName(Library).constData(), RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(m_handle, dlerror());
}

void PluginLibraryTest::cleanupTestCase()
{
    if (m_handle)
        dlclose(m_handle);
}

void PluginLibraryTest::exportsExactlyTheEntryPoints()
{
    const QString table
        = run(QStringLiteral("nm"), { QStringLiteral("-D"), QStringLiteral("--defined-only"), Library });
    QStringList defined;
    for (const QString &line : table.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() == 3 && fields[1] != QLatin1String("A")) // version nodes are absolute symbols
            defined.append(fields[2]);
    }
    defined.sort();
    QCOMPARE(defined,
        (QStringList { QStringLiteral("createInstance"), QStringLiteral("destroyInstance"),
            QStringLiteral("isActivated"), QStringLiteral("isUserRemovable") }));
}

void PluginLibraryTest::sonameIsVersioned()
{
    const QString dynamic = run(QStringLiteral("objdump"), { QStringLiteral("-p"), Library });
    QVERIFY2(
        QRegularExpression(QStringLiteral("SONAME\\s+libidlepane\\.so\\.1\\n")).match(dynamic).hasMatch(),
        qPrintable(dynamic));
}

void PluginLibraryTest::isActivated_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("activated");
    QTest::newRow("no file") << QByteArray() << true;
    QTest::newRow("no key") << QByteArray("[Main]\nSkin=x\n") << true;
    QTest::newRow("false") << QByteArray("[Main]\nActivated=false\n") << false;
    QTest::newRow("0") << QByteArray("[Main]\nActivated=0\n") << false;
    QTest::newRow("true") << QByteArray("[Main]\nActivated=true\n") << true;
    QTest::newRow("other group") << QByteArray("[main]\nActivated=false\n") << true;
}

void PluginLibraryTest::isActivated()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, activated);
    TempDeviceRoot root;
    if (!settings.isNull())
        root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), settings);
    auto isActivatedFn = entry<HSIsActivatedFn>("isActivated");
    QVERIFY(isActivatedFn);
    QCOMPARE(isActivatedFn(), activated);
    QVERIFY(entry<HSIsUserRemovableFn>("isUserRemovable")());
}

void PluginLibraryTest::lifeThroughTheEntryPoints()
{
    TempDeviceRoot root;
    QVERIFY(root.writeSolidSkin(QStringLiteral("default"), Qt::magenta));
    auto create = entry<HSCreateInstanceFn>("createInstance");
    auto destroy = entry<HSDestroyInstanceFn>("destroyInstance");
    QVERIFY(create && destroy);
    destroy(nullptr);

    QWidget widget;
    widget.resize(240, 273);
    widget.show();
    HostContext context(&widget);
    HSPlugin *plugin = create(&context);
    QVERIFY(plugin);
    QCOMPARE(plugin->getDisplayName(), QStringLiteral("Kestrow"));
    plugin->initialize();
    plugin->start();
    plugin->focusIn();
    // The frame reached the widget in its own paint.
    QCOMPARE(widget.grab().toImage().pixelColor(20, 20), QColor(Qt::magenta));
    destroy(plugin);
    widget.repaint(); // the widget outlives the plug-in
}

QTEST_MAIN(PluginLibraryTest)
#include "pluginlibrarytest.moc"
