// Every figure of the bench is one row: what the library did, what the floor
// did in the same run, and their ratio, beside the target it is tuned toward.
// Figures that a measured program finds itself it reports as "name: value".
#ifndef TULVAK_BENCH_TABLE_H
#define TULVAK_BENCH_TABLE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

inline std::string format(const char *pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// ratio: measured / floor, or NaN where a figure has no floor.
inline void print_row(const std::string &figure, const std::string &measured, const std::string &floor, double ratio,
                      const std::string &target) {
    const std::string shown_ratio = std::isnan(ratio) ? "" : format("%.2f", ratio);
    std::printf("| %s | %s | %s | %s | %s |\n", figure.c_str(), measured.c_str(), floor.c_str(), shown_ratio.c_str(),
                target.c_str());
    std::fflush(stdout);
}

// The q-quantile of the samples by the nearest-rank rule; samples get sorted.
inline double quantile(std::vector<double> &samples, double q) {
    if (samples.empty()) return NAN;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::min(samples.size(), std::max<std::size_t>(rank, 1)) - 1];
}

inline double median(std::vector<double> samples) { return quantile(samples, 0.5); }

// The last value reported under name in a program's standard error.
inline double reported_figure(const std::string &err, const std::string &name) {
    const std::size_t at = err.rfind(name + ": ");
    if (at == std::string::npos) throw std::runtime_error("no " + name + " reported");
    return std::atof(err.c_str() + at + name.size() + 2);
}

}  // namespace bench

#endif
