// Loads and lints hostile skins and checks what must hold for every input: nothing crashes, hangs
// or grows without bound; the model keeps its dock within the ten slots; the linter's reading of
// the file agrees with ZConfig's; and every finding is one line at a line of the file.
//
// The input is cut at "\x1e" bytes: the first piece is the skin's skin.cfg, the next ones become its
// image files a.png, b.png, ... (at most eight), so that the description can name them.

#include "data/configlines.h"
#include "data/skinlint.h"
#include "data/skinloader.h"
#include "data/skinmodel.h"
#include "platform/devicepath.h"
#include "platform/zconfigdocument.h"
#include "tests/fuzz/require.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr int MaxImages = 8;

QString skinFolder()
{
    return devicePath(QStringLiteral("/ezxlocal/Kestrow/skin/default"));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile out(path);
    require(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(out.write(bytes) == bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
    char pattern[] = "/tmp/skinloaderfuzz.XXXXXX";
    require(mkdtemp(pattern) != nullptr);
    qputenv("KESTROW_ROOT", pattern);
    std::atexit([] { QDir(qEnvironmentVariable("KESTROW_ROOT")).removeRecursively(); });
    require(QDir().mkpath(skinFolder()));
    writeFile(devicePath(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg")), "[Main]\nSkin=default\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> pieces
        = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\x1e');
    const QByteArray cfg = pieces.value(0);
    writeFile(skinFolder() + QStringLiteral("/skin.cfg"), cfg);
    for (int i = 0; i < MaxImages; ++i) {
        const QString image = skinFolder() + QStringLiteral("/%1.png").arg(QChar(u'a' + i));
        if (i + 1 < pieces.size())
            writeFile(image, pieces.at(i + 1));
        else
            QFile::remove(image);
    }

    SkinModel model;
    SkinLoader::load(model);
    require(model.dock.num >= 0 && model.dock.num <= DockSlotCount);

    const ConfigLines lines(cfg);
    const ZConfigDocument document(cfg);
    // The groups ZConfig can be asked for are the ones the linter reads (a name of bytes that are no
    // UTF-8 can never be asked for).
    for (const QString &group : lines.groups())
        require(document.groups().contains(group));
    // A name whose text does not give its bytes back (bytes that are no UTF-8, or a leading byte
    // order mark that the decoder drops) can never be asked for either.
    for (const QString &group : document.groups())
        require(group.contains(QChar::ReplacementCharacter)
            || cfg.contains(QByteArray("\xEF\xBB\xBF") + group.toUtf8()) || lines.groupLine(group) > 0);
    for (const ConfigLines::Entry &entry : lines.entries())
        require(document.value(entry.group, entry.key).has_value());

    const int lineCount = int(cfg.count('\n')) + 1;
    for (const SkinFinding &finding : SkinLint::lint(skinFolder())) {
        require(finding.line >= 1 && finding.line <= lineCount);
        require(!finding.toString().contains(QLatin1Char('\n')));
    }
    return 0;
}
