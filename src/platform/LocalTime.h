#pragma once

namespace platform {

// A moment in the local time zone, as the clock shows it (month and day from 1).
struct LocalTime
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Returns the current local time.
LocalTime localTimeNow();

} // namespace platform
