#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

/**
 * The bar across the top of every window and popup: an optional icon and the
 * title, elided when it is wider than the bar.
 */
class ZTitleBar : public QWidget
{
    Q_OBJECT

public:
    explicit ZTitleBar(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    void setIcon(const QPixmap &icon);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QPixmap m_icon;
};
