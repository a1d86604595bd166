#include "analysis/runcsv.h"

#include "core/translate.h"
#include "core/vbformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string_view>

namespace kestrel {

namespace {

/// The columns after `time` in the order the file holds them, with the channel each one fills.
constexpr std::array<const char*, kChannelCount> kColumnNames{"SV",    "PV",  "DV",  "MV",   "E",  "P",
                                                              "I",     "D",   "FF",  "KdDV", "DS", "PVtrue",
                                                              "VALVE", "SV2", "PV2", "P2",   "I2", "D2"};
constexpr std::array<Channel, kChannelCount> kColumnChannel{
    Channel::SV, Channel::PV,  Channel::DV,  Channel::MV,   Channel::E,  Channel::P,
    Channel::I,  Channel::D,   Channel::FF,  Channel::KdDV, Channel::DS, Channel::PvTrue,
    Channel::VP, Channel::SV2, Channel::PV2, Channel::P2,   Channel::I2, Channel::D2};
/// A file written before the process output before the sensor and the valve position were
/// recorded has neither column: without a sensor the process output is PV, without valve stages
/// the valve position is MV.
constexpr Channel fallbackOf(Channel c) {
    return c == Channel::PvTrue ? Channel::PV : c == Channel::VP ? Channel::MV : c;
}
/// A file written before the inner loop was recorded has none of its columns: its run had none.
constexpr bool optionalColumn(Channel c) {
    return fallbackOf(c) != c || isInnerChannel(c);
}

constexpr std::size_t kMaxRows = 100'000;
/// Ten times what the store keeps: a file with more runs is no file of kept runs.
constexpr std::size_t kMaxRuns = 1'000;
/// Longer lines are no CSV of runs; refusing them keeps a binary file from filling memory.
constexpr std::size_t kMaxLine = 64 * 1024;
/// A run that no header block names and that has only one sample gets this period.
constexpr double kDefaultPeriod = 0.1;

// ---------------------------------------------------------------------------------------------
// Writing

/// A header text on one line: a line break inside a label would end the `#` line.
std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

/// A program text inside a `value@time` point: space, '@' and '%' written as %20, %40, %25.
std::string pointText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '@' || c == '%' || c == '\n' || c == '\r' || c == '\t') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

/// A program as `value@time` points up to the last point with any text.
std::string programText(const std::array<std::string, 9>& values, const std::array<std::string, 9>& times) {
    std::size_t used = 0;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!values[i].empty() || !times[i].empty())
            used = i + 1;
    std::string out;
    for (std::size_t i = 0; i < used; ++i)
        out += (i ? " " : "") + pointText(values[i]) + "@" + pointText(times[i]);
    return out;
}

/// The `key=value` pairs of the parameter set, in one place for the writer and the reader.
struct NumberField {
    const char* key;
    double ParameterSet::*member;
};
constexpr std::array<NumberField, 31> kNumberFields{{
    {"FB", &ParameterSet::FB},
    {"dt", &ParameterSet::dt},
    {"Kp", &ParameterSet::Kp},
    {"Ti", &ParameterSet::Ti},
    {"Td", &ParameterSet::Td},
    {"MH", &ParameterSet::MH},
    {"ML", &ParameterSet::ML},
    {"dML", &ParameterSet::dML},
    {"alpha", &ParameterSet::alpha},
    {"beta", &ParameterSet::beta},
    {"gamma", &ParameterSet::gamma},
    {"Kpl", &ParameterSet::Kpl},
    {"Tpl", &ParameterSet::Tpl},
    {"Lpl", &ParameterSet::Lpl},
    {"Kd", &ParameterSet::Kd},
    {"Kds", &ParameterSet::Kds},
    {"Tds", &ParameterSet::Tds},
    {"Lds", &ParameterSet::Lds},
    {"Kf", &ParameterSet::Kf},
    {"Tfd", &ParameterSet::Tfd},
    {"Tfp", &ParameterSet::Tfp},
    {"Lf", &ParameterSet::Lf},
    {"PV_NOISE", &ParameterSet::PV_NOISE},
    {"NOISE_SEED", &ParameterSet::NOISE_SEED},
    {"PV_FILTER", &ParameterSet::PV_FILTER},
    {"VALVE_DB", &ParameterSet::VALVE_DB},
    {"VALVE_BL", &ParameterSet::VALVE_BL},
    {"STICK_S", &ParameterSet::STICK_S},
    {"STICK_J", &ParameterSet::STICK_J},
    {"VALVE_T", &ParameterSet::VALVE_T},
    {"Tpl2", &ParameterSet::Tpl2},
}};
/// The stored selections with the largest value each may take.
struct ChoiceField {
    const char* key;
    std::int16_t ParameterSet::*member;
    int largest;
};
constexpr std::array<ChoiceField, 4> kChoiceFields{{
    {"TYPE_SELECT", &ParameterSet::TYPE_SELECT, 5},
    {"CALC_TYPE", &ParameterSet::CALC_TYPE, 2},
    {"MODE", &ParameterSet::MODE, 2},
    {"PROC_TYPE", &ParameterSet::PROC_TYPE, 2},
}};

