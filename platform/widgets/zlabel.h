#pragma once

#include <QLabel>

/** A text in a window or popup, wrapped at word boundaries when it is wider than its place. */
class ZLabel : public QLabel
{
    Q_OBJECT

public:
    /** Flags and class id are accepted for the platform's signature and not used. */
    explicit ZLabel(const QString &text = QString(), QWidget *parent = nullptr, const char *name = nullptr,
        int flags = 0, int classId = 0);
    ~ZLabel() override;
};
