// Feeds arbitrary bytes to the configuration file parser and checks what must
// hold for every input: nothing crashes, an untouched document gives back its
// bytes exactly, and a value written into it reads back exactly after a new
// parse while every group that was there stays there.

#include "platform/zconfigdocument.h"
#include "tests/fuzz/require.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ZConfigDocument document(bytes);
    require(document.toBytes() == bytes);

    const QStringList groups = document.groups();
    for (const QString &group : groups.mid(0, 8))
        document.value(group, QStringLiteral("k"));

    // The input also serves as a value, and its start as names that may or may not be valid.
    const QString value = QString::fromUtf8(bytes);
    const QString group = groups.isEmpty() ? QString::fromUtf8(bytes.left(8)) : groups.constFirst();
    const QString key = QString::fromUtf8(bytes.mid(8, 6));
    const bool written = document.setValue(group, key, value);
    require(written == (ZConfigDocument::isGroupName(group) && ZConfigDocument::isKeyName(key)));

    const ZConfigDocument reread(document.toBytes());
    if (written) {
        // Compared as UTF-8: text that was not valid UTF-8 was replaced when it became a string.
        require(reread.value(group, key) == QString::fromUtf8(value.toUtf8()));
        require(reread.groups().size() >= groups.size());
    } else {
        require(reread.groups() == groups);
    }

    const QString number = value.left(24);
    ZConfigDocument::toInteger(number, INT32_MIN, INT32_MAX);
    ZConfigDocument::toBool(number);
    return 0;
}
