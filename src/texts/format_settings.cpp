// Number and date-time texts in the user's formats, free of the C library's locale.
#include "texts/format_settings.h"

#include "platform/ascii_text.h"
#include "platform/calendar.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace qn {

namespace {

TFormatSettings& Settings()
{
    static TFormatSettings settings;
    return settings;
}

// Shortest round-trip digits of |AValue| in fixed notation, split at the point.
void FixedDigits(double AValue, std::string& AInt, std::string& AFrac)
{
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(AValue), std::chars_format::fixed);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto dot = text.find('.');
    AInt = std::string(text.substr(0, dot));
    AFrac = dot == std::string_view::npos ? std::string() : std::string(text.substr(dot + 1));
}

// Rounds the decimal digits AInt.AFrac to ADecimals places, halves away from zero.
void RoundDigits(std::string& AInt, std::string& AFrac, std::size_t ADecimals)
{
    if (AFrac.size() <= ADecimals)
        return;
    const bool up = AFrac[ADecimals] >= '5';
    AFrac.resize(ADecimals);
    if (!up)
        return;
    for (std::size_t i = AFrac.size(); i-- > 0;) {
        if (AFrac[i] != '9') {
            ++AFrac[i];
            return;
        }
        AFrac[i] = '0';
    }
    for (std::size_t i = AInt.size(); i-- > 0;) {
        if (AInt[i] != '9') {
            ++AInt[i];
            return;
        }
        AInt[i] = '0';
    }
    AInt.insert(AInt.begin(), '1');
}

void AppendPadded(std::string& AOut, long long AValue, int AWidth)
{
    std::string digits = std::to_string(AValue);
    if (static_cast<int>(digits.size()) < AWidth)
        AOut.append(static_cast<std::size_t>(AWidth) - digits.size(), '0');
    AOut += digits;
}

std::size_t RunLength(std::string_view AText, std::size_t APos)
{
    std::size_t n = 1;
    while (APos + n < AText.size() && AText[APos + n] == AText[APos])
        ++n;
    return n;
}

bool HasAmPm(std::string_view AFormat)
{
    bool quoted = false;
    for (char c : AFormat) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && (c == 'A' || c == 'a'))
            return true;
    }
    return false;
}

// The fields of FormatDateTime. Each appends what the run of ARun letters AField at the start of a
// field stands for and returns how many letters it took (never more than ARun, at least one).

// Quoted text from the quote at AStart: its letters as they are, '' as one quote (inside or outside
// quoted text). Returns the position after it.
std::size_t AppendQuoted(std::string& AOut, std::string_view AFormat, std::size_t AStart)
{
    std::size_t i = AStart;
    if (i + 1 < AFormat.size() && AFormat[i + 1] == '\'') {
        AOut += '\'';
        return i + 2;
    }
    ++i;
    while (i < AFormat.size()) {
        if (AFormat[i] == '\'') {
            if (i + 1 < AFormat.size() && AFormat[i + 1] == '\'') {
                AOut += '\'';
                i += 2;
                continue;
            }
            return i + 1;
        }
        AOut += AFormat[i++];
    }
    return i;
}

// d, dd, ddd, dddd; M to MMMM; yy, yyyy (a single y is itself).
std::size_t AppendDateField(std::string& AOut, char AField, std::size_t ARun, const TDateTimeFields& ATime,
                            const TFormatSettings& AFs)
{
    if (AField == 'y') {
        if (ARun >= 4) {
            AppendPadded(AOut, ATime.Year, 4);
            return 4;
        }
        if (ARun >= 2) {
            AppendPadded(AOut, ATime.Year % 100, 2);
            return 2;
        }
        AOut += AField;
        return 1;
    }
    const std::size_t n = std::min<std::size_t>(ARun, 4);
    const bool day = AField == 'd';
    if (n <= 2)
        AppendPadded(AOut, day ? ATime.Day : ATime.Month, static_cast<int>(n));
    else if (day)
        AOut += (n == 3 ? AFs.ShortDayNames : AFs.LongDayNames)[static_cast<std::size_t>(ATime.DayOfWeek)];
    else
        AOut += (n == 3 ? AFs.ShortMonthNames : AFs.LongMonthNames)[static_cast<std::size_t>(ATime.Month - 1)];
    return n;
}

// h and H (h counts 1 to 12 when the format has an am/pm field), m, s: one or two digits; z:
// milliseconds, zzz all three, z without trailing zeros.
std::size_t AppendTimeField(std::string& AOut, char AField, std::size_t ARun, const TDateTimeFields& ATime,
                            bool ATwelveHour)
{
    if (AField == 'z') {
        if (ARun >= 3) {
            AppendPadded(AOut, ATime.MSec, 3);
            return 3;
        }
        std::string ms;
        AppendPadded(ms, ATime.MSec, 3);
        while (ms.size() > 1 && ms.back() == '0')
            ms.pop_back();
        AOut += ms;
        return 1;
    }
    int value = AField == 'm' ? ATime.Minute : AField == 's' ? ATime.Second : ATime.Hour;
    if (AField == 'h' && ATwelveHour) {
        value %= 12;
        if (value == 0)
            value = 12;
    }
    const std::size_t n = std::min<std::size_t>(ARun, 2);
    AppendPadded(AOut, value, static_cast<int>(n));
    return n;
}

// A or AP (either case): the designator of the hour's half, in lower case for a lower-case a.
std::size_t AppendAmPm(std::string& AOut, std::string_view AFormat, std::size_t AAt, const TDateTimeFields& ATime,
                       const TFormatSettings& AFs)
{
    const bool two = AAt + 1 < AFormat.size() && (AFormat[AAt + 1] == 'P' || AFormat[AAt + 1] == 'p');
    const std::string& text = ATime.Hour < 12 ? AFs.AmDesignator : AFs.PmDesignator;
    AOut += AFormat[AAt] == 'a' ? LowerCaseText(text) : text;
    return two ? 2 : 1;
}

} // namespace

