#include "platform/short_date.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace qfw {
namespace {

using namespace std::chrono;

TEST(ShortDate, CLocaleIsMonthDayFourDigitYear) {
    const struct {
        year_month_day date;
        const char* text;
    } cases[] = {
        {2024y / January / 5d, "1/5/2024"},
        {1999y / December / 31d, "12/31/1999"},
        {2000y / February / 29d, "2/29/2000"},
        {987y / March / 7d, "3/7/0987"},
    };
    for (const auto& locale : {"C", "POSIX", "C.UTF-8", "en_US.UTF-8", "xx_NOWHERE.UTF-8"}) {
        EXPECT_EQ(ShortDatePatternForLocale(locale), "M/d/yyyy") << locale;
    }
    for (const auto& c : cases)
        EXPECT_EQ(FormatDatePicture(c.date, "M/d/yyyy"), c.text);
}

TEST(ShortDate, FollowsTheUserLocaleSetting) {
    const char* saved = std::getenv("LC_ALL");
    const std::string previous = saved ? saved : "";
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(ShortDate(2024y / January / 5d), "1/5/2024");
    if (saved) {
        ::setenv("LC_ALL", previous.c_str(), 1);
    } else {
        ::unsetenv("LC_ALL");
    }
}

TEST(ShortDate, TranslatesLocaleFormatsToFourDigitYearPictures) {
    const struct {
        const char* strftime;
        const char* picture;
        const char* text;  // for 5 January 2024
    } cases[] = {
        {"%m/%d/%y", "MM/dd/yyyy", "01/05/2024"}, {"%d/%m/%y", "dd/MM/yyyy", "05/01/2024"},
        {"%d.%m.%Y", "dd.MM.yyyy", "05.01.2024"}, {"%Y-%m-%d", "yyyy-MM-dd", "2024-01-05"},
        {"%-d/%-m/%Y", "d/M/yyyy", "5/1/2024"},   {"%e-%m-%y", "d-MM-yyyy", "5-01-2024"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PictureFromStrftime(c.strftime), c.picture);
        EXPECT_EQ(FormatDatePicture(2024y / January / 5d, c.picture), c.text);
    }
    EXPECT_EQ(FormatDatePicture(2024y / January / 5d, "d 'de' M, yy"), "5 de 1, 24");
}

TEST(Today, InjectedDateWinsUntilTheScopeEnds) {
    const auto clock = Today();
    {
        ScopedToday fixed(2001y / May / 17d);
        EXPECT_EQ(Today(), 2001y / May / 17d);
    }
    EXPECT_NE(Today(), 2001y / May / 17d);
    EXPECT_TRUE(clock.ok());
}

}  // namespace
}  // namespace qfw
