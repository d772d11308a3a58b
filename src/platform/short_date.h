// The "short date" of the user's regional settings, with a four-digit year,
// as the wizard stamps it into generated comments, and the one place that
// says what "today" is.
//
// The pattern comes from the user's LC_TIME locale (LC_ALL, then LC_TIME,
// then LANG), translated from its strftime form into a Windows date picture
// and widened to a four-digit year. The C/POSIX locale, and US English, use
// M/d/yyyy as Windows does.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace qfw {

// The date as the user's short date, e.g. "1/5/2024" in the C locale.
std::string ShortDate(const std::chrono::year_month_day& date);

// The Windows date picture of the user's short date, e.g. "M/d/yyyy".
std::string ShortDatePattern();

// The picture for a named locale ("C", "de_DE.UTF-8", ...); the C pattern
// when the locale is not installed.
std::string ShortDatePatternForLocale(std::string_view localeName);

// Translates an strftime date format (nl_langinfo's D_FMT) into a Windows
// picture with a four-digit year: %d -> dd, %e/%-d -> d, %m -> MM, %-m -> M,
// %y/%Y -> yyyy; other characters stay literal.
std::string PictureFromStrftime(std::string_view format);

// Formats a date with a Windows picture (d, dd, M, MM, yy, yyyy; quoted text
// and other characters literal).
std::string FormatDatePicture(const std::chrono::year_month_day& date, std::string_view picture);

// Today's date: the injected date when one is set, else the local date.
std::chrono::year_month_day Today();

// Makes Today() answer `date` (nothing: the clock again). The command line
// sets this from an option; tests use ScopedToday.
void SetToday(std::optional<std::chrono::year_month_day> date);

class ScopedToday {
  public:
    explicit ScopedToday(std::chrono::year_month_day date);
    ~ScopedToday();
    ScopedToday(const ScopedToday&) = delete;
    ScopedToday& operator=(const ScopedToday&) = delete;

  private:
    std::optional<std::chrono::year_month_day> previous_;
};

}  // namespace qfw
