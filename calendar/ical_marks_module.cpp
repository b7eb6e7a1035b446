// The iCalendar module: reads .ics files with libical and reports the days
// their events cover. Loaded by the executable only for --marks.
#include "calendar/civil_date.h"
#include "calendar/marks_module.h"

#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const noexcept { icalcomponent_free(component); }
};
using ComponentHandle = std::unique_ptr<icalcomponent, ComponentFree>;
struct ParserFree {
    void operator()(icalparser* parser) const noexcept { icalparser_free(parser); }
};
using ParserHandle = std::unique_ptr<icalparser, ParserFree>;

// One content line after unfolding, with the file line it starts on.
struct ContentLine {
    std::string text;
    int fileLine;
};

struct ReadFailure {
    int line;
    std::string reason;
};

// RFC 5545 unfolding: a line that starts with a space or a tab continues the
// one before it. Line numbers are kept so that errors can point into the file.
std::vector<ContentLine> unfold(const std::string& content)
{
    std::vector<ContentLine> lines;
    std::istringstream input(content);
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!lines.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t'))
            lines.back().text += line.substr(1);
        else if (!line.empty())
            lines.push_back({line, number});
    }
    return lines;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

bool startsWithIgnoringCase(const std::string& text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalIgnoringCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

// The nesting of BEGIN and END lines, which the library does not report.
std::optional<ReadFailure> checkStructure(const std::vector<ContentLine>& lines)
{
    if (lines.empty() || !startsWithIgnoringCase(lines.front().text, "BEGIN:VCALENDAR"))
        return ReadFailure{lines.empty() ? 1 : lines.front().fileLine, "not an iCalendar file (expected BEGIN:VCALENDAR)"};
    std::vector<const ContentLine*> open;
    for (const ContentLine& line : lines) {
        if (startsWithIgnoringCase(line.text, "BEGIN:")) {
            open.push_back(&line);
        } else if (startsWithIgnoringCase(line.text, "END:")) {
            if (open.empty() || !equalIgnoringCase(std::string_view(open.back()->text).substr(6), std::string_view(line.text).substr(4)))
                return ReadFailure{line.fileLine, line.text + " does not close " +
                                                      (open.empty() ? std::string("anything") : open.back()->text)};
            open.pop_back();
        }
    }
    if (!open.empty())
        return ReadFailure{open.back()->fileLine, open.back()->text + " is never closed"};
    return std::nullopt;
}

// The library records what it could not parse as X-LIC-ERROR properties whose
// text ends with the offending part; the first content line holding that part
// is where the error is.
std::optional<ReadFailure> firstLibraryError(icalcomponent* component, const std::vector<ContentLine>& lines)
{
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
        const std::string message = icalproperty_get_xlicerror(p);
        const std::size_t colon = message.rfind(": ");
        const std::string offending = colon == std::string::npos ? std::string() : message.substr(colon + 2);
        int line = lines.front().fileLine;
        for (const ContentLine& content : lines)
            if (!offending.empty() && content.text.find(offending) != std::string::npos) {
                line = content.fileLine;
                break;
            }
        std::string reason = colon == std::string::npos ? message : message.substr(0, colon);
        // What the library does about the error is not what the reader needs to know.
        if (const std::size_t removing = reason.find(". Removing"); removing != std::string::npos)
            reason.erase(removing);
        return ReadFailure{line, reason};
    }
    for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        if (auto failure = firstLibraryError(c, lines))
            return failure;
    return std::nullopt;
}

struct Occurrences {
    long long firstDay, lastDay;
    long long zoneOffset;  // seconds from the library's UTC spans back to the event's wall clock
    long long duration;    // seconds from an occurrence's start to its end
    void (*markDay)(void*, long long);
    void* context;
};

// Every day an occurrence touches: an all-day event's end is the day after it,
// a timed event that ends at midnight does not reach the next day.
void markOccurrence(icalcomponent*, icaltime_span* span, void* data)
{
    const auto& occurrences = *static_cast<Occurrences*>(data);
    const long long start = span->start + occurrences.zoneOffset;
    // The span's own end is not used: for all-day events the library extends
    // it to the end of the last day, past the exclusive end the file gives.
    const long long end = start + occurrences.duration;
    const auto floorDay = [](long long seconds) { return seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400; };
    const long long first = floorDay(start);
    const long long last = end > start ? floorDay(end - 1) : first;
    for (long long day = std::max(first, occurrences.firstDay); day <= std::min(last, occurrences.lastDay); ++day)
        occurrences.markDay(occurrences.context, day);
}

