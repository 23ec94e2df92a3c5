#include "setup/failurenotice.h"

#include "platform/widgets/zmessagedlg.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"

#include <cstdio>

namespace FailureNotice {

void show(const char *key, const QString &what, const QString &reason)
{
    std::fprintf(stderr, "kestrow-setup: %s: %s\n", qUtf8Printable(what), qUtf8Printable(reason));
    std::fflush(stderr);
    ZMessageDlg notice(LngTable::text(LngKeys::NotDone), LngTable::text(key) + u'\n' + reason,
        ZMessageDlg::Notice, 0, nullptr, nullptr, true);
    notice.exec();
}

} // namespace FailureNotice
