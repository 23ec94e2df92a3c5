#include "render/skinrenderer.h"

#include <QPainter>

SkinRenderer::SkinRenderer(SkinModel &model)
    : m_model(model)
{ }

void SkinRenderer::setComposition(FrameComposition composition)
{
    m_composition = composition;
}

void SkinRenderer::setClock(const FrameClock *clock)
{
    m_clock = clock;
}

void SkinRenderer::setBatterySource(std::function<int()> source)
{
    m_batterySource = std::move(source);
}

void SkinRenderer::setSignalSource(std::function<int()> source)
{
    m_signalSource = std::move(source);
}

void SkinRenderer::setNotifyFormatTranslator(std::function<QString(const QString &)> translator)
{
    m_translate = std::move(translator);
}

const QImage &SkinRenderer::paintFrame()
{
    if (m_frame.isNull())
        m_frame = QImage(240, 320, QImage::Format_ARGB32_Premultiplied);
    m_frame.fill(Qt::black);
    return m_frame;
}

int SkinRenderer::pluginFrameHeight() const
{
    return 295 - m_model.paddingSum;
}

void SkinRenderer::drawCenter(QPainter &)
{ }
void SkinRenderer::drawBattery(QPainter &)
{ }
void SkinRenderer::drawSignal(QPainter &)
{ }
void SkinRenderer::drawFrameCover(QPainter &)
{ }
void SkinRenderer::drawDigital(QPainter &)
{ }
void SkinRenderer::drawAnalog(QPainter &)
{ }
void SkinRenderer::drawDate(QPainter &)
{ }
void SkinRenderer::drawWeek(QPainter &)
{ }
void SkinRenderer::drawLunar(QPainter &)
{ }
void SkinRenderer::drawNotify(QPainter &)
{ }
void SkinRenderer::drawDockBar(QPainter &)
{ }

QString SkinRenderer::notifyText() const
{
    return QString();
}
