#pragma once

#include <QBasicTimer>
#include <QSet>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class ZListBoxItem;

/**
 * A phone list: rows of icons and text lines laid out after an item layout
 * string ("%I%M": an icon column, then a text column), the current row
 * highlighted and kept in view. Up and Down move the current row, Return and
 * Enter select it (`selected`); a click on a row makes it current and selects
 * it. Text too wide for its column is elided, or scrolls along in the current
 * row for the lines whose marquee is on.
 */
class ZListBox : public QWidget
{
    Q_OBJECT

public:
    /** The platform's class id of a list box, as the settings application's lists pass it. */
    static constexpr int ClassId = 40;

    /** Flags and class id are accepted for the platform's signature and not used. */
    explicit ZListBox(
        const QString &itemLayout = QString(), QWidget *parent = nullptr, int flags = 0, int classId = 0);
    ~ZListBox() override;

    void setItemLayout(const QString &itemLayout);
    QString itemLayout() const { return m_layout; }

    /** Inserts the row at the index (-1: at the end) and takes it over. */
    void insertItem(ZListBoxItem *item, int index = -1);
    ZListBoxItem *insertItem(std::unique_ptr<ZListBoxItem> item, int index = -1);
    ZListBoxItem *item(int index) const;
    int count() const { return int(m_items.size()); }
    /** Deletes every row. */
    void clear();

    /** The current row, -1 when the list is empty. */
    int currentItem() const { return m_current; }
    virtual void setCurrentItem(int index);

    /** Sorts the rows there are now by their first text line; rows inserted later are not sorted. */
    void sort(bool ascending = true);
    /** Lets text line `region` of the current row scroll along when it is too wide. */
    void enableMarquee(int region, bool on);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /** The user selected a row: Return, Enter or a click. */
    void selected(int index);
    /** Another row became current. */
    void highlighted(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    friend class ZListBoxItem;

    struct Geometry {
        int iconColumns = 0;
        int textColumns = 0;
        int iconWidth = 0;
        int textWidth = 0;
    };

    void itemChanged();
    Geometry geometry() const;
    int rowHeight(const ZListBoxItem &item) const;
    int rowTop(int index) const;
    int contentHeight() const;
    int rowAt(int y) const;
    void scrollTo(int offset);
    void ensureCurrentVisible();
    void paintRow(
        QPainter &painter, const ZListBoxItem &item, int top, bool current, const Geometry &geometry);
    int marqueeOverflow() const;
    void restartMarquee();

    QString m_layout;
    std::vector<std::unique_ptr<ZListBoxItem>> m_items;
    int m_current = -1;
    int m_offset = 0;
    int m_pressedRow = -1;
    QSet<int> m_marqueeRegions;
    QBasicTimer m_marqueeTimer;
    int m_marqueeStep = 0;
};
