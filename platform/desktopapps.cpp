#include "platform/desktopapps.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace {

// Whether a desktop entry starts as it is from a home screen: no terminal needed, its program installed.
bool startsWithoutTerminal(GAppInfo *info)
{
    if (!G_IS_DESKTOP_APP_INFO(info) || g_desktop_app_info_get_boolean(G_DESKTOP_APP_INFO(info), "Terminal"))
        return false;
    const char *executable = g_app_info_get_executable(info);
    if (!executable || !*executable)
        return false;
    char *found = g_find_program_in_path(executable);
    const bool installed = found != nullptr;
    g_free(found);
    return installed;
}

QStringList applicationIds(int limit, bool withoutTerminalOnly)
{
    QStringList ids;
    if (limit <= 0)
        return ids;
    GList *all = g_app_info_get_all();
    for (GList *item = all; item; item = item->next) {
        GAppInfo *info = G_APP_INFO(item->data);
        const char *id = g_app_info_get_id(info);
        if (id && g_app_info_should_show(info) && (!withoutTerminalOnly || startsWithoutTerminal(info))
            && !isKestrowApplication(QString::fromUtf8(id)))
            ids.append(QString::fromUtf8(id));
    }
    g_list_free_full(all, g_object_unref);
    ids.sort();
    ids.removeDuplicates();
    if (ids.size() > limit)
        ids.resize(limit);
    return ids;
}

} // namespace

QStringList desktopApplicationIds(int limit)
{
    return applicationIds(limit, false);
}

QStringList desktopApplicationIdsWithoutTerminal(int limit)
{
    return applicationIds(limit, true);
}

namespace {

void readIcon(GAppInfo *info, DesktopApp &app)
{
    GIcon *icon = g_app_info_get_icon(info);
    if (G_IS_THEMED_ICON(icon)) {
        const gchar *const *names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        if (names && names[0])
            app.iconName = QString::fromUtf8(names[0]);
    } else if (G_IS_FILE_ICON(icon)) {
        char *path = g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon)));
        if (path)
            app.iconFile = QString::fromUtf8(path);
        g_free(path);
    }
}

} // namespace

QList<DesktopApp> desktopApplications(int limit)
{
    const QStringList ids = desktopApplicationIds(limit);
    QList<DesktopApp> apps;
    for (const QString &id : ids) {
        GDesktopAppInfo *info = g_desktop_app_info_new(id.toUtf8().constData());
        if (!info)
            continue;
        DesktopApp app;
        app.id = id;
        app.name = QString::fromUtf8(g_app_info_get_name(G_APP_INFO(info)));
        readIcon(G_APP_INFO(info), app);
        if (const char *categories = g_desktop_app_info_get_categories(info))
            app.categories = QString::fromUtf8(categories).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        app.terminal = g_desktop_app_info_get_boolean(info, "Terminal");
        g_object_unref(info);
        apps.append(app);
    }
    return apps;
}
