#pragma once

#include "data/skinlint.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class ConfigLines;
class ZConfig;

/**
 * The element checks of the skin linter: for every element that is switched
 * on, its images (present, readable, within the size limit, of a size that
 * works for what they are) and its place (not wholly outside the frame), and
 * the dock bar's slot count and slot geometry.
 */
class SkinElementCheck
{
public:
    using Report = std::function<void(int line, SkinFinding::Severity severity, const QString &message)>;

    SkinElementCheck(const QString &folder, const ZConfig &cfg, const ConfigLines &lines, Report report);

    void run();

private:
    bool shown(const QString &group, const QString &key = QStringLiteral("Show"), bool def = false) const;
    int number(const QString &group, const QString &key, int def = 0) const;
    int line(const QString &group, const QString &key) const;
    /** The size of a readable image of the element; an invalid size when there is none. */
    QSize image(const QString &group, const QString &key, bool needed = true);
    /** Reports a part of an element that no frame shows, at the line of its Left key. */
    void placed(const QString &group, const QString &leftKey, const QString &topKey, const QSize &size,
        const QString &what);

    void cover();
    void analog();
    void digital();
    void week();
    void date();
    void text(const QString &group, const QString &what);
    void gauge(const QString &group, int levels);
    void dock();
    void slot(int index);
    void centre();

    const QString m_folder;
    const ZConfig &m_cfg;
    const ConfigLines &m_lines;
    Report m_report;
    // The images of one load share the loader's pixel budget, in the loader's order.
    qint64 m_pixelsLeft;
};
