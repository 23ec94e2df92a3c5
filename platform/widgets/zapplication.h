#pragma once

#include <QApplication>
#include <QWidget>

/**
 * The phone application object: a QApplication whose windows use the phone's
 * font, and which knows its main widget (the window whose end ends the program).
 */
class ZApplication : public QApplication
{
    Q_OBJECT

public:
    enum Type { Tty, GuiClient, GuiServer };

    /** The type is accepted for the platform's signature; every phone application is a GUI client here. */
    ZApplication(int &argc, char **argv, Type type = GuiClient);
    ~ZApplication() override;

    /** The main widget; kept for any QApplication, so windows built in tests see it too. */
    static void setMainWidget(QWidget *widget);
    static QWidget *mainWidget();
};
