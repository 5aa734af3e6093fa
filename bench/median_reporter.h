#pragma once
// Keeps the median of every benchmark and of its counters while printing as usual, so
// that a program can print the ratio of two of them at its end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
                // "<benchmark>/<counter>": for two things timed in turn in one loop.
                for (const auto& [name, counter] : run.counters) {
                    medians[run.run_name.function_name + "/" + name] = counter.value;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints "<what>, median: <a> x, <b> y, ratio" when both ran.
    void PrintRatio(const char* what, const std::string& subject, const std::string& baseline,
                    const char* unit) const {
        const auto a = medians.find(subject);
        const auto b = medians.find(baseline);
        if (a == medians.end() || b == medians.end() || b->second <= 0) return;
        std::printf("%s, median: %s %.3f %s, %s %.3f %s, ratio %.2f\n", what, subject.c_str(),
                    a->second, unit, baseline.c_str(), b->second, unit, a->second / b->second);
    }

    std::map<std::string, double> medians;
};
