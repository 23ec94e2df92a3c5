// kestrow-qcop: the channels from the command line, for scripts.
//   kestrow-qcop CHANNEL MESSAGE [DATA]   send one message
//   kestrow-qcop --registered CHANNEL     is anyone listening on CHANNEL?

#include "platform/qcopchannel.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

const char usage[] = "usage: kestrow-qcop CHANNEL MESSAGE [DATA]\n"
                     "       kestrow-qcop --registered CHANNEL\n";

int fail(const char *reason)
{
    std::fprintf(stderr, "kestrow-qcop: %s\n", reason);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    // The raw arguments, so that the message and its data travel byte for byte.
    int first = 1;
    if (first < argc && std::strcmp(argv[first], "--") == 0)
        ++first;
    const int count = argc - first;
    if (count >= 1 && first == 1
        && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }

    if (first == 1 && count >= 1 && std::strcmp(argv[1], "--registered") == 0) {
        if (count != 2)
            return fail("--registered takes one channel name (see --help)");
        const bool registered = QCopChannel::isRegistered(QString::fromLocal8Bit(argv[2]));
        std::puts(registered ? "yes" : "no");
        return registered ? 0 : 1;
    }

    if (count < 2 || count > 3)
        return fail("expected CHANNEL MESSAGE [DATA] (see --help)");
    const QString channel = QString::fromLocal8Bit(argv[first]);
    const QByteArray message(argv[first + 1]);
    const QByteArray data = count == 3 ? QByteArray(argv[first + 2]) : QByteArray();
    // QCopChannel has already said why when it could not hand the message over.
    return QCopChannel::send(channel, message, data) ? 0 : 1;
}
