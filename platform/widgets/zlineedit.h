#pragma once

#include <QLineEdit>

/**
 * A one-line text field. The phone's navigation and soft keys (Up, Down,
 * Return, F1, F2, Escape) pass on to the popup or window that holds it.
 */
class ZLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    /** The class id is accepted for the platform's signature and not used. */
    explicit ZLineEdit(QWidget *parent = nullptr, const char *name = nullptr, int classId = 0);
    ~ZLineEdit() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
