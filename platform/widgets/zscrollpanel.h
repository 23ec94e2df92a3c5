#pragma once

#include <QWidget>

/** A panel that holds a row of fields in a popup; the popup scrolls it with its other children. */
class ZScrollPanel : public QWidget
{
    Q_OBJECT

public:
    /** Flags, class id and display are accepted for the platform's signature and not used. */
    explicit ZScrollPanel(QWidget *parent = nullptr, const char *name = nullptr, int flags = 0,
        int classId = 0, int display = 0);
    ~ZScrollPanel() override;
};
