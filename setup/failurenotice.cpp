#include "setup/failurenotice.h"

#include "platform/widgets/zapplication.h"
#include "platform/widgets/zmessagedlg.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"

#include <QApplication>

#include <cstdio>

namespace FailureNotice {

void show(const char *key, const QString &what, const QString &reason)
{
    std::fprintf(stderr, "kestrow-setup: %s: %s\n", qUtf8Printable(what), qUtf8Printable(reason));
    std::fflush(stderr);
    // Over the window the failure came from; the dialog that asked may be gone already.
    QWidget *beneath = QApplication::activeModalWidget();
    if (!beneath)
        beneath = ZApplication::mainWidget();
    ZMessageDlg notice(LngTable::text(LngKeys::NotDone), LngTable::text(key) + u'\n' + reason,
        ZMessageDlg::Notice, 0, beneath, nullptr, true);
    notice.exec();
}

} // namespace FailureNotice
