#pragma once

#include "platform/hsplugin.h"

#include <QPointer>
#include <QWidget>

/** Hands the plug-in its widget (or none), once. */
class HostContext : public HSPluginContext
{
public:
    explicit HostContext(QWidget *widget = nullptr)
        : m_widget(widget)
    { }
    QWidget *takePluginWidget() override
    {
        QWidget *widget = m_widget;
        m_widget = nullptr;
        return widget;
    }

private:
    QPointer<QWidget> m_widget;
};
