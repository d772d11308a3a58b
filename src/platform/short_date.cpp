#include "platform/short_date.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <ctime>

namespace qfw {
namespace {

constexpr std::string_view kUsPattern = "M/d/yyyy";

std::optional<std::chrono::year_month_day>& InjectedToday() {
    static std::optional<std::chrono::year_month_day> today;
    return today;
}

// The locale the user chose for dates, by POSIX precedence.
std::string UserTimeLocale() {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return "C";
}

bool IsUsOrPosix(std::string_view name) {
    return name == "C" || name == "POSIX" || name.starts_with("C.") || name.starts_with("en_US");
}

std::string Digits(unsigned value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

std::string PictureFromStrftime(std::string_view format) {
    std::string picture;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            picture += format[i];
            continue;
        }
        char conversion = format[++i];
        bool unpadded = false;
        if ((conversion == '-' || conversion == '_') && i + 1 < format.size()) {
            unpadded = true;
            conversion = format[++i];
        }
        switch (conversion) {
            case 'd':
                picture += unpadded ? "d" : "dd";
                break;
            case 'e':
                picture += "d";
                break;
            case 'm':
                picture += unpadded ? "M" : "MM";
                break;
            case 'y':
            case 'Y':
                picture += "yyyy";
                break;
            case '%':
                picture += '%';
                break;
            default:
                picture += '%';
                picture += conversion;
                break;
        }
    }
    return picture;
}

std::string FormatDatePicture(const std::chrono::year_month_day& date, std::string_view picture) {
    const unsigned day = static_cast<unsigned>(date.day());
    const unsigned month = static_cast<unsigned>(date.month());
    const int year = static_cast<int>(date.year());
    std::string text;
    for (size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (c == 'd' && run <= 2) {
            text += Digits(day, run);
        } else if (c == 'M' && run <= 2) {
            text += Digits(month, run);
        } else if (c == 'y' && run <= 2) {
            text += Digits(static_cast<unsigned>(year % 100), 2);
        } else if (c == 'y') {
            text += Digits(static_cast<unsigned>(year), 4);
        } else if (c == '\'') {
            const size_t close = picture.find('\'', i + 1);
            const size_t end = close == std::string_view::npos ? picture.size() : close;
            text += picture.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        } else {
            text += picture.substr(i, run);
        }
        i += run;
    }
    return text;
}

std::string ShortDatePatternForLocale(std::string_view localeName) {
    if (IsUsOrPosix(localeName))
        return std::string(kUsPattern);
    const std::string name(localeName);
    const locale_t locale = ::newlocale(LC_TIME_MASK, name.c_str(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return std::string(kUsPattern);
    const std::string picture = PictureFromStrftime(::nl_langinfo_l(D_FMT, locale));
    ::freelocale(locale);
    return picture;
}

std::string ShortDatePattern() {
    return ShortDatePatternForLocale(UserTimeLocale());
}

std::string ShortDate(const std::chrono::year_month_day& date) {
    return FormatDatePicture(date, ShortDatePattern());
}

std::chrono::year_month_day Today() {
    if (InjectedToday())
        return *InjectedToday();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

void SetToday(std::optional<std::chrono::year_month_day> date) {
    InjectedToday() = date;
}

ScopedToday::ScopedToday(std::chrono::year_month_day date) : previous_(InjectedToday()) {
    InjectedToday() = date;
}

ScopedToday::~ScopedToday() {
    InjectedToday() = previous_;
}

}  // namespace qfw
