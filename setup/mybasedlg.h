#pragma once

#include "platform/widgets/zkbmainwidget.h"

class QEventLoop;

/**
 * A full-screen window that can be run modally: exec() shows it and waits in
 * a nested event loop until done() hides it, then returns the code given to
 * done(). accept() is done(1), reject() done(0); both go through the virtual
 * done(), so a subclass that overrides it sees them. done() on the
 * application's main widget also quits the application. A close by the window
 * manager is the Back key; without one it is reject(), so exec() always returns.
 */
class MyBaseDlg : public ZKbMainWidget
{
    Q_OBJECT

public:
    MyBaseDlg();
    ~MyBaseDlg() override;

    int exec();

public Q_SLOTS:
    virtual void done(int r);
    virtual void accept();
    virtual void reject();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_inLoop = false;
    int m_result = 0;
    QEventLoop *m_loop = nullptr;
};
