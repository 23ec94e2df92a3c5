#include "plugin/tool.h"

#include <QStringDecoder>

QString ctr(const char *utf8)
{
    QStringDecoder decoder("UTF-8");
    return decoder.decode(QByteArrayView(utf8));
}
