#pragma once

#include <QString>
#include <QWidget>

/**
 * A number field of a fixed count of digits with a range. Typing digits
 * enters a new value (Backspace takes the last digit back); the value is held
 * within the range as soon as it is read and when the field loses the focus.
 * Left and Right step the value down and up by one within the range.
 */
class ZNumModule : public QWidget
{
    Q_OBJECT

public:
    /** Flags and class id are accepted for the platform's signature and not used. */
    explicit ZNumModule(
        int width, QWidget *parent = nullptr, const char *name = nullptr, int flags = 0, int classId = 0);
    ~ZNumModule() override;

    void setMaxValue(int value);
    void setMinValue(int value);
    /** Sets the value, held within the range. */
    void setValue(int value);
    /** The value shown (or being typed), held within the range. */
    int getValue() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    int clamped(int value) const;
    void commit();
    void step(int by);
    int arrowWidth() const;

    int m_width;
    int m_min = 0;
    int m_max;
    int m_value = 0;
    /** The digits typed since the value was last committed; empty when not typing. */
    QString m_typed;
};
