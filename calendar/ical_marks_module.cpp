// The iCalendar module: reads .ics files with libical and reports the days
// their events cover. Loaded by the executable only for --marks.
//
// The file is read one component of the calendar at a time: each event is
// parsed, marked and freed before the next is read, so memory follows the
// largest event rather than the file. libical only parses; which days a rule
// covers is worked out by calendar/recurrence_days.cpp over plain dates, since
// libical's recurrence works through 32-bit times (nothing before 1901-12-14,
// nothing after 2582) and one of its steps can scan for hours.
#include "calendar/civil_date.h"
#include "calendar/marks_module.h"
#include "calendar/named_zone.h"
#include "calendar/recurrence_days.h"
#include "calendar/shown_text.h"

#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Limits that no real calendar reaches; each gives a message of its own.
constexpr std::size_t maximumFileBytes = 32u << 20;
constexpr const char* maximumFileText = "32 MB";
constexpr std::size_t maximumLineBytes = 1u << 20;
constexpr std::size_t maximumDepth = 16;
// libical keeps some 50 times a component's text; an event is held whole.
constexpr std::size_t maximumComponentLines = 10000;
constexpr std::size_t maximumComponentBytes = 4u << 20;
constexpr std::size_t maximumZoneBytes = 1u << 20;
// Each yearly part of a time zone is expanded by libical year by year, from
// no earlier than this year (see startLate) to the time converted.
constexpr int maximumZoneParts = 50;
constexpr int earliestZoneYear = 1600;
// The processor time all the work on one file may take, after which the file
// is given up rather than half marked.
constexpr std::clock_t timeBudget = CLOCKS_PER_SEC * 3 / 2;
constexpr const char* timeBudgetText = "1.5 seconds";

