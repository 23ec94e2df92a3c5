#include "platform/widgets/znummodule.h"

#include "platform/widgets/zlook.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace {

/** More digits than an int holds are refused. */
constexpr int MaxDigits = 9;

int largestOfWidth(int digits)
{
    int largest = 9;
    for (int i = 1; i < digits; ++i)
        largest = largest * 10 + 9;
    return largest;
}

} // namespace

ZNumModule::ZNumModule(int width, QWidget *parent, const char *name, int flags, int classId)
    : QWidget(parent)
    , m_width(std::clamp(width, 1, MaxDigits))
    , m_max(largestOfWidth(m_width))
{
    Q_UNUSED(flags);
    Q_UNUSED(classId);
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFocusPolicy(Qt::StrongFocus);
    setFont(ZLook::textFont());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

ZNumModule::~ZNumModule() = default;

int ZNumModule::clamped(int value) const
{
    return std::clamp(value, m_min, std::max(m_min, m_max));
}

void ZNumModule::setMaxValue(int value)
{
    m_max = value;
    m_value = clamped(m_value);
    update();
}

void ZNumModule::setMinValue(int value)
{
    m_min = value;
    m_value = clamped(m_value);
    update();
}

void ZNumModule::setValue(int value)
{
    m_typed.clear();
    m_value = clamped(value);
    update();
}

int ZNumModule::getValue() const
{
    return m_typed.isEmpty() ? m_value : clamped(m_typed.toInt());
}

void ZNumModule::commit()
{
    if (m_typed.isEmpty())
        return;
    m_value = getValue();
    m_typed.clear();
    update();
}

void ZNumModule::step(int by)
{
    commit();
    const long long next = static_cast<long long>(m_value) + by;
    m_value = clamped(
        int(std::clamp<long long>(next, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    update();
}

int ZNumModule::arrowWidth() const
{
    return QFontMetrics(font()).horizontalAdvance(QLatin1Char('<')) + 2;
}

QSize ZNumModule::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int digits = metrics.horizontalAdvance(QString(m_width, QLatin1Char('0')));
    return { digits + 2 * arrowWidth() + 2 * ZLook::Margin, metrics.height() + 2 * ZLook::Margin };
}

void ZNumModule::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool focused = hasFocus();
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(box, Qt::white);
    painter.setPen(focused ? ZLook::highlight() : ZLook::separator());
    painter.drawRect(box);
    const QString shown
        = m_typed.isEmpty() ? QStringLiteral("%1").arg(m_value, m_width, 10, QLatin1Char('0')) : m_typed;
    painter.setPen(focused && !m_typed.isEmpty() ? ZLook::highlight() : ZLook::text());
    painter.drawText(rect(), Qt::AlignCenter, shown);
    if (focused) {
        painter.setPen(ZLook::secondaryText());
        painter.drawText(rect().adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("<"));
        painter.drawText(
            rect().adjusted(0, 0, -2, 0), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral(">"));
    }
}

void ZNumModule::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        if (m_typed.size() >= m_width)
            m_typed.clear();
        m_typed.append(QLatin1Char(char('0' + (key - Qt::Key_0))));
    } else if (key == Qt::Key_Backspace && !m_typed.isEmpty()) {
        m_typed.chop(1);
    } else if (key == Qt::Key_Left) {
        step(-1);
    } else if (key == Qt::Key_Right) {
        step(1);
    } else {
        event->ignore();
        return;
    }
    event->accept();
    update();
}

void ZNumModule::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    const int x = int(event->position().x());
    if (x < arrowWidth() + ZLook::Margin)
        step(-1);
    else if (x > width() - arrowWidth() - ZLook::Margin)
        step(1);
}

void ZNumModule::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void ZNumModule::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    commit();
    update();
}
