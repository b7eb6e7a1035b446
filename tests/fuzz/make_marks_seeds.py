#!/usr/bin/env python3
"""Writes the iCalendar files that once crashed, hung or swamped the marks
reader into the folder given, as seeds for the fuzzer and cases for the bench."""
import os
import sys


def calendar(*events, zones=""):
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + zones + "".join(events) + "END:VCALENDAR\r\n"


def event(start, rule="", extra=""):
    lines = f"BEGIN:VEVENT\r\nDTSTART{start}\r\n"
    if rule:
        lines += f"RRULE:{rule}\r\n"
    return lines + extra + "END:VEVENT\r\n"


def files():
    timed = ":20000101T000000"
    yield "yearly_from_1900", calendar(event(";VALUE=DATE:19000704", "FREQ=YEARLY"))
    yield "weekly_from_1800", calendar(event(";VALUE=DATE:18000106", "FREQ=WEEKLY;BYDAY=MO"))
    yield "date_in_9999", calendar(event(";VALUE=DATE:99991231"))
    yield "nested_30000", calendar("BEGIN:VEVENT\r\nDTSTART:20260101\r\n" + "BEGIN:X-A\r\n" * 30000 +
                                   "END:X-A\r\n" * 30000 + "END:VEVENT\r\n")
    yield "secondly_feb_30", calendar(event(timed, "FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30"))
    yield "minutely_count_feb_30", calendar(event(timed, "FREQ=MINUTELY;COUNT=1000000000;BYMONTH=2;BYMONTHDAY=30"))
    yield "secondly_yearday_366", calendar(event(timed, "FREQ=SECONDLY;BYYEARDAY=366;BYMONTH=1"))
    yield "daily_feb_30_x100", calendar(*[event(timed, "FREQ=DAILY;BYMONTH=2;BYMONTHDAY=30")] * 100)
    zone = ("BEGIN:VTIMEZONE\r\nTZID:Busy\r\nBEGIN:STANDARD\r\nDTSTART:00010101T000000\r\n"
            "RRULE:FREQ=MINUTELY\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n")
    yield "zone_minutely", calendar(event(";TZID=Busy:20260301T120000", "FREQ=DAILY;UNTIL=20260310T000000Z",
                                          "DTEND;TZID=Europe/Berlin:20260301T130000\r\n"), zones=zone)
    parts = "".join(f"BEGIN:STANDARD\r\nDTSTART:00010{1 + i % 9}01T000000\r\nRRULE:FREQ=YEARLY\r\n"
                    f"TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0{i % 10}00\r\nEND:STANDARD\r\n" for i in range(25))
    zones = "".join(f"BEGIN:VTIMEZONE\r\nTZID:Z{z}\r\n{parts}END:VTIMEZONE\r\n" for z in range(2))
    yield "zones_50_yearly_parts", calendar(event(";TZID=Z0:20260301T120000", "FREQ=DAILY;UNTIL=20260310T000000Z",
                                                   "DTEND;TZID=Z1:20260301T130000\r\n"), zones=zones)
    yield "minutely_count_5m", calendar(event(":20250101T000000", "FREQ=MINUTELY;COUNT=5000000"))
    yield "secondly_count_100m", calendar(event(":20250101T000000", "FREQ=SECONDLY;COUNT=100000000"))
    many = [event(f";VALUE=DATE:2026{1 + i % 12:02}{1 + i % 28:02}", "",
                  f"DTEND;VALUE=DATE:2026{1 + i % 12:02}{2 + i % 27:02}\r\nSUMMARY:Event {i}\r\n"
                  f"UID:{i}@example.org\r\nDESCRIPTION:Ordinary event\r\n")
            for i in range(100000)]
    yield "events_100000", calendar(*many)
    yield "weekly_120000", calendar(*[event(f":2020{1 + i % 12:02}{1 + i % 28:02}T{i % 24:02}0000",
                                            "FREQ=WEEKLY", f"UID:{i}\r\n") for i in range(120000)])
    # The costliest single rules: counted from year 1 to a page of 9999.
    first = ":00010101T000000"
    yield "daily_mondays_from_1", calendar(event(first, "FREQ=DAILY;COUNT=2000000000;BYDAY=MO"))
    yield "yearly_mondays_from_1", calendar(event(first, "FREQ=YEARLY;COUNT=2000000000;BYDAY=MO"))
    yield "monthly_last_workday_from_1", calendar(event(first, "FREQ=MONTHLY;COUNT=2000000000;BYSETPOS=-1;"
                                                               "BYDAY=MO,TU,WE,TH,FR"))
    yield "secondly_mondays_from_1", calendar(event(first, "FREQ=SECONDLY;INTERVAL=7;COUNT=2000000000;BYDAY=MO"))
    yield "empty", ""
    yield "escape_in_text", calendar(event(":20260101", "FREQ=\x1b[2J", "END:X\x1b]0;owned\x07\r\n"))


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, text in files():
        with open(os.path.join(folder, name + ".ics"), "w", newline="") as f:
            f.write(text)


main()