struct ComponentFree {
    void operator()(icalcomponent* component) const noexcept { icalcomponent_free(component); }
};
using ComponentHandle = std::unique_ptr<icalcomponent, ComponentFree>;
struct ParserFree {
    void operator()(icalparser* parser) const noexcept { icalparser_free(parser); }
};
using ParserHandle = std::unique_ptr<icalparser, ParserFree>;
struct FileClose {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileClose>;

// One content line after unfolding, with the file line it starts on.
struct ContentLine {
    std::string text;
    int fileLine;
};

struct ReadFailure {
    int line;  // 0: the file as a whole
    std::string reason;
};

// A piece of the file quoted in a message: short, and with its control
// characters shown rather than sent to the terminal.
std::string quoted(std::string_view text)
{
    constexpr std::size_t shown = 60;
    return text.size() > shown ? shownText(text.substr(0, shown)) + "..." : shownText(text);
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// RFC 5545 unfolding over a stream: a line that starts with a space or a tab
// continues the one before it. The file's size and each line's length are
// bounded, so a device that never ends is refused rather than read for ever.
class ContentLines {
public:
    explicit ContentLines(std::FILE* file) : file_(file) {}

    // The next content line; false at the end of the file or on a failure.
    bool next(ContentLine& line)
    {
        if (!pending_ && !readPhysical())
            return false;
        line = std::move(*pending_);
        pending_.reset();
        while (readPhysical()) {
            if (pending_->text[0] != ' ' && pending_->text[0] != '\t')
                return true;
            if (line.text.size() + pending_->text.size() > maximumLineBytes)
                return fail(line.fileLine, "a content line longer than 1 MB");
            line.text.append(pending_->text, 1);
            pending_.reset();
        }
        return !failure;
    }

    std::optional<ReadFailure> failure;
    std::size_t bytes = 0;

private:
    bool fail(int line, std::string reason)
    {
        failure = ReadFailure{line, std::move(reason)};
        pending_.reset();
        return false;
    }

    // The next non-empty physical line, without its line end, into pending_.
    bool readPhysical()
    {
        std::string text;
        for (;;) {
            if (position_ == filled_) {
                if (failure)
                    return false;
                filled_ = std::fread(buffer_, 1, sizeof buffer_, file_);
                position_ = 0;
                if (filled_ == 0) {
                    if (std::ferror(file_))
                        return fail(0, std::string("cannot be read: ") + std::strerror(errno));
                    break;
                }
                if ((bytes += filled_) > maximumFileBytes)
                    return fail(0, std::string("larger than ") + maximumFileText + ", more than a calendar can be");
            }
            const char* start = buffer_ + position_;
            const auto* end = static_cast<const char*>(std::memchr(start, '\n', filled_ - position_));
            const std::size_t length = end ? static_cast<std::size_t>(end - start) : filled_ - position_;
            if (text.size() + length > maximumLineBytes)
                return fail(lineNumber_ + 1, "a line longer than 1 MB");
            text.append(start, length);
            position_ += length + (end ? 1 : 0);
            if (end) {
                ++lineNumber_;
                if (!text.empty() && text.back() == '\r')
                    text.pop_back();
                if (text.empty())
                    continue;
                pending_ = ContentLine{std::move(text), lineNumber_};
                return true;
            }
        }
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (text.empty())
            return false;
        pending_ = ContentLine{std::move(text), ++lineNumber_};
        return true;
    }

    std::FILE* file_;
    char buffer_[65536];
    std::size_t position_ = 0, filled_ = 0;
    int lineNumber_ = 0;
    std::optional<ContentLine> pending_;
};

// The library records what it could not parse as X-LIC-ERROR properties whose
// text ends with the offending part; the first content line holding that part
// is where the error is. Components are walked with a list of their own, so
// no nesting reaches the stack.
std::optional<ReadFailure> firstLibraryError(icalcomponent* root, const std::vector<ContentLine>& lines)
{
    std::vector<icalcomponent*> waiting{root};
    while (!waiting.empty()) {
        icalcomponent* component = waiting.back();
        waiting.pop_back();
        if (icalproperty* p = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY)) {
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
            return ReadFailure{line, quoted(reason)};
        }
        // Children are taken in the order of the file.
        const std::size_t children = waiting.size();
        for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
            waiting.push_back(c);
        std::reverse(waiting.begin() + static_cast<std::ptrdiff_t>(children), waiting.end());
    }
    return std::nullopt;
}

bool validTime(const icaltimetype& t)
{
    return t.year >= 1 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 &&
           t.second >= 0 && t.second <= 60;
}

// A time's wall clock as seconds from 1970-01-01 (a leap second counts as the one before it).
long long wallSeconds(const icaltimetype& t)
{
    const long long day = daysFromCivil(t.year, t.month, t.day) * 86400;
    return t.is_date ? day : day + t.hour * 3600 + t.minute * 60 + std::min(t.second, 59);
}

// Seconds to add to a wall-clock time of zone `from` to get the same instant
// on the wall clock of `to`. The year is moved by whole 400-year cycles (the
// calendar repeats exactly) into the years libical's time zones handle.
long long zoneShift(icaltimetype t, const icaltimezone* from, const icaltimezone* to)
{
    if (!from || !to || from == to)
        return 0;
    t.is_date = 0;
    if (t.year < 1800)
        t.year += (1800 - t.year + 399) / 400 * 400;
    else if (t.year > 2199)
        t.year -= (t.year - 2199 + 399) / 400 * 400;
    const long long before = wallSeconds(t);
    icaltimezone_convert_time(&t, const_cast<icaltimezone*>(from), const_cast<icaltimezone*>(to));
    return validTime(t) ? wallSeconds(t) - before : 0;
}

long long durationSeconds(const icaldurationtype& d)
{
    if (d.is_neg)
        return 0;
    return ((static_cast<long long>(d.weeks) * 7 + d.days) * 24 + d.hours) * 3600 +
           static_cast<long long>(d.minutes) * 60 + d.seconds;
}

// An RRULE as the recurrence arithmetic takes it; nothing for other calendar
// scales, which the page does not show.
std::optional<RecurrenceRule> ruleOf(const icalrecurrencetype& r, const icaltimezone* eventZone)
{
    if (r.freq > ICAL_YEARLY_RECURRENCE || (r.rscale && !startsWithIgnoringCase(r.rscale, "GREGORIAN")))
        return std::nullopt;
    RecurrenceRule rule;
    rule.frequency = static_cast<Frequency>(r.freq - ICAL_SECONDLY_RECURRENCE);
    rule.interval = std::max<long long>(1, r.interval);
    rule.count = std::max(0, r.count);
    if (!icaltime_is_null_time(r.until) && validTime(r.until)) {
        rule.hasUntil = true;
        rule.until = wallSeconds(r.until) + (r.until.is_date ? 86399 : zoneShift(r.until, r.until.zone, eventZone));
    }
    rule.weekStart = r.week_start == ICAL_NO_WEEKDAY ? 1 : r.week_start - ICAL_SUNDAY_WEEKDAY;
    const auto list = [](const short* values, int size) {
        std::vector<int> result;
        for (int i = 0; i < size && values[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
            result.push_back(values[i]);
        return result;
    };
    rule.seconds = list(r.by_second, ICAL_BY_SECOND_SIZE);
    rule.minutes = list(r.by_minute, ICAL_BY_MINUTE_SIZE);
    rule.hours = list(r.by_hour, ICAL_BY_HOUR_SIZE);
    rule.monthDays = list(r.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    rule.yearDays = list(r.by_year_day, ICAL_BY_YEARDAY_SIZE);
    rule.weekNumbers = list(r.by_week_no, ICAL_BY_WEEKNO_SIZE);
    rule.setPositions = list(r.by_set_pos, ICAL_BY_SETPOS_SIZE);
    for (int month : list(r.by_month, ICAL_BY_MONTH_SIZE))
        rule.months.push_back(icalrecurrencetype_month_month(static_cast<short>(month)));
    std::sort(rule.months.begin(), rule.months.end());
    for (int day : list(r.by_day, ICAL_BY_DAY_SIZE))
        rule.weekdays.push_back({icalrecurrencetype_day_day_of_week(static_cast<short>(day)) - ICAL_SUNDAY_WEEKDAY,
                                 icalrecurrencetype_day_position(static_cast<short>(day))});
    return rule;
}

// A time zone's yearly change that starts before earliestZoneYear is moved
// forward by whole 400-year cycles, after which the calendar, and so the
// change, falls on the same days; a COUNT loses the years passed over.
void startLate(icalcomponent* part)
{
    icalproperty* start = icalcomponent_get_first_property(part, ICAL_DTSTART_PROPERTY);
    icalproperty* rule = icalcomponent_get_first_property(part, ICAL_RRULE_PROPERTY);
    if (!start || !rule)
        return;
    icaltimetype time = icalproperty_get_dtstart(start);
    icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
    if (time.year >= earliestZoneYear || recurrence.interval > 1)
        return;
    const int years = (earliestZoneYear - time.year + 399) / 400 * 400;
    time.year += years;
    icalproperty_set_dtstart(start, time);
    if (recurrence.count > 0) {
        recurrence.count -= std::min(recurrence.count, years);
        if (recurrence.count == 0) {
            icalcomponent_remove_property(part, rule);
            icalproperty_free(rule);
            return;
        }
        icalproperty_set_rrule(rule, recurrence);
    }
}

class MarksReader {
public:
    MarksReader(DayRange range, void (*markDay)(void*, long long), void* context)
        : range_(range), markDay_(markDay), context_(context),
          budget_{std::clock() + timeBudget},
          zones_(icalcomponent_new(ICAL_VCALENDAR_COMPONENT))
    {
    }

    std::optional<ReadFailure> read(std::FILE* file)
    {
        ContentLines lines(file);
        ContentLine line;
        bool any = false;
        while (lines.next(line)) {
            any = true;
            if (auto failure = take(std::move(line)))
                return failure;
        }
        if (lines.failure)
            return lines.failure;
        if (!any)
            return ReadFailure{0, lines.bytes ? "holds nothing but empty lines" : "the file is empty"};
        if (!open_.empty())
            return ReadFailure{open_.back().fileLine, quoted(open_.back().text) + " is never closed"};
        return std::nullopt;
    }

private:
    // Follows the nesting of BEGIN and END lines, which the library does not
    // report, and hands each complete component of a calendar to finish().
    std::optional<ReadFailure> take(ContentLine line)
    {
        if (++lines_ % 64 == 0 && budget_.spent())
            return ReadFailure{line.fileLine, std::string("reading stopped here after ") + timeBudgetText + " of work"};
        const bool begin = startsWithIgnoringCase(line.text, "BEGIN:"), end = startsWithIgnoringCase(line.text, "END:");
        if (open_.empty() && !startsWithIgnoringCase(line.text, "BEGIN:VCALENDAR"))
            return ReadFailure{line.fileLine, "not an iCalendar file (expected BEGIN:VCALENDAR)"};
        if (begin) {
            if (open_.size() == maximumDepth)
                return ReadFailure{line.fileLine, "components nested more than " + std::to_string(maximumDepth) + " deep"};
            open_.push_back({line.text, line.fileLine});
        } else if (end) {
            const std::string_view opened = std::string_view(open_.back().text).substr(6);
            if (!startsWithIgnoringCase(std::string_view(line.text).substr(4), opened) ||
                line.text.size() - 4 != opened.size())
                return ReadFailure{line.fileLine, quoted(line.text) + " does not close " + quoted(open_.back().text)};
            open_.pop_back();
        }
        if (open_.empty())
            return std::nullopt;
        if (open_.size() == 1 && !end) {
            if (!begin)
                return checkCalendarProperty(line);
            return std::nullopt;
        }
        if (component_.size() == maximumComponentLines || (componentBytes_ += line.text.size()) > maximumComponentBytes)
            return ReadFailure{component_.front().fileLine, "a component of more than 10,000 lines or 4 MB"};
        component_.push_back(std::move(line));
        if (open_.size() == 1) {
            componentBytes_ = 0;
            auto failure = finish();
            component_.clear();
            return failure;
        }
        return std::nullopt;
    }

    ComponentHandle parse(const std::vector<ContentLine>& lines)
    {
        const ParserHandle parser(icalparser_new());
        ComponentHandle done;
        for (const ContentLine& line : lines) {
            // The parser keeps nothing of the line it is given.
            std::string text = line.text;
            if (icalcomponent* c = icalparser_add_line(parser.get(), text.data()))
                done.reset(c);
        }
        return done;
    }

    std::optional<ReadFailure> checkCalendarProperty(const ContentLine& line)
    {
        const ComponentHandle calendar = parse({{"BEGIN:VCALENDAR", line.fileLine}, line, {"END:VCALENDAR", line.fileLine}});
        if (!calendar)
            return ReadFailure{line.fileLine, "cannot be parsed"};
        return firstLibraryError(calendar.get(), {line});
    }

    std::optional<ReadFailure> finish()
    {
        ComponentHandle component = parse(component_);
        const int first = component_.front().fileLine;
        if (!component)
            return ReadFailure{first, "the component that starts here cannot be parsed"};
        if (auto failure = firstLibraryError(component.get(), component_))
            return failure;
        switch (icalcomponent_isa(component.get())) {
        case ICAL_VTIMEZONE_COMPONENT:
            return keepZone(std::move(component));
        case ICAL_VEVENT_COMPONENT: {
            // In the calendar that holds the time zones, the event's TZIDs find theirs.
            icalcomponent* event = component.get();
            icalcomponent_add_component(zones_.get(), component.release());
            addNamedZones(event);
            auto failure = markEvent(event, first);
            icalcomponent_remove_component(zones_.get(), event);
            icalcomponent_free(event);
            return failure;
        }
        default:
            return std::nullopt;
        }
    }

    // Time zones are kept for the events after them. Their changes are worked
    // out by libical when a time is converted, so only yearly changes, as
    // every real zone has, and a bounded number of them are accepted.
    std::optional<ReadFailure> keepZone(ComponentHandle zone)
    {
        for (const ContentLine& line : component_)
            zoneBytes_ += line.text.size();
        const int first = component_.front().fileLine;
        if (zoneBytes_ > maximumZoneBytes)
            return ReadFailure{first, "time zones of more than 1 MB in all"};
        for (icalcomponent* part = icalcomponent_get_first_component(zone.get(), ICAL_ANY_COMPONENT); part;
             part = icalcomponent_get_next_component(zone.get(), ICAL_ANY_COMPONENT)) {
            if (++zoneParts_ > maximumZoneParts)
                return ReadFailure{first, "time zones of more than " + std::to_string(maximumZoneParts) + " parts in all"};
            int rules = 0;
            for (icalproperty* p = icalcomponent_get_first_property(part, ICAL_RRULE_PROPERTY); p;
                 p = icalcomponent_get_next_property(part, ICAL_RRULE_PROPERTY), ++rules)
                if (icalproperty_get_rrule(p).freq != ICAL_YEARLY_RECURRENCE || rules > 0)
                    return ReadFailure{first, "a time zone whose changes repeat other than once a year"};
            startLate(part);
        }
        icalcomponent_add_component(zones_.get(), zone.release());
        return std::nullopt;
    }

    // A TZID that no VTIMEZONE of the file defines is a zone libical knows by
    // name: on Linux it finds the system's itself; where the program carries
    // the zones (Windows), the one named joins the file's under that TZID.
    void addNamedZones(icalcomponent* event)
    {
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_ANY_PROPERTY)) {
            icalparameter* parameter = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
            const char* tzid = parameter ? icalparameter_get_tzid(parameter) : nullptr;
            if (!tzid || icalcomponent_get_timezone(zones_.get(), tzid))
                continue;
            const std::string_view text = namedZone(tzid);
            if (text.empty())
                continue;
            ComponentHandle zone(icalparser_parse_string(std::string(text).c_str()));
            icalproperty* id = zone ? icalcomponent_get_first_property(zone.get(), ICAL_TZID_PROPERTY) : nullptr;
            if (!id)
                continue;
            icalproperty_set_tzid(id, tzid);
            icalcomponent_add_component(zones_.get(), zone.release());
        }
    }

    std::optional<ReadFailure> markEvent(icalcomponent* event, int line)
    {
        icalproperty* startProperty = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        const icaltimetype start = startProperty ? icalcomponent_get_dtstart(event) : icaltime_null_time();
        if (icaltime_is_null_time(start) || !validTime(start))
            return ReadFailure{line, "the event that starts here has no valid DTSTART"};
        // Dates are those of the wall clock in the event's own time zone.
        const icaltimezone* zone = start.zone;
        const long long begin = wallSeconds(start);
        long long duration = start.is_date ? 86400 : 0;
        if (icalproperty* endProperty = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
            const icaltimetype end = icalproperty_get_datetime_with_component(endProperty, event);
            if (validTime(end))
                duration = wallSeconds(end) + zoneShift(end, end.zone, zone) - begin;
        } else if (icalproperty* durationProperty = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
            duration = durationSeconds(icalproperty_get_duration(durationProperty));
        }
        // Longer than the calendar's years is as long as them.
        duration = std::clamp<long long>(duration, 0, 10000LL * 366 * 86400);

        Exclusions exclusions;
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
            const icaltimetype t = icalproperty_get_datetime_with_component(p, event);
            if (!validTime(t))
                continue;
            if (t.is_date)
                exclusions.days.insert(daysFromCivil(t.year, t.month, t.day));
            else
                exclusions.starts.insert(wallSeconds(t) + zoneShift(t, t.zone, zone));
        }
        if (!exclusions.excludes(begin))
            markSpan(begin, duration, range_, markDay_, context_);
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
            const bool period = icaltime_is_null_time(rdate.time);
            const icaltimetype t = period ? rdate.period.start : rdate.time;
            if (!validTime(t))
                continue;
            long long length = duration;
            if (period)
                length = validTime(rdate.period.end) ? wallSeconds(rdate.period.end) - wallSeconds(t)
                                                      : durationSeconds(rdate.period.duration);
            const long long at = wallSeconds(t) + (icaltime_is_utc(t) ? zoneShift(t, t.zone, zone) : 0);
            markSpan(at, std::clamp<long long>(length, 0, 10000LL * 366 * 86400), range_, markDay_, context_);
        }
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
            const std::optional<RecurrenceRule> rule = ruleOf(icalproperty_get_rrule(p), zone);
            if (rule && !markRecurrence(*rule, begin, duration, range_, exclusions, budget_, markDay_, context_))
                return ReadFailure{line, "the event that starts here" + summaryOf(event) +
                                             " could not be worked out within " + timeBudgetText};
        }
        return std::nullopt;
    }

    static std::string summaryOf(icalcomponent* event)
    {
        const char* summary = icalcomponent_get_summary(event);
        return summary && *summary ? " (" + quoted(summary) + ")" : std::string();
    }

    DayRange range_;
    void (*markDay_)(void*, long long);
    void* context_;
    WorkBudget budget_;
    ComponentHandle zones_;
    std::vector<ContentLine> open_;       // the BEGIN lines not yet closed
    std::vector<ContentLine> component_;  // the lines of the component being read
    std::size_t componentBytes_ = 0, zoneBytes_ = 0;
    unsigned lines_ = 0;
    int zoneParts_ = 0;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int orvelplanReadMarks(const char* path, long long firstDay,
                                                                          long long lastDay,
                                                                          void (*markDay)(void*, long long),
                                                                          void* context, char* error,
                                                                          std::size_t errorSize)
{
    const std::string shownPath = shownText(path);
    // libical would look for its zone files in folders near the executable
    // that the program does not have (and under Wine in the build machine's
    // folders): with the zones compiled in, it is given none.
    if (carriesNamedZones())
        set_zone_directory("");
    errno = 0;
    const FileHandle file(std::fopen(path, "rb"));
    if (!file) {
        std::snprintf(error, errorSize, "%s: cannot be read: %s", shownPath.c_str(), std::strerror(errno));
        return 1;
    }
    MarksReader reader({std::max(firstDay, firstSupportedDay()), std::min(lastDay, lastSupportedDay())}, markDay,
                       context);
    if (const auto failure = reader.read(file.get())) {
        if (failure->line > 0)
            std::snprintf(error, errorSize, "%s: line %d: %s", shownPath.c_str(), failure->line, failure->reason.c_str());
        else
            std::snprintf(error, errorSize, "%s: %s", shownPath.c_str(), failure->reason.c_str());
        return 1;
    }
    return 0;
}