/// The loop structure's keys, after the others on the line: the structure, the secondary
/// controller and the inner part of a two-part process. A choice has `choice` and its largest
/// value, a number `number`.
struct LoopField {
    const char* key;
    std::int16_t ParameterSet::*choice;
    double ParameterSet::*number;
    int largest;
};
constexpr std::array<LoopField, 15> kLoopFields{{
    {"LOOP", &ParameterSet::LOOP, nullptr, 2},
    {"TYPE2", &ParameterSet::TYPE2, nullptr, 2},
    {"CALC2", &ParameterSet::CALC2, nullptr, 2},
    {"Kp2", nullptr, &ParameterSet::Kp2, 0},
    {"Ti2", nullptr, &ParameterSet::Ti2, 0},
    {"Td2", nullptr, &ParameterSet::Td2, 0},
    {"MH2", nullptr, &ParameterSet::MH2, 0},
    {"ML2", nullptr, &ParameterSet::ML2, 0},
    {"dML2", nullptr, &ParameterSet::dML2, 0},
    {"MODE2", &ParameterSet::MODE2, nullptr, 2},
    {"Kin", nullptr, &ParameterSet::Kin, 0},
    {"Tin", nullptr, &ParameterSet::Tin, 0},
    {"Lin", nullptr, &ParameterSet::Lin, 0},
    {"Kdin", nullptr, &ParameterSet::Kdin, 0},
    {"Tdin", nullptr, &ParameterSet::Tdin, 0},
}};

/// The process's keys, which a run with a hidden process does not write: its gain, lag and dead
/// time, its type and second lag, the valve's faults and the inner part's gain, lag and dead time
/// (the sensor's noise and the disturbances are no secret).
bool isProcessKey(std::string_view key) {
    static constexpr std::array<std::string_view, 13> kKeys{
        "Kpl",     "Tpl",     "Lpl",     "PROC_TYPE", "Tpl2", "VALVE_DB", "VALVE_BL",
        "STICK_S", "STICK_J", "VALVE_T", "Kin",       "Tin",  "Lin"};
    return std::find(kKeys.begin(), kKeys.end(), key) != kKeys.end();
}

