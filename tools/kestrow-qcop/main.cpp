// kestrow-qcop: the channels from the command line, for scripts.
//   kestrow-qcop CHANNEL MESSAGE [DATA]   send one message
//   kestrow-qcop --registered CHANNEL     is anyone listening on CHANNEL?

#include "platform/qcopchannel.h"
#include "platform/toolcommandline.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char Epilogue[]
    = "Exit status: 0 sent (or registered), 1 not sent (or not registered), 2 usage error.\n";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ToolCommandLine cmd(QStringLiteral("kestrow-qcop"),
        QStringLiteral(
            "Sends one message on a channel: kestrow-qcop CHANNEL MESSAGE [DATA]; or asks whether anyone "
            "listens on a channel: kestrow-qcop --registered CHANNEL."));
    cmd.parser().setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    cmd.addOption(
        { QStringLiteral("registered"), QStringLiteral("Whether anyone listens on CHANNEL: yes or no.") });
    cmd.parser().addPositionalArgument(QStringLiteral("CHANNEL"), QStringLiteral("Channel name."));
    cmd.parser().addPositionalArgument(
        QStringLiteral("MESSAGE"), QStringLiteral("Message, such as Reload()."));
    cmd.parser().addPositionalArgument(
        QStringLiteral("DATA"), QStringLiteral("Data of the message."), QStringLiteral("[DATA]"));
    cmd.setEpilogue(QLatin1String(Epilogue));
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;
    const QStringList args = cmd.positional();

    if (cmd.isSet(QStringLiteral("registered"))) {
        if (args.size() != 1)
            return cmd.usageError(QStringLiteral("--registered takes one channel name"));
        const bool registered = QCopChannel::isRegistered(args.first());
        std::puts(registered ? "yes" : "no");
        return registered ? 0 : 1;
    }
    if (args.size() < 2 || args.size() > 3)
        return cmd.usageError(QStringLiteral("expected CHANNEL MESSAGE [DATA]"));
    // The raw arguments, so that the message and its data travel byte for byte: they are the last ones.
    const int first = argc - int(args.size());
    const QString channel = QString::fromLocal8Bit(argv[first]);
    const QByteArray message(argv[first + 1]);
    const QByteArray data = args.size() == 3 ? QByteArray(argv[first + 2]) : QByteArray();
    // QCopChannel has already said why when it could not hand the message over.
    return QCopChannel::send(channel, message, data) ? 0 : 1;
}
