// The day clock. Days are counted on the local calendar, from the broken-down local date, so a
// change to or from summer time never moves the count by an hour across midnight.
#include "data/clock.h"

#include <cstdio>
#include <ctime>

#include "data/log.h"
#include "data/random.h"
#include "data/seams.h"

long long DaysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

std::int32_t GetTime() {
    LogTrace("GetTime");
    std::time_t now = NowSeconds();
    std::tm local{};
    if (!localtime_r(&now, &local)) return 0;

    const int month = local.tm_mon + 1;
    SeedRandom(static_cast<std::uint32_t>(month * local.tm_sec * local.tm_min * local.tm_mday));

    // Whole days since 1 January 2003 00:00 local time; the time of day never reaches a full day.
    const long long days = DaysFromCivil(local.tm_year + 1900LL, static_cast<unsigned>(month),
                                         static_cast<unsigned>(local.tm_mday)) -
                           DaysFromCivil(2003, 1, 1);
    return static_cast<std::int32_t>(days);
}

std::string DateText(std::time_t moment) {
    std::tm local{};
    if (!localtime_r(&moment, &local)) return "0000-00-00";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return text;
}

std::string TodayText() { return DateText(NowSeconds()); }
