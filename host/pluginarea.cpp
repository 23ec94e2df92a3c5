#include "host/pluginarea.h"

PluginArea::PluginArea(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
}

void PluginArea::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    Q_EMIT painted();
}
