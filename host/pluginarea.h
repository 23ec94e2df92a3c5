#pragma once

#include <QWidget>

/**
 * The part of the home screen a plug-in paints on. It paints nothing itself
 * (the wallpaper behind it shows through) and tells the host when a paint
 * has reached it, so that frames can be captured.
 */
class PluginArea : public QWidget
{
    Q_OBJECT

public:
    explicit PluginArea(QWidget *parent = nullptr);

Q_SIGNALS:
    void painted();

protected:
    void paintEvent(QPaintEvent *event) override;
};
