#pragma once

#include <QWidget>

/** The soft-key bar along the bottom: the phone's key help line. */
class SoftKeyBar : public QWidget
{
    Q_OBJECT

public:
    explicit SoftKeyBar(QWidget *parent = nullptr);
    void setTexts(const QString &left, const QString &centre, const QString &right);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_left;
    QString m_centre;
    QString m_right;
};
