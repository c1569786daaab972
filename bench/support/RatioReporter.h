#pragma once

// A console reporter that keeps the time of each benchmark (the median when the run is
// repeated, as it should be on a busy machine) and prints, at the end, every benchmark as a
// multiple of a baseline measured in the same run, in real and in CPU time. Ratios travel
// between machines and loads where absolute times do not.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace benchsupport {

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // baseline: the function name of the benchmark the others are measured against.
    explicit RatioReporter(std::string baseline)
        : m_baseline(std::move(baseline))
    {
    }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            if (!run.report_label.empty())
                name += " " + run.report_label;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !m_fromMedian.count(name))) {
                if (!m_times.count(name))
                    m_order.push_back(name);
                m_times[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
                if (median)
                    m_fromMedian.insert(name);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios(const char *baselineText) const
    {
        const auto base = m_times.find(m_baseline);
        if (base == m_times.end() || base->second.real <= 0 || base->second.cpu <= 0)
            return;
        std::printf("\nAs multiples of %s (real time, CPU time):\n", baselineText);
        for (const std::string &name : m_order) {
            if (name == m_baseline)
                continue;
            const Times &t = m_times.at(name);
            std::printf("  %-40s %7.3f  %7.3f\n", name.c_str(), t.real / base->second.real, t.cpu / base->second.cpu);
        }
    }

private:
    struct Times {
        double real;
        double cpu;
    };
    std::string m_baseline;
    std::map<std::string, Times> m_times;
    std::vector<std::string> m_order;
    std::set<std::string> m_fromMedian;
};

}  // namespace benchsupport
