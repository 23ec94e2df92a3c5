#include "platform/desktopapps.h"

#include <gio/gio.h>

QStringList desktopApplicationIds(int limit)
{
    QStringList ids;
    if (limit <= 0)
        return ids;
    GList *all = g_app_info_get_all();
    for (GList *item = all; item; item = item->next) {
        GAppInfo *info = G_APP_INFO(item->data);
        const char *id = g_app_info_get_id(info);
        if (id && g_app_info_should_show(info))
            ids.append(QString::fromUtf8(id));
    }
    g_list_free_full(all, g_object_unref);
    ids.sort();
    ids.removeDuplicates();
    if (ids.size() > limit)
        ids.resize(limit);
    return ids;
}
