#include "tune/tunecli.h"

#include "analysis/runcsv.h"
#include "core/vbformat.h"
#include "tuning/frequency.h"
#include "tuning/identify.h"
#include "tuning/rules.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <set>

namespace kestrel::tuning {

namespace {

const char* kUsage =
    "usage: kestrel-tune identify FILE.csv [--run N] [--pv COLUMN] [--mv COLUMN]\n"
    "       kestrel-tune rules --K k --L l --T t [--Ku u --Pu p] [--lambda x] [--tauc x]\n"
    "       kestrel-tune margins --type N --Kp k [--Ti s] [--Td s] [--eta x] --K k --L l --T t "
    "[--dt s]\n"
    "  identify  the process model of a step test in a CSV as kestrel-sim writes it;\n"
    "            --run N takes the file's N-th run (from 1) when it holds several;\n"
    "            --pv and --mv name the response and the step's columns (default PV and MV):\n"
    "            --pv PV2 for the inner part of a cascade loop (its secondary in manual),\n"
    "            --mv SV2 for the outer loop with the inner one closed\n"
    "  rules     controller settings of every tuning rule, one JSON object per line\n"
    "  margins   gain and phase margin, crossover frequencies and Ms of the loop\n"
    "            (type 0 P, 1 PI, 2-5 PID types; Ti needed from type 1, Td from type 2;\n"
    "            with --dt and dt > L/10 also those of the sampled loop)";

/// The command's options, each `--name value`, and its plain arguments.
struct Options {
    std::map<std::string, std::string> values;
    std::vector<std::string> plain;
};

/// Reads args[1..] into `o`; the line that says what is wrong, or empty.
std::string readOptions(const std::vector<std::string>& args, const std::set<std::string>& known,
                        Options& o) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            o.plain.push_back(a);
            continue;
        }
        const std::string name = a.substr(2);
        if (!known.count(name))
            return "unknown option \"" + a + "\" for " + args[0];
        if (i + 1 >= args.size())
            return "option \"" + a + "\" needs a value";
        if (!o.values.emplace(name, args[++i]).second)
            return "option \"" + a + "\" given twice";
    }
    return {};
}

/// Strict number of an option: the whole text, finite, the same whatever the locale.
std::optional<double> number(const Options& o, const std::string& name, std::string& problem) {
    auto it = o.values.find(name);
    if (it == o.values.end())
        return std::nullopt;
    const std::string& s = it->second;
    double v = 0.0;
    const char* begin = s.data() + (!s.empty() && s[0] == '+' ? 1 : 0);
    auto res = std::from_chars(begin, s.data() + s.size(), v);
    if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v))
        problem = "--" + name + " \"" + s + "\" is not a number";
    return v;
}

std::string json(const std::optional<double>& v) {
    return v ? shortestText(*v) : "null";
}

int fail(std::ostream& err, const std::string& line) {
    err << "kestrel-tune: " << line << '\n';
    return 2;
}

int runRules(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    if (auto bad = readOptions(args, {"K", "L", "T", "Ku", "Pu", "lambda", "tauc"}, o); !bad.empty())
        return fail(err, bad);
    if (!o.plain.empty())
        return fail(err, "rules takes no argument \"" + o.plain[0] + "\"");
    std::string problem;
    RuleInput in;
    auto K = number(o, "K", problem), L = number(o, "L", problem), T = number(o, "T", problem);
    in.Ku = number(o, "Ku", problem);
    in.Pu = number(o, "Pu", problem);
    in.lambda = number(o, "lambda", problem);
    in.tauc = number(o, "tauc", problem);
    if (!problem.empty())
        return fail(err, problem);
    if (!K || !L || !T)
        return fail(err, "rules needs --K, --L and --T");
    if (in.Ku.has_value() != in.Pu.has_value())
        return fail(err, "give --Ku and --Pu together");
    in.K = *K;
    in.L = *L;
    in.T = *T;
    std::string error;
    const auto rows = tuningRules(in, error);
    if (rows.empty())
        return fail(err, error);
    if (!error.empty())
        err << "kestrel-tune: " << error << '\n';
    for (const RuleRow& r : rows)
        out << "{\"rule\":\"" << r.rule << "\",\"controller\":\"" << r.controller
            << "\",\"Kp\":" << shortestText(r.Kp) << ",\"Ti\":" << json(r.Ti) << ",\"Td\":" << json(r.Td)
            << "}\n";
    return 0;
}

std::string marginsJson(const Margins& m) {
    return "{\"gain_margin\":" + json(m.gainMargin) + ",\"phase_margin_deg\":" + json(m.phaseMarginDeg) +
           ",\"w_gc\":" + json(m.wgc) + ",\"w_pc\":" + json(m.wpc) + ",\"Ms\":" + json(m.Ms);
}

