// The process-wide number and date-time formats of the user, and the text forms built from them.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qn {

// What the user's locale says about numbers and dates. The application fills it once at start
// (from the system locale); until then the neutral defaults below apply. Patterns use the
// date-time pattern letters of the GUI toolkit: d dd ddd dddd, M MM MMM MMMM, yy yyyy,
// h hh H HH, m mm, s ss, z zzz, AP ap A a, t (time zone, printed as nothing), 'quoted text'.
struct TFormatSettings
{
    std::string DecimalSeparator = ".";
    std::string ThousandSeparator = ",";
    std::string ShortDateFormat = "yyyy-MM-dd";
    std::string LongTimeFormat = "HH:mm:ss";
    std::string AmDesignator = "AM";
    std::string PmDesignator = "PM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                               "July",    "August",   "September", "October", "November", "December"};
    // Sunday first.
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// The settings every formatting routine reads. Set them on the GUI thread before the first window
// is shown; the formatting routines only read them.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& ASettings);

// "%1.2f": two decimals, the user's decimal separator, no grouping; halves round away from zero, as
// in FormatFloat (1.625 gives 1.63). Non-finite values give "0.00".
std::string FormatFixed2(double AValue);

// A number in a picture format such as "###0.##": '0' is a digit always shown, '#' a digit shown
// when significant, '.' the decimal separator, ',' anywhere before it turns on grouping, text in
// quotes and other characters are copied. Halves round away from zero. No minus sign on a value
// that rounds to zero.
std::string FormatFloat(std::string_view AFormat, double AValue);

// A date-time (days since 1899-12-30, fraction = time of day) in a pattern of the letters above.
// Milliseconds are rounded. A value outside years 1 to 9999, or not finite, gives an empty text.
std::string FormatDateTime(std::string_view AFormat, double AValue);

// The locale's default date-time form: short date, a space and the long time; the time is left out
// when the value is exactly midnight (after rounding to milliseconds).
std::string DateTimeToStr(double AValue);

} // namespace qn