void writeHeader(std::string& out, const KeptRun& run, int number) {
    const ParameterSet& p = run.params;
    out += "# Kestrel run " + std::to_string(number) + "\n";
    out += "# label: " + oneLine(run.label) + "\n";
    if (!run.lesson.empty() || run.step != 0)
        out += "# lesson: " + oneLine(run.lesson) +
               (run.step != 0 ? " step " + std::to_string(run.step) : "") + "\n";
    if (!run.startedAt.empty())
        out += "# started: " + oneLine(run.startedAt) + "\n";
    out += "# settings: " + oneLine(storedSettingsSummary(run)) + "\n";
    out += "# params:";
    for (const ChoiceField& f : kChoiceFields)
        if (!(run.processHidden && isProcessKey(f.key)))
            out += std::string(" ") + f.key + "=" + std::to_string(p.*f.member);
    for (const NumberField& f : kNumberFields)
        if (!(run.processHidden && isProcessKey(f.key)))
            out += std::string(" ") + f.key + "=" + shortestText(p.*f.member);
    for (const LoopField& f : kLoopFields)
        if (!(run.processHidden && isProcessKey(f.key)))
            out += std::string(" ") + f.key + "=" +
                   (f.choice ? std::to_string(p.*f.choice) : shortestText(p.*f.number));
    if (run.processHidden)
        out += "\n# process: hidden";
    out += "\n# sv_program: " + programText(p.SVv, p.SVt) + "\n";
    out += "# dv_program: " + programText(p.DVv, p.DVt) + "\n";
    out += "# chart: RH=" + std::to_string(run.rangeHigh) + " RL=" + std::to_string(run.rangeLow) +
           " TM=" + std::to_string(run.graphTime) + " MVH=" + std::to_string(run.mvHigh) +
           " MVL=" + std::to_string(run.mvLow) + " graph=" + std::to_string(run.graph) + "\n";
    out += "# dt: " + shortestText(run.dt) + "\n";
    const RunMetrics& m = run.metrics;
    out += "# metrics: IAE=" + shortestText(m.iae) + " ISE=" + shortestText(m.ise) +
           " ITAE=" + shortestText(m.itae) + " mv_travel=" + shortestText(m.mvTravel) +
           " time_at_limit=" + shortestText(m.timeAtLimit) + " offset=" + shortestText(m.offset) + "\n";
    out += "# sv_step:";
    if (const auto& s = m.svStep)
        out += " t0=" + shortestText(s->t0) + " size=" + shortestText(s->size) +
               " pv_change=" + shortestText(s->pvChange) + " overshoot_pct=" + shortestText(s->overshootPct) +
               " rise_time=" + shortestText(s->riseTime) +
               " settling_time=" + (s->settlingTime ? shortestText(*s->settlingTime) : "none") +
               " peak_time=" + shortestText(s->peakTime) + "\n";
    else
        out += " none\n";
    out += "# dv_step:";
    if (const auto& d = m.dvStep)
        out += " t0=" + shortestText(d->t0) + " peak_deviation=" + shortestText(d->peakDeviation) +
               " peak_time=" + shortestText(d->peakTime) + "\n";
    else
        out += " none\n";
}

// ---------------------------------------------------------------------------------------------
// Reading

/// A reason the text is no run CSV; carries the one-line message.
struct CsvError {
    std::string message;
};

std::string lineText(std::size_t line) {
    return trArgs(KESTREL_TR("RunCsv", "CSVの%1行目"), {std::to_string(line)});
}

std::string tooManyRuns() {
    return trArgs(KESTREL_TR("RunCsv", "CSVのランが多すぎます (%1 個まで読めます)。"),
                  {std::to_string(kMaxRuns)});
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    // A spreadsheet may have quoted a cell.
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        s = s.substr(1, s.size() - 2);
    return s;
}

