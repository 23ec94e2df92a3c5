#include "data/skinlint.h"

#include "data/configlines.h"
#include "data/skinelementcheck.h"
#include "data/skinloader.h"
#include "data/skinmodel.h"
#include "data/skinschema.h"
#include "platform/zconfig.h"
#include "platform/zconfigdocument.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace {

using Severity = SkinFinding::Severity;

int editDistance(const QString &a, const QString &b)
{
    std::vector<int> row(size_t(b.size()) + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[size_t(j)] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            row[size_t(j)] = std::min({ above + 1, row[size_t(j - 1)] + 1, diagonal + cost });
            diagonal = above;
        }
    }
    return row[size_t(b.size())];
}

// The known name closest to a written one, when it is close enough to be what was meant.
QString nearest(const QString &written, const QStringList &known)
{
    QString best;
    int bestDistance = INT_MAX;
    for (const QString &name : known) {
        if (name.compare(written, Qt::CaseInsensitive) == 0)
            return name;
        const int distance = editDistance(name.toLower(), written.toLower());
        if (distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    const bool close = bestDistance <= 2 && bestDistance * 3 <= int(written.size());
    return close ? best : QString();
}

// Why the written name is not the known one, as the end of a finding's message.
QString hint(const QString &written, const QString &known, const QString &kind)
{
    const QString odd = SkinSchema::isOddSpelling(known) ? QStringLiteral(", spelt so") : QString();
    if (known.compare(written, Qt::CaseInsensitive) == 0)
        return QStringLiteral("names are case-sensitive: the %1 is \"%2\"%3").arg(kind, known, odd);
    if (!odd.isEmpty())
        return QStringLiteral("the %1 is \"%2\"%3").arg(kind, known, odd);
    return QStringLiteral("did you mean \"%1\"?").arg(known);
}

/** One lint of one skin folder: the file as text and through ZConfig, and the findings so far. */
class LintPass
{
public:
    LintPass(const QString &folder, const QByteArray &bytes, QList<SkinFinding> &findings)
        : m_folder(folder)
        , m_file(folder + QStringLiteral("/skin.cfg"))
        , m_lines(bytes)
        , m_cfg(m_file)
        , m_findings(findings)
    { }

    void run();

private:
    void report(int line, Severity severity, const QString &message)
    {
        m_findings.append({ m_file, std::max(line, 1), severity, message });
    }
    void ignoredLines();
    void unknownGroup(const QString &group, int line);
    void unknownKey(const ConfigLines::Entry &entry);
    void value(const ConfigLines::Entry &entry, const SkinSchema::Key &key);
    void truthValue(int line, const QString &text, const SkinSchema::Key &key);
    void integer(int line, const QString &text, const SkinSchema::Key &key);
    void colour(int line, const QString &text);
    void names();

    const QString m_folder;
    const QString m_file;
    const ConfigLines m_lines;
    const ZConfig m_cfg;
    QList<SkinFinding> &m_findings;
};

void LintPass::run()
{
    ignoredLines();
    for (const QString &group : m_lines.groups()) {
        if (!SkinSchema::isGroup(group))
            unknownGroup(group, m_lines.groupLine(group));
    }
    for (const ConfigLines::Entry &entry : m_lines.entries()) {
        if (!SkinSchema::isGroup(entry.group))
            continue;
        const SkinSchema::Key *key = SkinSchema::find(entry.group, entry.key);
        if (key)
            value(entry, *key);
        else
            unknownKey(entry);
    }
    names();
    SkinElementCheck(m_folder, m_cfg, m_lines, [this](int line, Severity severity, const QString &message) {
        report(line, severity, message);
    }).run();
}

void LintPass::ignoredLines()
{
    for (const ConfigLines::Finding &f : m_lines.findings()) {
        switch (f.issue) {
        case ConfigLines::Issue::BadHeader:
            report(f.line, Severity::Error,
                QStringLiteral("broken group header \"%1\": it and the keys below it are ignored")
                    .arg(f.text));
            break;
        case ConfigLines::Issue::BadGroupName:
            report(f.line, Severity::Error,
                QStringLiteral("group name \"%1\" cannot be read: the keys below it are ignored")
                    .arg(f.name));
            break;
        case ConfigLines::Issue::RepeatedGroup:
            report(f.line, Severity::Warning,
                QStringLiteral(
                    "group [%1] again: only the first, on line %2, is read; the keys below are ignored")
                    .arg(f.name)
                    .arg(f.firstLine));
            break;
        case ConfigLines::Issue::KeyOutsideGroup:
            report(f.line, Severity::Warning,
                QStringLiteral("key \"%1\" belongs to no group that is read: ignored").arg(f.name));
            break;
        case ConfigLines::Issue::BadKeyName:
            report(f.line, Severity::Error,
                QStringLiteral("key name \"%1\" cannot be read: ignored").arg(f.name));
            break;
        case ConfigLines::Issue::RepeatedKey:
            report(f.line, Severity::Warning,
                QStringLiteral("%1 again in [%2]: only the first, on line %3, is read")
                    .arg(f.name, f.group)
                    .arg(f.firstLine));
            break;
        case ConfigLines::Issue::Stray:
            report(f.line, Severity::Error,
                QStringLiteral("\"%1\" is neither a group header, a key nor a comment: ignored").arg(f.text));
            break;
        }
    }
}

void LintPass::unknownGroup(const QString &group, int line)
{
    const QString known = nearest(group, SkinSchema::groups());
    if (known.isEmpty()) {
        report(line, Severity::Warning, QStringLiteral("unknown group [%1]: nothing reads it").arg(group));
        return;
    }
    report(line, Severity::Error,
        QStringLiteral("unknown group [%1]: %2").arg(group, hint(group, known, QStringLiteral("group"))));
}

void LintPass::unknownKey(const ConfigLines::Entry &entry)
{
    const QString &group = entry.group;
    const QString &key = entry.key;
    if (group == QLatin1String("FramwCover")
        && (key == QLatin1String("Left") || key == QLatin1String("Top"))) {
        report(entry.line, Severity::Error,
            QStringLiteral("[FramwCover] %1 is never read: the frame cover's position is [Img] %1").arg(key));
        return;
    }
    // A slot beyond the tenth: "Top10" and the like.
    static const QRegularExpression slotKey(QStringLiteral("^(\\D+)(\\d+)$"));
    const QRegularExpressionMatch match = slotKey.match(key);
    if (match.hasMatch() && match.captured(2).toInt() >= SkinSchema::SlotCount
        && SkinSchema::find(group, match.captured(1) + QLatin1Char('0'))) {
        report(entry.line, Severity::Warning,
            QStringLiteral("%1 is never read: the dock has slots 0 to %2")
                .arg(key)
                .arg(SkinSchema::SlotCount - 1));
        return;
    }
    QStringList known;
    for (const SkinSchema::Key &k : SkinSchema::keys()) {
        if (group != k.group)
            continue;
        const int slots = SkinSchema::isSlotKey(k) ? SkinSchema::SlotCount : 1;
        for (int slot = 0; slot < slots; ++slot)
            known.append(SkinSchema::keyName(k, slot));
    }
    const QString best = nearest(key, known);
    if (best.isEmpty()) {
        report(entry.line, Severity::Warning,
            QStringLiteral("unknown key \"%1\" in [%2]: nothing reads it").arg(key, group));
        return;
    }
    report(entry.line, Severity::Error,
        QStringLiteral("unknown key \"%1\" in [%2]: %3")
            .arg(key, group, hint(key, best, QStringLiteral("key"))));
}

void LintPass::value(const ConfigLines::Entry &entry, const SkinSchema::Key &key)
{
    const QString text = m_cfg.readEntry(entry.group, entry.key, QString());
    switch (key.type) {
    case SkinSchema::ValueType::Switch:
    case SkinSchema::ValueType::Boolean:
        truthValue(entry.line, text, key);
        break;
    case SkinSchema::ValueType::Position:
    case SkinSchema::ValueType::Integer:
    case SkinSchema::ValueType::FontSize:
        integer(entry.line, text, key);
        break;
    case SkinSchema::ValueType::Colour:
        colour(entry.line, text);
        break;
    case SkinSchema::ValueType::Image: // checked with the element that shows it
    case SkinSchema::ValueType::Text:
        break;
    }
}

void LintPass::truthValue(int line, const QString &text, const SkinSchema::Key &key)
{
    if (ZConfigDocument::toBool(text))
        return;
    report(line, Severity::Error,
        QStringLiteral(
            "\"%1\" is not a truth value (true or false, 1 or 0, yes or no, on or off): read as %2")
            .arg(text, QLatin1String(key.defaultValue)));
}

void LintPass::integer(int line, const QString &text, const SkinSchema::Key &key)
{
    const std::optional<qint64> number = ZConfigDocument::toInteger(text, INT_MIN, INT_MAX);
    if (!number) {
        report(line, Severity::Error,
            QStringLiteral("\"%1\" is not a decimal number: read as %2")
                .arg(text, QLatin1String(key.defaultValue)));
        return;
    }
    if (*number > SkinNumberLimit || *number < -SkinNumberLimit) {
        report(line, Severity::Warning,
            QStringLiteral("%1 is beyond %2 either way: read as %3")
                .arg(*number)
                .arg(SkinNumberLimit)
                .arg(*number > 0 ? SkinNumberLimit : -SkinNumberLimit));
        return;
    }
    if (key.type == SkinSchema::ValueType::FontSize && *number <= 0)
        report(line, Severity::Warning,
            QStringLiteral("font size %1: a size of 0 or below keeps the font's own size").arg(*number));
    else if (key.type == SkinSchema::ValueType::FontSize && *number > SkinSchema::MaxFontSize)
        report(line, Severity::Warning,
            QStringLiteral("font size %1 is drawn at %2").arg(*number).arg(SkinSchema::MaxFontSize));
}

void LintPass::colour(int line, const QString &text)
{
    bool ok = false;
    const long number = text.toLong(&ok, 10);
    if (ok) {
        if (number < 0 || number > SkinSchema::MaxColour)
            report(line, Severity::Warning,
                QStringLiteral("colour %1 is beyond 0 to %2: read as %3")
                    .arg(number)
                    .arg(SkinSchema::MaxColour)
                    .arg(number & SkinSchema::MaxColour));
        return;
    }
    if (text.isEmpty()) {
        report(line, Severity::Warning, QStringLiteral("empty colour: read as 0, black"));
        return;
    }
    static const QRegularExpression hex(QStringLiteral("^(?:#|0[xX])?([0-9a-fA-F]{1,6})$"));
    const QRegularExpressionMatch match = hex.match(text);
    if (match.hasMatch()) {
        const long meant = match.captured(1).toLong(nullptr, 16);
        report(line, Severity::Error,
            QStringLiteral("colour \"%1\" is hexadecimal: write one decimal number, %2; read as 0, black")
                .arg(text)
                .arg(meant));
        return;
    }
    report(line, Severity::Error,
        QStringLiteral(
            "\"%1\" is not a colour: write one decimal number, red * 65536 + green * 256 + blue; read "
            "as 0, black")
            .arg(text));
}

void LintPass::names()
{
    const QString group = QStringLiteral("General");
    const bool hasName = !m_cfg.readEntry(group, QStringLiteral("SkinName"), QString()).isEmpty();
    const bool hasAuthor = !m_cfg.readEntry(group, QStringLiteral("Author"), QString()).isEmpty();
    const int line = m_lines.groupLine(group);
    if (!hasName && !hasAuthor)
        report(line, Severity::Error,
            QStringLiteral("no [General] SkinName or Author: the skin chooser does not list this skin"));
    else if (!hasName)
        report(line, Severity::Warning, QStringLiteral("no [General] SkinName: the chooser shows no title"));
    else if (!hasAuthor)
        report(line, Severity::Warning, QStringLiteral("no [General] Author: the chooser shows no author"));
}

} // namespace

QString SkinFinding::toString() const
{
    const QString kind = severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
    return QStringLiteral("%1:%2: %3: %4").arg(file).arg(line).arg(kind, message);
}

QList<SkinFinding> SkinLint::lint(const QString &folder)
{
    QString dir = folder;
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    QList<SkinFinding> findings;
    const QString file = dir + QStringLiteral("/skin.cfg");
    if (!QFileInfo(dir).isDir()) {
        findings.append({ file, 1, Severity::Error, QStringLiteral("no skin folder %1").arg(dir) });
        return findings;
    }
    // A folder the loader would refuse by its name is never shown, however good its description.
    const QString name = QFileInfo(QDir::cleanPath(QFileInfo(dir).absoluteFilePath())).fileName();
    if (SkinLoader::skinDirectory(name).isEmpty())
        findings.append({ file, 1, Severity::Error, SkinLoader::refusedName(name) });
    if (!QFileInfo::exists(file)) {
        findings.append({ file, 1, Severity::Error,
            QStringLiteral("missing: every element is off and the skin chooser does not list the skin") });
        return findings;
    }
    QString error;
    const std::optional<QByteArray> bytes = ZConfigDocument::readFile(file, &error);
    if (!bytes) {
        findings.append({ file, 1, Severity::Error, QStringLiteral("cannot be read: %1").arg(error) });
        return findings;
    }
    LintPass(dir, *bytes, findings).run();
    std::stable_sort(findings.begin(), findings.end(),
        [](const SkinFinding &a, const SkinFinding &b) { return a.line < b.line; });
    return findings;
}

int SkinLint::exitCode(const QList<SkinFinding> &findings)
{
    int code = 0;
    for (const SkinFinding &finding : findings)
        code = std::max(code, finding.severity == SkinFinding::Severity::Error ? 2 : 1);
    return code;
}

QStringList SkinLint::lines(const QList<SkinFinding> &findings)
{
    QStringList out;
    for (const SkinFinding &finding : findings)
        out.append(finding.toString());
    return out;
}