// Rules that repeat every few seconds, minutes or hours have far more
// occurrences than days: once an occurrence has marked its day, the rule is
// picked up again at the start of the next day. A rule with a COUNT cannot be
// restarted and is followed step by step, up to a bound no real file reaches.
void markDenseOccurrences(const icalrecurrencetype& rule, icaltimetype start, icaltimetype rangeStart,
                          Occurrences& occurrences)
{
    constexpr long maximumSteps = 2'000'000;
    icalrecur_iterator* iterator = icalrecur_iterator_new(rule, start);
    if (!iterator)
        return;
    const bool restartable = rule.count == 0;
    rangeStart.zone = start.zone;
    if (restartable && icaltime_compare(rangeStart, start) > 0)
        icalrecur_iterator_set_start(iterator, rangeStart);
    for (long step = 0; step < maximumSteps; ++step) {
        const icaltimetype next = icalrecur_iterator_next(iterator);
        if (icaltime_is_null_time(next))
            break;
        const long long begin = static_cast<long long>(icaltime_as_timet_with_zone(next, next.zone));
        icaltime_span span{static_cast<time_t>(begin), static_cast<time_t>(begin + occurrences.duration), 1};
        markOccurrence(nullptr, &span, &occurrences);
        const long long wallClock = begin + occurrences.zoneOffset;
        if ((wallClock >= 0 ? wallClock / 86400 : (wallClock - 86399) / 86400) > occurrences.lastDay)
            break;
        if (restartable) {
            icaltimetype nextDay = next;
            icaltime_adjust(&nextDay, 1, -next.hour, -next.minute, -next.second);
            icalrecur_iterator_set_start(iterator, nextDay);
        }
    }
    icalrecur_iterator_free(iterator);
}

std::optional<ReadFailure> markEvents(icalcomponent* calendar, const std::vector<ContentLine>& lines,
                                      Occurrences occurrences)
{
    int eventIndex = 0;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT), ++eventIndex) {
        const icaltimetype start = icalcomponent_get_dtstart(event);
        const bool validDate = start.month >= 1 && start.month <= 12 && start.day >= 1 &&
                               start.day <= daysInMonth(start.year, start.month);
        if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start) || !validDate) {
            int line = lines.front().fileLine, seen = -1;
            for (const ContentLine& content : lines)
                if (startsWithIgnoringCase(content.text, "BEGIN:VEVENT") && ++seen == eventIndex) {
                    line = content.fileLine;
                    break;
                }
            return ReadFailure{line, "the event that starts here has no valid DTSTART"};
        }
        // The spans come in UTC; the offset of the first start takes them back
        // to the wall clock of the event's own time zone, which is the date its
        // calendar program shows.
        icaltimetype wallClock = start;
        wallClock.zone = nullptr;
        occurrences.zoneOffset =
            static_cast<long long>(icaltime_as_timet(wallClock)) - icaltime_as_timet_with_zone(start, start.zone);
        const icaltimetype end = icalcomponent_get_dtend(event);
        if (icaltime_is_null_time(end))
            occurrences.duration = start.is_date ? 86400 : 0;
        else
            occurrences.duration = std::max<long long>(
                0, static_cast<long long>(icaltime_as_timet_with_zone(end, end.zone)) -
                       icaltime_as_timet_with_zone(start, start.zone));
        icaltimetype rangeStart = icaltime_null_date(), rangeEnd = icaltime_null_date();
        const auto setDate = [](icaltimetype& time, long long day) {
            const time_t seconds = static_cast<time_t>(day * 86400);
            time = icaltime_from_timet_with_zone(seconds, 1, nullptr);
        };
        // A day either side, so occurrences shifted by a time zone are not missed.
        setDate(rangeStart, occurrences.firstDay - 1);
        setDate(rangeEnd, occurrences.lastDay + 2);
        icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        if (rule && icalproperty_get_rrule(rule).freq < ICAL_DAILY_RECURRENCE)
            markDenseOccurrences(icalproperty_get_rrule(rule), start, rangeStart, occurrences);
        else
            icalcomponent_foreach_recurrence(event, rangeStart, rangeEnd, markOccurrence, &occurrences);
    }
    return std::nullopt;
}

int fail(const char* path, const ReadFailure& failure, char* error, std::size_t errorSize)
{
    std::snprintf(error, errorSize, "%s: line %d: %s", path, failure.line, failure.reason.c_str());
    return 1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int orvelplanReadMarks(const char* path, long long firstDay,
                                                                          long long lastDay,
                                                                          void (*markDay)(void*, long long),
                                                                          void* context, char* error,
                                                                          std::size_t errorSize)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    if (!file || !(content << file.rdbuf()) || file.bad()) {
        std::snprintf(error, errorSize, "%s: cannot be read: %s", path, std::strerror(errno));
        return 1;
    }
    const std::vector<ContentLine> lines = unfold(content.str());
    if (const auto failure = checkStructure(lines))
        return fail(path, *failure, error, errorSize);

    const ParserHandle parser(icalparser_new());
    std::vector<ComponentHandle> calendars;
    for (const ContentLine& line : lines) {
        // The parser keeps nothing of the line it is given.
        std::string text = line.text;
        if (icalcomponent* done = icalparser_add_line(parser.get(), text.data()))
            calendars.emplace_back(done);
    }
    if (calendars.empty())
        return fail(path, ReadFailure{lines.front().fileLine, "no calendar found"}, error, errorSize);
    for (const ComponentHandle& calendar : calendars)
        if (const auto failure = firstLibraryError(calendar.get(), lines))
            return fail(path, *failure, error, errorSize);
    // Days are reported only once the whole file has been found sound.
    for (const ComponentHandle& calendar : calendars)
        if (const auto failure = markEvents(calendar.get(), lines, Occurrences{firstDay, lastDay, 0, 0, markDay, context}))
            return fail(path, *failure, error, errorSize);
    return 0;
}
