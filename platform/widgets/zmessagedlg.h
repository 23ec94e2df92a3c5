#pragma once

#include "platform/widgets/zpopup.h"

class ZLabel;

/**
 * A popup with a title and a message. A question (type 1) answers with its
 * soft keys: F1 or Return says yes and exec() returns 1, F2 or Escape says no
 * and exec() returns 0. Every other type is a notice that F1 or Return closes
 * with 1, F2 or Escape with 0. Up and Down read through a long message.
 */
class ZMessageDlg : public ZPopup
{
    Q_OBJECT

public:
    enum MessageDlgType { Notice = 0, Question = 1, Information = 2 };

    /** The integer argument, flags and display are accepted for the platform's signature and not used. */
    ZMessageDlg(const QString &title, const QString &text, int type = Notice, int arg = 0,
        QWidget *parent = nullptr, const char *name = nullptr, bool modal = true, int flags = 0,
        int display = 0);
    ~ZMessageDlg() override;

    QString text() const;
    int type() const { return m_type; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_type;
    ZLabel *m_label;
};
