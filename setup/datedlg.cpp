#include "setup/datedlg.h"

#include "platform/widgets/zlabel.h"
#include "platform/widgets/zlineedit.h"
#include "platform/widgets/znummodule.h"
#include "platform/widgets/zscrollpanel.h"
#include "platform/widgets/zsoftkey.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"

#include <QHBoxLayout>

#include <algorithm>

namespace {

// The platform's widget class ids.
constexpr int LabelClassId = 4;
constexpr int NumModuleClassId = 18;
constexpr int LineEditClassId = 39;
constexpr int ScrollPanelClassId = 62;

ZNumModule *numberField(int width, int max, int min, int value, QWidget *panel)
{
    auto *field = new ZNumModule(width, panel, nullptr, 0, NumModuleClassId);
    field->setMaxValue(max);
    field->setMinValue(min);
    field->setValue(value);
    return field;
}

} // namespace

dateDlg::dateDlg()
    : ZPopup(0, nullptr, nullptr, true, 0, 0, 0)
    , m_date(QDate::currentDate())
{
    setTitle(LngTable::text(LngKeys::Event));

    m_dateLabel = new ZLabel(LngTable::text(LngKeys::InputDate), this, "ZLabel", 0, LabelClassId);
    insertChild(m_dateLabel, -1);
    m_panel = new ZScrollPanel(this, nullptr, 0, ScrollPanelClassId, 0);
    insertChild(m_panel, -1);
    m_year = numberField(4, MaxYear, MinYear, m_date.year(), m_panel);
    m_month = numberField(2, 12, 1, m_date.month(), m_panel);
    m_day = numberField(2, 31, 1, m_date.day(), m_panel);
    auto *fields = new QHBoxLayout(m_panel);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addWidget(m_year, 0);
    fields->addWidget(m_month, 0);
    fields->addWidget(m_day, 0);

    m_eventLabel = new ZLabel(LngTable::text(LngKeys::InputEvent), this, "ZLabel", 0, LabelClassId);
    insertChild(m_eventLabel, -1);
    m_event = new ZLineEdit(this, nullptr, LineEditClassId);
    insertChild(m_event, -1);

    softKey()->setText(ZSoftKey::LEFT, LngTable::text(LngKeys::Add));
    softKey()->setClickedSlot(ZSoftKey::LEFT, this, &dateDlg::slotSet);
    softKey()->setText(ZSoftKey::RIGHT, LngTable::text(LngKeys::Back));
    softKey()->setClickedSlot(ZSoftKey::RIGHT, this, &dateDlg::slotQuit);
    m_year->setFocus();
}

dateDlg::~dateDlg() = default;

QDate dateDlg::heldDate(int year, int month, int day)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return QDate();
    return QDate(year, month, std::clamp(day, 1, first.daysInMonth()));
}

QDate dateDlg::date()
{
    m_date = heldDate(m_year->getValue(), m_month->getValue(), m_day->getValue());
    return m_date;
}

QString dateDlg::eventText() const
{
    return m_event->text();
}

void dateDlg::slotSet()
{
    m_cancelled = false;
    reject();
}

void dateDlg::slotQuit()
{
    m_cancelled = true;
    reject();
}
