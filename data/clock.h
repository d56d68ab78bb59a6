// The day clock: whole days since 1 January 2003 local time; reseeds the random generator.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

std::int32_t GetTime();

// Days from 1 January 1970 to the given date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long year, unsigned month, unsigned day);

// The local date of a moment as "YYYY-MM-DD", the date part of the names of backups and of files
// kept aside; the present one by the clock seam.
std::string DateText(std::time_t moment);
std::string TodayText();
