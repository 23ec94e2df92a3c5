#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/** One thing in a skin that will not show as its author meant, at a line of its "skin.cfg". */
struct SkinFinding {
    enum class Severity { Warning, Error };

    QString file;
    int line = 1;
    Severity severity = Severity::Warning;
    QString message;

    /** The compilers' form: "FILE:LINE: warning: message". */
    QString toString() const;
};

/**
 * Reads a skin folder the way the loader does and says, one finding a line,
 * everything that will not show as the author meant: names the loader does
 * not read (with the nearest one it does), lines it ignores, values it cannot
 * read, images that are missing or of a size that cannot work, and elements
 * outside the frame. Groups and keys come from SkinSchema, the loader's table.
 */
class SkinLint
{
public:
    /** The findings for the skin in @p folder, in line order; its skin.cfg is named "folder/skin.cfg". */
    static QList<SkinFinding> lint(const QString &folder);

    /** 0 without findings, 1 with warnings only, 2 with an error. */
    static int exitCode(const QList<SkinFinding> &findings);
    static QStringList lines(const QList<SkinFinding> &findings);
};
