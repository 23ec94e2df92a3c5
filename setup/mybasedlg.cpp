#include "setup/mybasedlg.h"

#include "platform/widgets/zapplication.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

MyBaseDlg::MyBaseDlg()
    : ZKbMainWidget(3, nullptr, "ZMainWidget", 3, 0)
{ }

MyBaseDlg::~MyBaseDlg()
{
    // A window destroyed while it is waited for lets its caller go on.
    if (m_loop)
        m_loop->exit();
}

int MyBaseDlg::exec()
{
    m_result = 0;
    // Run from a modal popup (the preview from the skin chooser), the window must take the keys.
    setWindowModality(Qt::ApplicationModal);
    show();
    m_inLoop = true;
    QEventLoop loop;
    m_loop = &loop;
    const QPointer<MyBaseDlg> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (!self)
        return 0;
    m_loop = nullptr;
    m_inLoop = false;
    return m_result;
}

void MyBaseDlg::done(int r)
{
    hide();
    if (m_inLoop && m_loop)
        m_loop->exit();
    m_inLoop = false;
    m_result = r;
    if (ZApplication::mainWidget() == this)
        QCoreApplication::quit();
}

void MyBaseDlg::closeEvent(QCloseEvent *event)
{
    ZKbMainWidget::closeEvent(event);
    if (event->isAccepted()) {
        event->ignore();
        reject();
    }
}

void MyBaseDlg::accept()
{
    done(1);
}

void MyBaseDlg::reject()
{
    done(0);
}
