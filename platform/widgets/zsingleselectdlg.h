#pragma once

#include "platform/widgets/zpopup.h"

#include <QStringList>

class ZListBox;

/**
 * A popup that offers choices of which exactly one is checked. Up and Down
 * move the check; Return, F1 or a click on a choice accepts (exec() returns 1),
 * F2 or Escape cancels (exec() returns 0).
 */
class ZSingleSelectDlg : public ZPopup
{
    Q_OBJECT

public:
    /** Flags, integer argument and display are accepted for the platform's signature and not used. */
    ZSingleSelectDlg(const QString &title, const QString &instruction, QWidget *parent = nullptr,
        const char *name = nullptr, bool modal = true, int flags = 0, int arg = 0, int display = 0);
    ~ZSingleSelectDlg() override;

    /** Adds the choices after those there are; the first choice starts checked. */
    void addItemsList(const QStringList &items);
    /** The checked choice, -1 when there is none. */
    int getCheckedItemIndex() const;

private:
    void updateMarks();

    ZListBox *m_list;
};
