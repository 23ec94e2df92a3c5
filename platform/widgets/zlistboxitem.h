#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <vector>

class ZListBox;

/**
 * One row of a ZListBox. Its columns follow the list box's item layout: an
 * icon column ("%I") shows the column's image, a text column ("%M") its text
 * lines, the first line in the list's text colour and the others smaller below.
 * Once inserted, the list box owns the row and repaints it when it changes.
 */
class ZListBoxItem
{
public:
    /** The row takes the list box's item layout; the layout argument is accepted and not used. */
    explicit ZListBoxItem(ZListBox *listBox = nullptr, const QString &itemLayout = QString());
    virtual ~ZListBoxItem();

    ZListBoxItem(const ZListBoxItem &) = delete;
    ZListBoxItem &operator=(const ZListBoxItem &) = delete;

    /**
     * Adds a text line below the column's other lines. The flag and the region
     * are accepted for the platform's signature and not used.
     */
    void appendSubItem(int column, const QString &text, bool flag = false, int region = 0);
    /** Replaces text line `line` of the column (missing lines up to it are added empty). */
    void setSubItem(int column, int line, const QString &text, bool flag = false, int region = 0);
    void setPixmap(int column, const QPixmap &pixmap);

    QString subItem(int column, int line) const;
    int subItemCount(int column) const;
    QPixmap pixmap(int column) const;
    /** The first text line of the first text column with one: what the list sorts by. */
    QString sortText() const;

    ZListBox *listBox() const { return m_listBox; }

    /** Columns and lines beyond these are refused; no row needs more. */
    static constexpr int MaxColumns = 8;
    static constexpr int MaxLines = 8;

private:
    friend class ZListBox;

    struct Column {
        QStringList lines;
        QPixmap pixmap;
    };

    Column *column(int index);
    const Column *column(int index) const;
    void changed();

    ZListBox *m_listBox;
    bool m_inserted = false;
    std::vector<Column> m_columns;
};