/// A finite number written in C form, whatever the locale; none otherwise.
std::optional<double> parseNumber(std::string_view s) {
    s = trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::vector<std::string_view> splitCells(std::string_view line) {
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        cells.push_back(trim(
            line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
        if (comma == std::string_view::npos)
            return cells;
        start = comma + 1;
    }
}

/// The `key=value` words of a header line, in order.
std::vector<std::pair<std::string, std::string>> keyValues(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        std::size_t end = text.find(' ', i);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view word = text.substr(i, end - i);
        if (const std::size_t eq = word.find('='); eq != std::string_view::npos)
            pairs.emplace_back(std::string(word.substr(0, eq)), std::string(word.substr(eq + 1)));
        i = end;
    }
    return pairs;
}

std::string unescapePoint(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned code = 0;
        if (s[i] == '%' && i + 2 < s.size() &&
            std::from_chars(s.data() + i + 1, s.data() + i + 3, code, 16).ptr == s.data() + i + 3) {
            out += static_cast<char>(code);
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

/// What a header block of a run says; only the lines present are used.
struct Header {
    int number = 0;
    KeptRun run;
    bool hasDt = false, hasMetrics = false;
};

class HeaderReader {
public:
    explicit HeaderReader(std::vector<Header>& headers) : mHeaders(headers) {}

    /// One `#` line before the column line.
    void read(std::string_view text, std::size_t line) {
        mLine = line;
        text.remove_prefix(1);
        if (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        constexpr std::string_view kRun = "Kestrel run ";
        if (text.substr(0, kRun.size()) == kRun) {
            Header h;
            h.number = integer(text.substr(kRun.size()), KESTREL_TR("RunCsv", "ラン番号"), 1,
                               std::numeric_limits<int>::max());
            if (mHeaders.size() >= kMaxRuns)
                throw CsvError{tooManyRuns()};
            for (const Header& other : mHeaders)
                if (other.number == h.number)
                    throw CsvError{trArgs(KESTREL_TR("RunCsv", "%1: ラン %2 が二度あります。"),
                                          {lineText(line), std::to_string(h.number)})};
            mHeaders.push_back(std::move(h));
            return;
        }
        const std::size_t colon = text.find(": ");
        if (mHeaders.empty() || colon == std::string_view::npos)
            return; // a free comment
        const std::string_view key = text.substr(0, colon), value = text.substr(colon + 2);
        apply(mHeaders.back(), key, value);
    }

private:
    void apply(Header& h, std::string_view key, std::string_view value) {
        KeptRun& run = h.run;
        if (key == "label") {
            run.label = std::string(value);
        } else if (key == "lesson") {
            const std::size_t at = value.rfind("step ");
            if (at != std::string_view::npos && (at == 0 || value[at - 1] == ' ') &&
                value.find_first_not_of("0123456789", at + 5) == std::string_view::npos &&
                value.size() > at + 5) {
                run.step = integer(value.substr(at + 5), "step", 0, std::numeric_limits<int>::max());
                value = value.substr(0, at == 0 ? 0 : at - 1);
            }
            run.lesson = std::string(value);
        } else if (key == "started") {
            run.startedAt = std::string(value);
        } else if (key == "params") {
            for (const auto& [k, v] : keyValues(value)) {
                for (const ChoiceField& f : kChoiceFields)
                    if (k == f.key)
                        run.params.*f.member = static_cast<std::int16_t>(integer(v, k, 0, f.largest));
                for (const NumberField& f : kNumberFields)
                    if (k == f.key)
                        run.params.*f.member = number(v, k);
                for (const LoopField& f : kLoopFields)
                    if (k == f.key && f.choice)
                        run.params.*f.choice = static_cast<std::int16_t>(integer(v, k, 0, f.largest));
                    else if (k == f.key)
                        run.params.*f.number = number(v, k);
            }
            if (!(run.params.dt > 0))
                throw CsvError{
                    trArgs(KESTREL_TR("RunCsv", "%1の「dt」が正の数ではありません。"), {lineText(mLine)})};
        } else if (key == "process") {
            run.processHidden = value == "hidden";
        } else if (key == "sv_program" || key == "dv_program") {
            auto& values = key == "sv_program" ? run.params.SVv : run.params.DVv;
            auto& times = key == "sv_program" ? run.params.SVt : run.params.DVt;
            values.fill("");
            times.fill("");
            std::size_t i = 0;
            for (std::size_t from = 0; from < value.size() && i < values.size();) {
                std::size_t end = value.find(' ', from);
                if (end == std::string_view::npos)
                    end = value.size();
                const std::string_view point = value.substr(from, end - from);
                if (!point.empty()) {
                    const std::size_t at = point.find('@');
                    values[i] = unescapePoint(point.substr(0, at));
                    times[i] = at == std::string_view::npos ? "" : unescapePoint(point.substr(at + 1));
                    ++i;
                }
                from = end + 1;
            }
        } else if (key == "chart") {
            constexpr int kShort = std::numeric_limits<std::int16_t>::max();
            const std::pair<std::string_view, std::int16_t*> fields[] = {{"RH", &run.rangeHigh},
                                                                         {"RL", &run.rangeLow},
                                                                         {"TM", &run.graphTime},
                                                                         {"MVH", &run.mvHigh},
                                                                         {"MVL", &run.mvLow}};
            for (const auto& [k, v] : keyValues(value)) {
                for (const auto& [name, to] : fields)
                    if (k == name)
                        *to = static_cast<std::int16_t>(integer(v, k, -kShort, kShort));
                if (k == "graph")
                    run.graph = integer(v, k, 0, 1);
            }
        } else if (key == "dt") {
            run.dt = number(value, "dt");
            if (!(run.dt > 0))
                throw CsvError{
                    trArgs(KESTREL_TR("RunCsv", "%1の「dt」が正の数ではありません。"), {lineText(mLine)})};
            h.hasDt = true;
        } else if (key == "metrics") {
            RunMetrics& m = run.metrics;
            h.hasMetrics = true;
            readFields(value, {{"IAE", &m.iae},
                               {"ISE", &m.ise},
                               {"ITAE", &m.itae},
                               {"mv_travel", &m.mvTravel},
                               {"time_at_limit", &m.timeAtLimit},
                               {"offset", &m.offset}});
        } else if (key == "sv_step") {
            auto& sv = run.metrics.svStep;
            sv.reset();
            if (trim(value) == "none")
                return;
            sv.emplace();
            for (const auto& [k, v] : keyValues(value))
                if (k == "settling_time")
                    sv->settlingTime = v == "none" ? std::nullopt : std::optional<double>(number(v, k));
            readFields(value, {{"t0", &sv->t0},
                               {"size", &sv->size},
                               {"pv_change", &sv->pvChange},
                               {"overshoot_pct", &sv->overshootPct},
                               {"rise_time", &sv->riseTime},
                               {"peak_time", &sv->peakTime}});
        } else if (key == "dv_step") {
            auto& dv = run.metrics.dvStep;
            dv.reset();
            if (trim(value) == "none")
                return;
            dv.emplace();
            readFields(
                value,
                {{"t0", &dv->t0}, {"peak_deviation", &dv->peakDeviation}, {"peak_time", &dv->peakTime}});
        }
        // Other lines (the settings summary among them) are for the reader of the file.
    }

    void readFields(std::string_view value,
                    std::initializer_list<std::pair<std::string_view, double*>> fields) {
        for (const auto& [k, v] : keyValues(value))
            for (const auto& [name, to] : fields)
                if (k == name)
                    *to = number(v, k);
    }

    double number(std::string_view text, std::string_view name) const {
        const auto v = parseNumber(text);
        if (!v)
            throw CsvError{
                trArgs(KESTREL_TR("RunCsv", "%1の「%2」が数値ではありません。"), {lineText(mLine), name})};
        return *v;
    }

    int integer(std::string_view text, std::string_view name, int low, int high) const {
        const double v = number(text, name);
        if (v != std::floor(v) || v < low || v > high)
            throw CsvError{trArgs(KESTREL_TR("RunCsv", "%1の「%2」が範囲外です。"), {lineText(mLine), name})};
        return static_cast<int>(v);
    }

    std::vector<Header>& mHeaders;
    std::size_t mLine = 0;
};

/// The next line without its LF into `line`; false at the end of the text.
bool nextLine(std::istream& in, std::string& line, std::size_t lineNo) {
    line.clear();
    std::streambuf* buf = in.rdbuf();
    if (!buf)
        return false;
    for (;;) {
        const int c = buf->sbumpc();
        if (c == std::char_traits<char>::eof())
            return !line.empty();
        if (c == '\n')
            return true;
        if (line.size() >= kMaxLine)
            throw CsvError{trArgs(KESTREL_TR("RunCsv", "%1が長すぎます (%2 バイトまで)。"),
                                  {lineText(lineNo), std::to_string(kMaxLine)})};
        line += static_cast<char>(c);
    }
}

/// Where each channel stands in a row, from the column line.
struct Columns {
    int run = -1, time = -1;
    std::array<int, kChannelCount> channel{}; ///< per Channel
    std::size_t count = 0;
    std::vector<bool> mayBeEmpty; ///< per column: an inner-loop column, whose empty cell is no signal
};

Columns readColumns(std::string_view text, std::size_t line) {
    const auto cells = splitCells(text);
    if (std::all_of(cells.begin(), cells.end(),
                    [](std::string_view c) { return parseNumber(c).has_value(); }))
        throw CsvError{KESTREL_TR("RunCsv", "CSVに列の見出し行 (time,SV,PV,DV,MV,…) がありません。")};
    Columns cols;
    cols.channel.fill(-1);
    cols.count = cells.size();
    cols.mayBeEmpty.assign(cells.size(), false);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string_view name = cells[i];
        int* slot = nullptr;
        if (name == "run")
            slot = &cols.run;
        else if (name == "time")
            slot = &cols.time;
        for (int c = 0; c < kChannelCount; ++c)
            if (name == kColumnNames[c] || (name == "Kd·DV" && kColumnChannel[c] == Channel::KdDV)) {
                slot = &cols.channel[static_cast<int>(kColumnChannel[c])];
                cols.mayBeEmpty[i] = isInnerChannel(kColumnChannel[c]);
            }
        if (!slot)
            throw CsvError{
                trArgs(KESTREL_TR("RunCsv", "%1の列「%2」は知らない列です。"), {lineText(line), name})};
        if (*slot >= 0)
            throw CsvError{
                trArgs(KESTREL_TR("RunCsv", "%1に列「%2」が二つあります。"), {lineText(line), name})};
        *slot = static_cast<int>(i);
    }
    if (cols.time < 0)
        throw CsvError{trArgs(KESTREL_TR("RunCsv", "%1に列「%2」がありません。"), {lineText(line), "time"})};
    for (int c = 0; c < kChannelCount; ++c)
        if (cols.channel[static_cast<int>(kColumnChannel[c])] < 0 && !optionalColumn(kColumnChannel[c]))
            throw CsvError{trArgs(KESTREL_TR("RunCsv", "%1に列「%2」がありません。"),
                                  {lineText(line), kColumnNames[c]})};
    return cols;
}

bool finite(const RunMetrics& m) {
    bool ok = true;
    for (const double v : {m.iae, m.ise, m.itae, m.mvTravel, m.timeAtLimit, m.offset})
        ok = ok && std::isfinite(v);
    if (const auto& s = m.svStep)
        for (const double v : {s->t0, s->size, s->pvChange, s->overshootPct, s->riseTime, s->peakTime,
                               s->settlingTime.value_or(0.0)})
            ok = ok && std::isfinite(v);
    if (const auto& d = m.dvStep)
        for (const double v : {d->t0, d->peakDeviation, d->peakTime})
            ok = ok && std::isfinite(v);
    return ok;
}

/// The samples of one run and what its header (if any) said of it.
struct Building {
    int number = 0;
    const Header* header = nullptr;
    KeptRun run;
};

std::vector<KeptRun> readRuns(std::istream& in, const std::string& source) {
    std::vector<Header> headers;
    HeaderReader headerReader(headers);
    std::optional<Columns> cols;
    std::vector<Building> runs;
    std::map<int, std::size_t> runIndex; // run number -> position in runs
    std::size_t rows = 0, lineNo = 0;
    bool anyText = false;

    auto runFor = [&](int number) -> Building& {
        const auto [it, added] = runIndex.try_emplace(number, runs.size());
        if (added) {
            if (runs.size() >= kMaxRuns)
                throw CsvError{tooManyRuns()};
            Building b;
            b.number = number;
            for (const Header& h : headers)
                if (h.number == number || (cols->run < 0 && headers.size() == 1)) {
                    b.header = &h;
                    b.number = h.number; // a file of one run names it in its header only
                }
            runs.push_back(std::move(b));
        }
        return runs[it->second];
    };

    std::string line;
    std::vector<double> cells;
    while (nextLine(in, line, lineNo + 1)) {
        ++lineNo;
        std::string_view text = line;
        if (lineNo == 1 && text.substr(0, 3) == "\xEF\xBB\xBF")
            text.remove_prefix(3);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (trim(text).empty())
            continue;
        anyText = true;
        if (text.front() == '#') {
            if (!cols)
                headerReader.read(text, lineNo);
            continue; // a comment among the rows
        }
        if (!cols) {
            cols = readColumns(text, lineNo);
            if (cols->run < 0 && headers.size() > 1)
                throw CsvError{
                    trArgs(KESTREL_TR("RunCsv", "%1に列「run」がありません (ランが %2 個あります)。"),
                           {lineText(lineNo), std::to_string(headers.size())})};
            // The header blocks' runs come first, in their order, rows or not.
            for (const Header& h : headers)
                runFor(cols->run < 0 ? 1 : h.number);
            continue;
        }
        if (++rows > kMaxRows)
            throw CsvError{trArgs(KESTREL_TR("RunCsv", "CSVの行が多すぎます (%1 行まで読めます)。"),
                                  {std::to_string(kMaxRows)})};
        const auto texts = splitCells(text);
        if (texts.size() != cols->count)
            throw CsvError{
                trArgs(KESTREL_TR("RunCsv", "%1の値の数が %2 個です (%3 個のはずです)。"),
                       {lineText(lineNo), std::to_string(texts.size()), std::to_string(cols->count)})};
        cells.resize(texts.size());
        for (std::size_t c = 0; c < texts.size(); ++c) {
            const auto v = parseNumber(texts[c]);
            if (!v && cols->mayBeEmpty[c] && texts[c].empty()) {
                cells[c] = kNoSignal;
                continue;
            }
            if (!v)
                throw CsvError{trArgs(KESTREL_TR("RunCsv", "%1、%2列目が数値ではありません。"),
                                      {lineText(lineNo), std::to_string(c + 1)})};
            cells[c] = *v;
        }
        int number = 1;
        if (cols->run >= 0) {
            const double r = cells[cols->run];
            if (r != std::floor(r) || r < 0 || r > std::numeric_limits<int>::max())
                throw CsvError{
                    trArgs(KESTREL_TR("RunCsv", "%1、%2列目がラン番号 (0 以上の整数) ではありません。"),
                           {lineText(lineNo), std::to_string(cols->run + 1)})};
            number = static_cast<int>(r);
        }
        KeptRun& run = runFor(number).run;
        const double t = cells[cols->time];
        if (!run.time.empty() && t < run.time.back())
            throw CsvError{trArgs(KESTREL_TR("RunCsv", "%1の時刻 %2 が前の行の時刻より前です。"),
                                  {lineText(lineNo), shortestText(t)})};
        run.time.push_back(t);
        for (int c = 0; c < kChannelCount; ++c) {
            const int at = cols->channel[c];
            const int from = at >= 0 ? at : cols->channel[static_cast<int>(fallbackOf(Channel(c)))];
            run.values[c].push_back(from >= 0 ? cells[from] : kNoSignal);
        }
    }
    if (!anyText)
        throw CsvError{KESTREL_TR("RunCsv", "CSVファイルが空です。")};
    if (!cols)
        throw CsvError{KESTREL_TR("RunCsv", "CSVに列の見出し行 (time,SV,PV,DV,MV,…) がありません。")};
    if (runs.empty())
        throw CsvError{KESTREL_TR("RunCsv", "CSVに記録の行がありません。")};

    const std::string base = std::filesystem::path(source).stem().string();
    std::vector<KeptRun> result;
    result.reserve(runs.size());
    for (Building& b : runs) {
        KeptRun run = b.header ? b.header->run : KeptRun{};
        run.time = std::move(b.run.time);
        run.values = std::move(b.run.values);
        run.number = 0;
        run.source = source;
        run.penTime = run.time;
        if (run.label.empty())
            run.label = trArgs(KESTREL_TR("RunCsv", "%1 ラン %2"), {base, std::to_string(b.number)});
        const std::size_t n = run.time.size();
        if (!(b.header && b.header->hasDt))
            run.dt = n > 1 && run.time[n - 1] > run.time[0] ? (run.time[n - 1] - run.time[0]) / double(n - 1)
                                                            : (b.header ? run.params.dt : kDefaultPeriod);
        run.steps.reserve(n);
        for (std::size_t i = 0; i < n; ++i)
            run.steps.push_back({run.time[i], run.value(Channel::SV, i), run.value(Channel::PV, i),
                                 run.value(Channel::MV, i), run.value(Channel::DV, i), false});
        if (run.values[static_cast<int>(Channel::PvTrue)] != run.values[static_cast<int>(Channel::PV)])
            run.pvTrue = run.values[static_cast<int>(Channel::PvTrue)];
        if (channelInUse(run, Channel::PV2) || channelInUse(run, Channel::SV2)) {
            run.inner.reserve(n);
            for (std::size_t i = 0; i < n; ++i)
                run.inner.push_back({run.value(Channel::SV2, i), run.value(Channel::PV2, i),
                                     run.value(Channel::P2, i), run.value(Channel::I2, i),
                                     run.value(Channel::D2, i)});
        }
        if (!(b.header && b.header->hasMetrics))
            run.metrics = measureRun(run.steps, run.dt, run.pvTrue);
        // Values near the largest double can still overflow in the spacing or the sums.
        if (!std::isfinite(run.dt) || !finite(run.metrics))
            throw CsvError{
                trArgs(KESTREL_TR("RunCsv", "CSVのラン %1 の値が大きすぎて評価値を計算できません。"),
                       {std::to_string(b.number)})};
        result.push_back(std::move(run));
    }
    return result;
}

} // namespace

void writeRunsCsv(std::ostream& out, const std::vector<const KeptRun*>& runs) {
    // The `run` column tells the runs apart: their own numbers when they do, else their places.
    std::set<int> distinct;
    for (const KeptRun* r : runs)
        if (r->number > 0)
            distinct.insert(r->number);
    const bool ownNumbers = distinct.size() == runs.size();
    auto numberOf = [&](std::size_t i) { return ownNumbers ? runs[i]->number : static_cast<int>(i) + 1; };

    const bool withRun = runs.size() > 1;
    std::string text;
    for (std::size_t i = 0; i < runs.size(); ++i)
        writeHeader(text, *runs[i], numberOf(i));
    text += withRun ? "run," : "";
    text += "time";
    for (const char* name : kColumnNames)
        text += std::string(",") + name;
    text += '\n';
    out.write(text.data(), static_cast<std::streamsize>(text.size()));

    for (std::size_t i = 0; i < runs.size(); ++i) {
        const KeptRun& run = *runs[i];
        const std::string prefix = withRun ? std::to_string(numberOf(i)) + "," : "";
        for (std::size_t k = 0; k < run.samples(); ++k) {
            std::string line = prefix + shortestText(run.time[k]);
            for (const Channel c : kColumnChannel) {
                const std::vector<double>& v = run.values[static_cast<int>(c)];
                // A signal the loop has not is an empty cell, not a number someone could plot.
                const bool none = isInnerChannel(c) && (k >= v.size() || v[k] == kNoSignal);
                line += none ? "," : "," + shortestText(v[k]);
            }
            line += '\n';
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
        }
    }
}

std::optional<Channel> columnChannel(std::string_view name) {
    for (int c = 0; c < kChannelCount; ++c)
        if (name == kColumnNames[c])
            return kColumnChannel[c];
    return std::nullopt;
}

const char* columnName(Channel c) {
    for (int i = 0; i < kChannelCount; ++i)
        if (kColumnChannel[i] == c)
            return kColumnNames[i];
    return "";
}

std::string columnList(const char* separator) {
    std::string list;
    for (const char* name : kColumnNames)
        list += (list.empty() ? "" : separator) + std::string(name);
    return list;
}

std::vector<KeptRun> readRunsCsv(std::istream& in, const std::string& source, std::string& error) {
    error.clear();
    try {
        return readRuns(in, source);
    } catch (const CsvError& e) {
        error = e.message;
    } catch (const std::bad_alloc&) {
        error = KESTREL_TR("RunCsv", "CSVが大きすぎて読めません。");
    }
    return {};
}

} // namespace kestrel
