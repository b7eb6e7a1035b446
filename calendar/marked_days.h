#pragma once
#include <set>
#include <string>

// The days an iCalendar (.ics) file's events cover within [firstDay, lastDay]
// (day counts from daysFromCivil), or why the file cannot be used.
struct MarkedDays {
    std::set<long long> days;
    std::string error;  // "FILE: line N: reason"; empty when the file was read
};

// Reads the file with the iCalendar reader (see marksReader); a build without
// one refuses every file with a message that says so.
MarkedDays readMarkedDays(const std::string& path, long long firstDay, long long lastDay);
