#include "platform/widgets/zkbmainwidget.h"

#include "platform/phonescreen.h"
#include "platform/widgets/zlook.h"
#include "platform/widgets/zsoftkey.h"
#include "platform/widgets/ztitlebar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

QString &applicationTitle()
{
    static QString title;
    return title;
}

} // namespace

ZKbMainWidget::ZKbMainWidget(int headerType, QWidget *parent, const char *name, int flags, int display)
    : QWidget(parent)
    , m_titleBar(new ZTitleBar(this))
    , m_layout(new QVBoxLayout(this))
    , m_contentArea(new QWidget(this))
    , m_focus(this)
{
    Q_UNUSED(headerType);
    Q_UNUSED(flags);
    Q_UNUSED(display);
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFixedSize(PhoneScreen::Width, PhoneScreen::Height);
    // Keys reach the window when no field has the focus; it never takes the focus from a field.
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ZLook::background());
    colours.setColor(QPalette::WindowText, ZLook::text());
    setPalette(colours);
    setFont(ZLook::textFont());

    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_titleBar);
    m_layout->addWidget(m_contentArea, 1);
    auto *contentLayout = new QVBoxLayout(m_contentArea);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);
    updateTitle();
}

ZKbMainWidget::~ZKbMainWidget() = default;

void ZKbMainWidget::setAppTitle(const QString &title)
{
    applicationTitle() = title;
    if (!qApp)
        return;
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets) {
        if (auto *window = qobject_cast<ZKbMainWidget *>(widget))
            window->updateTitle();
    }
}

void ZKbMainWidget::setMainWidgetTitle(const QString &title)
{
    m_title = title;
    updateTitle();
}

QString ZKbMainWidget::title() const
{
    return m_title.isEmpty() ? applicationTitle() : m_title;
}

void ZKbMainWidget::setTitleIcon(const QPixmap &icon)
{
    m_titleBar->setIcon(icon);
}

void ZKbMainWidget::updateTitle()
{
    m_titleBar->setText(title());
    setWindowTitle(title());
}

void ZKbMainWidget::setContentWidget(QWidget *content)
{
    if (content == m_content)
        return;
    delete m_content;
    m_content = content;
    if (!content)
        return;
    m_contentArea->layout()->addWidget(content);
    content->show();
    if (isVisible() && isActiveWindow() && (content->focusPolicy() & Qt::TabFocus))
        content->setFocus();
}

void ZKbMainWidget::setSoftKey(ZSoftKey *softKey)
{
    if (softKey == m_softKey)
        return;
    if (m_softKey) {
        m_layout->removeWidget(m_softKey);
        m_softKey->hide();
    }
    m_softKey = softKey;
    if (!softKey)
        return;
    softKey->setParent(this);
    m_layout->addWidget(softKey);
    softKey->show();
}

void ZKbMainWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1:
        if (m_softKey)
            m_softKey->click(ZSoftKey::LEFT);
        break;
    case Qt::Key_F2:
    case Qt::Key_Escape:
        if (m_softKey)
            m_softKey->click(ZSoftKey::RIGHT);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ZKbMainWidget::setVisible(bool visible)
{
    // A window opened over another one covers the same phone screen.
    if (visible && !isVisible() && isWindow()) {
        // Over a modal popup only a modal window gets the keys.
        if (QApplication::activeModalWidget() && windowModality() == Qt::NonModal)
            setWindowModality(Qt::ApplicationModal);
        m_focus.rememberWindowBeneath();
        if (m_focus.windowBeneath())
            setGeometry(QRect(m_focus.phoneScreenOrigin(nullptr), size()));
    }
    QWidget::setVisible(visible);
}

void ZKbMainWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_focus.shown();
}

void ZKbMainWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_focus.hidden();
}

void ZKbMainWidget::closeEvent(QCloseEvent *event)
{
    // The window manager's close is Back: the right soft key decides whether the window goes.
    if (m_softKey && m_softKey->isBound(ZSoftKey::RIGHT)) {
        event->ignore();
        m_softKey->click(ZSoftKey::RIGHT);
        return;
    }
    QWidget::closeEvent(event);
}

ZSoftKey *ZKbMainWidget::softKey() const
{
    return m_softKey;
}
