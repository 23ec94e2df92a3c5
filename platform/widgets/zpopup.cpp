#include "platform/widgets/zpopup.h"

#include "platform/phonescreen.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlook.h"
#include "platform/widgets/zsoftkey.h"
#include "platform/widgets/ztitlebar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

/** The popup's scrolled body; Up and Down belong to the popup, which moves between fields with them. */
class BodyScrollArea : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;

protected:
    void keyPressEvent(QKeyEvent *event) override { event->ignore(); }
};

} // namespace

ZPopup::ZPopup(int type, QWidget *parent, const char *name, bool modal, int arg, int flags, int display)
    : QDialog(parent)
    , m_titleBar(new ZTitleBar(this))
    , m_scroll(new BodyScrollArea(this))
    , m_body(new QWidget)
    , m_bodyLayout(new QVBoxLayout(m_body))
    , m_softKey(new ZSoftKey(nullptr, this))
    , m_focus(this)
{
    Q_UNUSED(type);
    Q_UNUSED(arg);
    Q_UNUSED(flags);
    Q_UNUSED(display);
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    // Keys reach the window when no field has the focus; it never takes the focus from a field.
    setFocusPolicy(Qt::ClickFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ZLook::background());
    colours.setColor(QPalette::WindowText, ZLook::text());
    setPalette(colours);
    setFont(ZLook::textFont());

    m_bodyLayout->setContentsMargins(ZLook::Margin, ZLook::Margin, ZLook::Margin, ZLook::Margin);
    m_bodyLayout->setSpacing(ZLook::Margin);
    m_bodyLayout->addStretch(0);
    m_scroll->setWidget(m_body);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The popup sizes itself to the phone screen; the layout only fills it.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(m_titleBar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_softKey);
    setFixedWidth(PhoneScreen::Width);
}

ZPopup::~ZPopup() = default;

void ZPopup::setTitle(const QString &title)
{
    m_titleBar->setText(title);
    setWindowTitle(title);
}

QString ZPopup::title() const
{
    return m_titleBar->text();
}

void ZPopup::setTitleIcon(const QPixmap &icon)
{
    m_titleBar->setIcon(icon);
}

void ZPopup::insertChild(QWidget *child, int pos)
{
    if (!child)
        return;
    const bool grows = child->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag;
    m_growing = m_growing || grows;
    // A list reaches from edge to edge, as in a full-screen window.
    if (qobject_cast<ZListBox *>(child))
        m_bodyLayout->setContentsMargins(0, 0, 0, 0);
    const int index = pos < 0 || pos > m_children ? m_children : pos;
    m_bodyLayout->insertWidget(index, child, grows ? 1 : 0);
    ++m_children;
    child->show();
    if (isVisible())
        placeOnScreen();
}

void ZPopup::placeOnScreen()
{
    int height = PhoneScreen::Height;
    if (!m_growing) {
        // Wrapped texts need the width to tell their height.
        const int body = m_body->hasHeightForWidth() ? m_body->heightForWidth(PhoneScreen::Width)
                                                     : m_bodyLayout->sizeHint().height();
        const int wanted = ZLook::TitleBarHeight + body + ZLook::SoftKeyBarHeight;
        height = std::min(wanted, PhoneScreen::Height);
    }
    setFixedHeight(height);

    // Over the bottom of the phone screen, whichever window is beneath.
    if (isWindow()) {
        const QPoint origin = m_focus.phoneScreenOrigin(parentWidget());
        setGeometry(origin.x(), origin.y() + PhoneScreen::Height - height, PhoneScreen::Width, height);
    }
}

void ZPopup::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1:
        m_softKey->click(ZSoftKey::LEFT);
        break;
    case Qt::Key_F2:
    case Qt::Key_Escape:
        back();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveAlong(event->key() == Qt::Key_Down);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        break;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ZPopup::back()
{
    if (m_softKey->isBound(ZSoftKey::RIGHT))
        m_softKey->click(ZSoftKey::RIGHT);
    else
        reject();
}

void ZPopup::closeEvent(QCloseEvent *event)
{
    // QDialog would reject() past the popup's own Back: its caller would read an unanswered popup.
    event->ignore();
    if (isVisible())
        back();
}

void ZPopup::moveAlong(bool down)
{
    QWidget *before = focusWidget();
    if (before && before != this && focusNextPrevChild(down) && focusWidget() != before) {
        m_scroll->ensureWidgetVisible(focusWidget());
        return;
    }
    // No field to move to: Up and Down read through a long text instead.
    QScrollBar *bar = m_scroll->verticalScrollBar();
    bar->setValue(bar->value() + (down ? 1 : -1) * QFontMetrics(font()).lineSpacing());
}

void ZPopup::setVisible(bool visible)
{
    // Size and place the popup before the window system maps it.
    if (visible && !isVisible()) {
        m_focus.rememberWindowBeneath();
        placeOnScreen();
    }
    QDialog::setVisible(visible);
}

void ZPopup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_focus.shown();
}

void ZPopup::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    m_focus.hidden();
}