const TFormatSettings& FormatSettings()
{
    return Settings();
}

void SetFormatSettings(const TFormatSettings& ASettings)
{
    Settings() = ASettings;
}

std::string FormatFixed2(double AValue)
{
    if (!std::isfinite(AValue))
        AValue = 0.0;
    // The same rounding as FormatFloat: halves away from zero on the value's exact decimal digits.
    std::string intPart, fracPart;
    FixedDigits(AValue, intPart, fracPart);
    fracPart.append(2, '0');
    RoundDigits(intPart, fracPart, 2);
    const bool isZero = intPart.find_first_not_of('0') == std::string::npos && fracPart == "00";
    std::string text = AValue < 0 && !isZero ? "-" : "";
    text += intPart;
    text += Settings().DecimalSeparator;
    text += fracPart;
    return text;
}

std::string FormatFloat(std::string_view AFormat, double AValue)
{
    if (!std::isfinite(AValue))
        AValue = 0.0;
    // Only the first section counts; a ';' outside quotes ends it.
    std::string prefix, suffix;
    int intZeros = 0, decZeros = 0, decHashes = 0;
    bool seenPlaceholder = false, afterDot = false, grouping = false, hasDot = false;
    for (std::size_t i = 0; i < AFormat.size(); ++i) {
        const char c = AFormat[i];
        if (c == ';')
            break;
        if (c == '\'' || c == '"') {
            const auto end = AFormat.find(c, i + 1);
            const auto text = AFormat.substr(i + 1, (end == std::string_view::npos ? AFormat.size() : end) - i - 1);
            (seenPlaceholder ? suffix : prefix) += text;
            i = end == std::string_view::npos ? AFormat.size() : end;
            continue;
        }
        if (c == '0' || c == '#' || c == '.' || c == ',') {
            if (!suffix.empty()) // a placeholder after trailing text: the text sits inside the number
                suffix.clear();
            seenPlaceholder = true;
            if (c == '.') {
                hasDot = true;
                afterDot = true;
            } else if (c == ',') {
                grouping = grouping || !afterDot;
            } else if (afterDot) {
                (c == '0' ? decZeros : decHashes)++;
            } else if (c == '0') {
                ++intZeros;
            }
            continue;
        }
        (seenPlaceholder ? suffix : prefix) += c;
    }

    std::string intPart, fracPart;
    FixedDigits(AValue, intPart, fracPart);
    RoundDigits(intPart, fracPart, hasDot ? static_cast<std::size_t>(decZeros + decHashes) : 0u);
    while (static_cast<int>(fracPart.size()) > decZeros && fracPart.back() == '0')
        fracPart.pop_back();
    if (static_cast<int>(fracPart.size()) < decZeros)
        fracPart.append(static_cast<std::size_t>(decZeros) - fracPart.size(), '0');
    const auto firstDigit = intPart.find_first_not_of('0');
    intPart = firstDigit == std::string::npos ? std::string() : intPart.substr(firstDigit);
    const bool isZero = intPart.empty() && fracPart.find_first_not_of('0') == std::string::npos;
    if (static_cast<int>(intPart.size()) < intZeros)
        intPart.insert(0, static_cast<std::size_t>(intZeros) - intPart.size(), '0');
    if (grouping && intPart.size() > 3) {
        const std::string& sep = Settings().ThousandSeparator;
        for (auto pos = intPart.size() - 3; pos > 0; pos = pos > 3 ? pos - 3 : 0)
            intPart.insert(pos, sep);
    }

    std::string out = prefix;
    if (AValue < 0 && !isZero)
        out += '-';
    out += intPart;
    if (!fracPart.empty()) {
        out += Settings().DecimalSeparator;
        out += fracPart;
    }
    out += suffix;
    return out;
}

std::string FormatDateTime(std::string_view AFormat, double AValue)
{
    TDateTimeFields t;
    if (!DecodeDateTime(AValue, t))
        return {};
    const TFormatSettings& fs = Settings();
    const bool twelveHour = HasAmPm(AFormat);
    std::string out;
    for (std::size_t i = 0; i < AFormat.size();) {
        const char c = AFormat[i];
        if (c == '\'') {
            i = AppendQuoted(out, AFormat, i);
            continue;
        }
        const std::size_t run = RunLength(AFormat, i);
        std::size_t n = 1;
        switch (c) {
        case 'd':
        case 'M':
        case 'y':
            n = AppendDateField(out, c, run, t, fs);
            break;
        case 'h':
        case 'H':
        case 'm':
        case 's':
        case 'z':
            n = AppendTimeField(out, c, run, t, twelveHour);
            break;
        case 'A':
        case 'a':
            n = AppendAmPm(out, AFormat, i, t, fs);
            break;
        case 't':
            // Time-zone names have no place in a chart label or a local time stamp; drop the field
            // and the space that separated it.
            n = run;
            if (!out.empty() && out.back() == ' ')
                out.pop_back();
            break;
        default:
            out += c;
            break;
        }
        i += n;
    }
    return out;
}

std::string DateTimeToStr(double AValue)
{
    TDateTimeFields t;
    if (!DecodeDateTime(AValue, t))
        return {};
    const TFormatSettings& fs = Settings();
    std::string out = FormatDateTime(fs.ShortDateFormat, AValue);
    if (t.Hour != 0 || t.Minute != 0 || t.Second != 0 || t.MSec != 0) {
        out += ' ';
        out += FormatDateTime(fs.LongTimeFormat, AValue);
    }
    return out;
}

} // namespace qn
