// barewindow: the floor of the settings application's start. A Qt Widgets list of four rows
// that quits after its first paint, and nothing else: no bus, no files, no images. Started the
// way kestrow-setup --quit-when-shown is started, its instructions and CPU time are what any
// window of four rows costs on this machine; bench/setup-start.sh compares the two.
#include "platform/widgets/firstpaintquit.h"

#include <QApplication>
#include <QListWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QListWidget list;
    list.addItems({ QStringLiteral("Running\nOn"), QStringLiteral("Autorun\nOff"),
        QStringLiteral("Refresh\nReload"), QStringLiteral("Theme\nDefault") });
    list.setFixedSize(240, 320);
    FirstPaintQuit firstPaint;
    list.installEventFilter(&firstPaint);
    list.show();
    return app.exec();
}
