// kestrow-skin pack, install, remove and list, run as programs: any hostile package is refused with
// nothing written, a shipped skin comes back byte for byte, a replace is whole or not at all, also
// when the installer is killed in the middle, and the skin in use is never removed.

#include "platform/phonechannels.h"
#include "platform/qcopchannel.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString SkinRoot = QStringLiteral("/ezxlocal/Kestrow/skin/");
const QByteArray Cfg = "[General]\nSkinName=Test\n";

struct Entry {
    QByteArray path;
    QByteArray data;
    unsigned type = AE_IFREG; // for a link, data is its target
};

la_ssize_t append(archive *, void *out, const void *buffer, size_t length)
{
    static_cast<QByteArray *>(out)->append(static_cast<const char *>(buffer), qsizetype(length));
    return la_ssize_t(length);
}

// The ZIP writer makes files and links only; readers take a Unix entry's type from the central
// directory's external attributes, so other types are written there.
void setType(QByteArray &zip, const QByteArray &path, unsigned type)
{
    for (qsizetype at = zip.indexOf("PK\1\2"); at >= 0; at = zip.indexOf("PK\1\2", at + 4)) {
        const int nameLength = uchar(zip[at + 28]) | uchar(zip[at + 29]) << 8;
        if (zip.mid(at + 46, nameLength) == path) {
            zip[at + 40] = char((type | 0644) & 0xff);
            zip[at + 41] = char((type | 0644) >> 8);
        }
    }
}

QByteArray zip(const QList<Entry> &entries)
{
    QByteArray out;
    archive *a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_bytes_in_last_block(a, 1);
    archive_write_open2(a, &out, nullptr, append, nullptr, nullptr);
    for (const Entry &e : entries) {
        archive_entry *entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.constData());
        archive_entry_set_filetype(entry, e.type == AE_IFLNK ? AE_IFLNK : AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        if (e.type == AE_IFLNK)
            archive_entry_set_symlink(entry, e.data.constData());
        else
            archive_entry_set_size(entry, e.data.size());
        archive_write_header(a, entry);
        archive_write_data(a, e.data.constData(), size_t(e.type == AE_IFLNK ? 0 : e.data.size()));
        archive_entry_free(entry);
    }
    archive_write_close(a);
    archive_write_free(a);
    for (const Entry &e : entries) {
        if (e.type != AE_IFREG && e.type != AE_IFLNK)
            setType(out, e.path, e.type);
    }
    return out;
}

/** Every path below @p dir, hidden ones too, with its bytes ("/" for a folder). */
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        QFile file(info.filePath());
        const bool read = !info.isDir() && file.open(QIODevice::ReadOnly);
        files.insert(QDir(dir).relativeFilePath(info.filePath()), read ? file.readAll() : QByteArray("/"));
    }
    return files;
}

ProgramRun skinTool(const QStringList &arguments)
{
    return runProgram(builtProgram(QStringLiteral("kestrow-skin")), arguments);
}

/** A device root using "default" (or @p inUse), with an installed skin "skin" of an old.png. */
void prepare(TempDeviceRoot &root, const QString &inUse = QStringLiteral("default"))
{
    QVERIFY(root.writeFile(
        QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[Main]\nSkin=" + inUse.toUtf8() + '\n'));
    QVERIFY(root.writeSkin(QStringLiteral("default"), Cfg));
    QVERIFY(root.writeSkin(QStringLiteral("skin"), "[General]\nSkinName=Old\n"));
    QVERIFY(root.writeFile(SkinRoot + QStringLiteral("skin/old.png"), "old"));
}

/** Installs the package @p bytes into @p root, written to a file of its own. */
ProgramRun install(const TempDeviceRoot &root, const QByteArray &bytes, bool replace = true)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("package.kskin")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return {};
    QStringList arguments { QStringLiteral("install"), file.fileName(), QStringLiteral("--root"),
        root.root() };
    return skinTool(replace ? arguments << QStringLiteral("--replace") : arguments);
}

} // namespace

class SkinPackageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hostilePackageRefused_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QString>("reason");
        const Entry cfg { "skin/skin.cfg", Cfg };
        QTest::newRow("climbs out") << zip({ cfg, { "skin/../../evil", "x" } }) << "climbs out";
        QTest::newRow("top folder ..") << zip({ { "../skin/skin.cfg", Cfg } }) << "climbs out";
        QTest::newRow("absolute") << zip({ cfg, { "/tmp/kestrow-evil", "x" } }) << "absolute";
        QTest::newRow("drive letter") << zip({ { "C:/skin/skin.cfg", Cfg } }) << "drive";
        // libarchive reads a backslash as the separator Windows writes: such a path climbs like any other.
        QTest::newRow("backslash") << zip({ cfg, { "skin\\..\\..\\evil", "x" } }) << "climbs out";
        QTest::newRow("link") << zip({ cfg, { "skin/link", "/etc/passwd", AE_IFLNK } }) << "link";
        QTest::newRow("device") << zip({ cfg, { "skin/tty", "", AE_IFCHR } }) << "not a regular file";
        QTest::newRow("socket") << zip({ cfg, { "skin/socket", "", AE_IFSOCK } }) << "not a regular file";
        QTest::newRow("outside the top folder") << zip({ cfg, { "evil", "x" } }) << "outside the top folder";
        QTest::newRow("two top folders") << zip({ cfg, { "other/skin.cfg", Cfg } }) << "more than one top";
        QTest::newRow("top folder .") << zip({ { "./skin.cfg", Cfg } }) << "not a skin name";
        QTest::newRow("hidden top folder") << zip({ { ".skin/skin.cfg", Cfg } }) << "not a skin name";
        QTest::newRow("no skin.cfg") << zip({ { "skin/a.png", "x" } }) << "no skin/skin.cfg";
        QTest::newRow("not a ZIP") << QByteArray("[General]\nSkinName=Text\n") << "not a ZIP";
        const QByteArray whole = zip({ cfg, { "skin/a.bin", QByteArray(200000, 'a') } });
        QTest::newRow("truncated") << whole.left(whole.size() - 300) << "truncated";
        QList<Entry> many { cfg };
        for (int i = 0; i < 1000; ++i)
            many.append({ "skin/" + QByteArray::number(i), "" });
        QTest::newRow("too many entries") << zip(many) << "more than 1000 entries";
        const QByteArray big(30 << 20, '\0');
        QTest::newRow("too many bytes in all")
            << zip({ cfg, { "skin/1", big }, { "skin/2", big }, { "skin/3", big } }) << "more than 64 MiB";
    }

    void hostilePackageRefused()
    {
        QFETCH(QByteArray, package);
        QFETCH(QString, reason);
        TempDeviceRoot root;
        prepare(root);
        const auto before = snapshot(root.root());
        const ProgramRun run = install(root, package);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith("kestrow-skin: ") && run.err.count('\n') == 1, run.err.constData());
        QVERIFY2(QString::fromUtf8(run.err).contains(reason), run.err.constData());
        QCOMPARE(snapshot(root.root()), before);
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/kestrow-evil")));
    }

    void shippedSkinRoundTrip()
    {
        TempDeviceRoot root;
        prepare(root);
        QTemporaryDir dir;
        const QString shipped = QStringLiteral(KESTROW_SOURCE_DIR "/skins/analog");
        const QString file = dir.filePath(QStringLiteral("analog.kskin"));
        const ProgramRun packed = skinTool({ QStringLiteral("pack"), shipped, QStringLiteral("-o"), file });
        QVERIFY2(packed.exitCode == 0, packed.err.constData());
        const ProgramRun installed
            = skinTool({ QStringLiteral("install"), file, QStringLiteral("--root"), root.root() });
        QVERIFY2(installed.exitCode == 0, installed.err.constData());
        QCOMPARE(snapshot(root.path(SkinRoot + QStringLiteral("analog"))), snapshot(shipped));

        const ProgramRun list = skinTool({ QStringLiteral("list"), QStringLiteral("--root"), root.root() });
        QVERIFY2(list.out.startsWith("  analog\tKestrow "), list.out.constData());
        QVERIFY2(list.out.contains("\n* default\tTest\t\n  skin\tOld\t\n"), list.out.constData());
    }

    void replace_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<bool>("inUse");
        QTest::newRow("refused without --replace") << false << false;
        QTest::newRow("replaced") << true << false;
        QTest::newRow("replaced while in use: reload") << true << true;
    }

    void replace()
    {
        QFETCH(bool, replace);
        QFETCH(bool, inUse);
        TempDeviceRoot root;
        prepare(root, inUse ? QStringLiteral("skin") : QStringLiteral("default"));
        const auto before = snapshot(root.path(SkinRoot));
        QList<QByteArray> messages;
        QCopChannel channel(QString(PhoneChannels::Plugin));
        connect(
            &channel, &QCopChannel::received, this, [&messages](const QByteArray &m) { messages.append(m); });

        const ProgramRun run
            = install(root, zip({ { "skin/skin.cfg", Cfg }, { "skin/new.png", "new" } }), replace);
        QCOMPARE(run.exitCode, replace ? 0 : 1);
        auto expected = before;
        if (replace) {
            expected.remove(QStringLiteral("skin/old.png"));
            expected.insert(QStringLiteral("skin/skin.cfg"), Cfg);
            expected.insert(QStringLiteral("skin/new.png"), "new");
        }
        QCOMPARE(snapshot(root.path(SkinRoot)), expected);
        // A mark sent after the installer ended arrives after anything it sent.
        QVERIFY(QCopChannel::send(QString(PhoneChannels::Plugin), "Mark()"));
        QTRY_VERIFY(messages.contains("Mark()"));
        QCOMPARE(messages.contains(PhoneChannels::Reload), replace && inUse);
    }

    void killInTheMiddle_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("new skin") << false;
        QTest::newRow("replacing") << true;
    }

    void killInTheMiddle()
    {
        QFETCH(bool, replace);
        TempDeviceRoot root;
        prepare(root);
        if (!replace)
            QVERIFY(QDir(root.path(SkinRoot + QStringLiteral("skin"))).removeRecursively());
        const auto before = snapshot(root.path(SkinRoot));
        const auto oldSkin = snapshot(root.path(SkinRoot + QStringLiteral("skin")));
        QByteArray noise(4 << 20, Qt::Uninitialized);
        QRandomGenerator(22).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        const QByteArray package = zip({ { "skin/skin.cfg", Cfg }, { "skin/noise.bin", noise } });
        // The installer reads the package from a pipe: it waits, half done, for the rest.
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("package.kskin")));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QProcess installer;
        installer.start(builtProgram(QStringLiteral("kestrow-skin")),
            { QStringLiteral("install"), QString::fromUtf8(fifo), QStringLiteral("--replace"),
                QStringLiteral("--root"), root.root() });
        int fd = -1;
        QTRY_VERIFY_WITH_TIMEOUT((fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK)) >= 0, 60000);
        ::fcntl(fd, F_SETFL, 0);
        QCOMPARE(::write(fd, package.constData(), size_t(package.size() / 2)), ssize_t(package.size() / 2));
        const QDir skins(root.path(SkinRoot));
        const auto unpacking = [&skins] {
            const QStringList temporaries
                = skins.entryList({ QStringLiteral(".kestrow-*") }, QDir::Dirs | QDir::Hidden);
            return !temporaries.isEmpty() && QFile::exists(skins.filePath(temporaries.first() + "/skin.cfg"));
        };
        QTRY_VERIFY_WITH_TIMEOUT(unpacking(), 60000);
        installer.kill();
        installer.waitForFinished();
        ::close(fd);

        QCOMPARE(snapshot(root.path(SkinRoot + QStringLiteral("skin"))), oldSkin);
        // The next run clears what the killed one left.
        QCOMPARE(skinTool({ QStringLiteral("list"), QStringLiteral("--root"), root.root() }).exitCode, 0);
        QCOMPARE(snapshot(root.path(SkinRoot)), before);
    }

    void remove_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("the skin in use") << QStringLiteral("default") << 1;
        QTest::newRow("not installed") << QStringLiteral("nosuch") << 1;
        QTest::newRow("the skin folder's parent") << QStringLiteral("..") << 1;
        QTest::newRow("a path") << QStringLiteral("skin/../default") << 1;
        QTest::newRow("a link to a folder elsewhere") << QStringLiteral("elsewhere") << 1;
        QTest::newRow("another skin") << QStringLiteral("skin") << 0;
    }

    void remove()
    {
        QFETCH(QString, name);
        QFETCH(int, exitCode);
        TempDeviceRoot root;
        prepare(root);
        QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/outside/skin.cfg"), Cfg));
        QVERIFY(QFile::link(root.path(QStringLiteral("/ezxlocal/Kestrow/outside")),
            root.path(SkinRoot + QStringLiteral("elsewhere"))));
        auto expected = snapshot(root.root());

        const ProgramRun run
            = skinTool({ QStringLiteral("remove"), name, QStringLiteral("--root"), root.root() });
        QCOMPARE(run.exitCode, exitCode);
        for (auto it = expected.begin(); exitCode == 0 && it != expected.end();)
            it = it.key().startsWith(QLatin1String("ezxlocal/Kestrow/skin/skin")) ? expected.erase(it)
                                                                                  : std::next(it);
        QCOMPARE(snapshot(root.root()), expected);
    }
};

QTEST_GUILESS_MAIN(SkinPackageTest)
#include "skinpackagetest.moc"
