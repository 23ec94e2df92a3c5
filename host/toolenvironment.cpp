#include "host/toolenvironment.h"

#include "platform/homescreenchannel.h"

#include <QCoreApplication>

namespace ToolEnvironment {

QProcessEnvironment forScripts()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KESTROW_ROOT"), HomeScreenChannel::resolvedRoot());
    const QString path = environment.value(QStringLiteral("PATH"));
    const QString tools = QCoreApplication::applicationDirPath();
    environment.insert(QStringLiteral("PATH"), path.isEmpty() ? tools : tools + QLatin1Char(':') + path);
    return environment;
}

} // namespace ToolEnvironment