int runMargins(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    if (auto bad = readOptions(args, {"type", "Kp", "Ti", "Td", "eta", "K", "L", "T", "dt"}, o); !bad.empty())
        return fail(err, bad);
    if (!o.plain.empty())
        return fail(err, "margins takes no argument \"" + o.plain[0] + "\"");
    std::string problem;
    auto type = number(o, "type", problem), Kp = number(o, "Kp", problem), Ti = number(o, "Ti", problem),
         Td = number(o, "Td", problem), eta = number(o, "eta", problem), K = number(o, "K", problem),
         L = number(o, "L", problem), T = number(o, "T", problem), dt = number(o, "dt", problem);
    if (!problem.empty())
        return fail(err, problem);
    if (!type || !Kp || !K || !L || !T)
        return fail(err, "margins needs --type, --Kp, --K, --L and --T");
    if (*type != std::floor(*type) || *type < 0 || *type > 5)
        return fail(err, "--type is a whole number from 0 (P) to 5 (two-degree-of-freedom PID)");
    if (*type >= 1 && !Ti)
        return fail(err, "--Ti is needed for this type (0 for no integral action)");
    if (*type >= 2 && !Td)
        return fail(err, "--Td is needed for this type (0 for no derivative action)");
    if (dt && *dt <= 0.0)
        return fail(err, "--dt must be positive");
    Loop loop{
        static_cast<int>(*type), *Kp, Ti.value_or(0.0), Td.value_or(0.0), eta.value_or(0.1), *K, *L, *T};
    if (auto e = loopError(loop); !e.empty())
        return fail(err, e);
    out << marginsJson(loopMargins(loop));
    if (dt && sampledMarginsMatter(*dt, loop.L))
        out << ",\"sampled\":" << marginsJson(loopMargins(loop, *dt)) << '}';
    out << "}\n";
    return 0;
}

int runIdentify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    if (auto bad = readOptions(args, {"run", "pv", "mv"}, o); !bad.empty())
        return fail(err, bad);
    if (o.plain.size() != 1)
        return fail(err, "identify takes one CSV file");
    std::string problem;
    const auto run = number(o, "run", problem);
    if (!problem.empty())
        return fail(err, problem);
    if (run && (*run < 1 || *run != std::floor(*run)))
        return fail(err, "--run is a whole number from 1");
    Signals signals;
    for (auto [name, to] : {std::pair{"pv", &signals.output}, {"mv", &signals.input}}) {
        const auto given = o.values.find(name);
        if (given == o.values.end())
            continue;
        const auto channel = columnChannel(given->second);
        if (!channel)
            return fail(err, std::string("--") + name + " \"" + given->second +
                                 "\" is no column of a run CSV (" + columnList(", ") + ")");
        *to = *channel;
    }
    if (signals.input == signals.output)
        return fail(err, std::string("--pv and --mv name the same column ") + columnName(signals.input));
    const std::string& path = o.plain[0];
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(err, "cannot open \"" + path + "\"");
    std::string error;
    const std::vector<KeptRun> runs = readRunsCsv(in, path, error);
    if (runs.empty())
        return fail(err, path + ": " + error);
    if (!run && runs.size() > 1)
        return fail(err, path + " holds " + std::to_string(runs.size()) + " runs; choose one with --run N");
    if (run && *run > static_cast<double>(runs.size()))
        return fail(err,
                    path + " holds " + std::to_string(runs.size()) + " run(s), not " + shortestText(*run));
    const KeptRun& chosen = runs[run ? static_cast<std::size_t>(*run) - 1 : 0];
    // A column the file lacks, or one whose every cell is empty (the inner loop's on a single
    // loop): there is no such signal to read.
    for (const Channel c : {signals.output, signals.input})
        if (!channelInUse(chosen, c))
            return fail(err, path + " has no values in column " + columnName(c) +
                                 (isInnerChannel(c)
                                      ? " (the column is missing or empty: a run without the inner loop)"
                                      : ""));
    const auto id = identify(chosen, error, signals);
    if (!id)
        return fail(err, path + ": " + error);
    writeIdentificationJson(out, *id);
    out << '\n';
    return 0;
}

} // namespace

int runTuneCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            out << kUsage << '\n';
            return 0;
        }
    if (args.empty())
        return fail(err, "name a command: identify, rules or margins (--help shows how)");
    if (args[0] == "identify")
        return runIdentify(args, out, err);
    if (args[0] == "rules")
        return runRules(args, out, err);
    if (args[0] == "margins")
        return runMargins(args, out, err);
    return fail(err, "unknown command \"" + args[0] + "\" (--help shows the commands)");
}

} // namespace kestrel::tuning
