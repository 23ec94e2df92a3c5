// kestrow-lunar DATE...: prints "DATE<TAB>lunar text" for each DATE written
// YYYY-MM-DD; with no arguments, reads the dates from standard input, one a
// line. A line that is not a date (a NUL byte included), or a date outside the
// lunar table, is reported on standard error and makes the exit code 1; the
// lines after it are read as usual.

#include "platform/toolcommandline.h"
#include "render/lunarcalendar.h"

#include <QByteArray>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace {

constexpr std::size_t FlushSize = 1 << 16;
constexpr std::size_t KeptLineBytes = 256;

// A bad line as it is shown: bytes that would break the one line of the message are escaped.
std::string shown(std::string_view input)
{
    std::string out;
    for (const char c : input.substr(0, KeptLineBytes)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '\\' || c == '"') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<tagDate> parseDate(std::string_view s)
{
    if (s.size() != 10 || s[4] != '-' || s[7] != '-')
        return std::nullopt;
    auto number = [s](std::size_t from, std::size_t count) -> int {
        int value = 0;
        for (std::size_t at = from; at < from + count; ++at) {
            if (s[at] < '0' || s[at] > '9')
                return -1;
            value = value * 10 + (s[at] - '0');
        }
        return value;
    };
    const int year = number(0, 4);
    const int month = number(5, 2);
    const int day = number(8, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1)
        return std::nullopt;
    static constexpr int monthDays[] = { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > monthDays[month - 1] || (month == 2 && day == 29 && !leap))
        return std::nullopt;
    return tagDate { day, month, year };
}

bool covered(const tagDate &date)
{
    const auto key = [](const tagDate &d) { return std::tuple(d.year, d.month, d.day); };
    return key(LunarCalendar::FirstDate) <= key(date) && key(date) <= key(LunarCalendar::LastDate);
}

std::string written(const tagDate &date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

/** Converts one date after another into buffered output. */
class LunarPrinter
{
public:
    ~LunarPrinter() { flush(); }

    /** False when `input` is not a date; the message names `where`. */
    bool print(std::string_view input, const std::string &where)
    {
        const std::string_view dateText = trimmed(input);
        std::optional<tagDate> date = parseDate(dateText);
        if (!date) {
            flush();
            std::fprintf(stderr, "kestrow-lunar: %s: not a date written YYYY-MM-DD: \"%s\"\n", where.c_str(),
                shown(input).c_str());
            return false;
        }
        if (!covered(*date)) {
            flush();
            std::fprintf(stderr, "kestrow-lunar: %s: %s is outside the lunar table, %s to %s\n",
                where.c_str(), shown(dateText).c_str(), written(LunarCalendar::FirstDate).c_str(),
                written(LunarCalendar::LastDate).c_str());
            return false;
        }
        m_calendar.GetDayOf(*date, m_text);
        m_out.append(dateText.data(), qsizetype(dateText.size()));
        m_out.append('\t');
        m_out.append(m_text.toUtf8());
        m_out.append('\n');
        if (std::size_t(m_out.size()) >= FlushSize)
            flush();
        return true;
    }

    void flush()
    {
        if (!m_out.isEmpty())
            std::fwrite(m_out.constData(), 1, std::size_t(m_out.size()), stdout);
        m_out.clear();
        std::fflush(stdout);
    }

private:
    LunarCalendar m_calendar;
    QString m_text;
    QByteArray m_out;
};

// Reads one line of standard input, NUL bytes and all, keeping at most KeptLineBytes of it (no
// date is that long); false at the end of the input.
bool readLine(std::string &line)
{
    line.clear();
    int c = std::getchar();
    if (c == EOF)
        return false;
    for (; c != EOF && c != '\n'; c = std::getchar()) {
        if (line.size() < KeptLineBytes)
            line.push_back(char(c));
    }
    return true;
}

bool printStandardInput(LunarPrinter &printer)
{
    bool ok = true;
    std::string line;
    for (long lineNumber = 1; readLine(line); ++lineNumber)
        ok = printer.print(line, "line " + std::to_string(lineNumber)) && ok;
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int arg = 0; arg < argc; ++arg)
        arguments.append(QString::fromLocal8Bit(argv[arg]));
    ToolCommandLine cmd(QStringLiteral("kestrow-lunar"),
        QStringLiteral(
            "Prints the Chinese lunar date of Gregorian dates: \"DATE<TAB>lunar text\" for each DATE "
            "written YYYY-MM-DD from %1 to %2; with no DATE, reads the dates from standard input, one a "
            "line. Exit status: 0 every line a date in that range, 1 otherwise.")
            .arg(QString::fromStdString(written(LunarCalendar::FirstDate)),
                QString::fromStdString(written(LunarCalendar::LastDate))));
    cmd.parser().setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    cmd.parser().addPositionalArgument(
        QStringLiteral("DATE"), QStringLiteral("A date, YYYY-MM-DD."), QStringLiteral("[DATE...]"));
    if (const std::optional<int> done = cmd.process(arguments))
        return *done;
    // The dates are the last arguments, read as the bytes they are.
    const int first = argc - int(cmd.positional().size());

    LunarPrinter printer;
    bool ok = true;
    if (first < argc) {
        for (int arg = first; arg < argc; ++arg)
            ok = printer.print(argv[arg], "argument " + std::to_string(arg)) && ok;
    } else {
        ok = printStandardInput(printer);
    }
    printer.flush();
    return ok ? 0 : 1;
}
