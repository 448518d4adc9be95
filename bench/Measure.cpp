#include "bench/Measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

double Milliseconds(const timeval& time)
{
    return time.tv_sec * 1e3 + time.tv_usec / 1e3;
}

// Children count once they have been waited for, which the benchmark does before it returns.
double ProcessorMilliseconds()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total += Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
    }
    return total;
}

}  // namespace

Sample Measure(const std::function<void()>& work)
{
    const double cpuBefore = ProcessorMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return {wall, ProcessorMilliseconds() - cpuBefore};
}

double Median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

Comparison Compare(int repetitions, const std::function<void()>& ours, const std::function<void()>& baseline,
                   const std::function<void()>& prepare)
{
    std::vector<double> oursWall, oursCpu, baselineWall, baselineCpu;
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        const Sample a = Measure(ours);
        prepare();
        const Sample b = Measure(baseline);
        oursWall.push_back(a.wall);
        oursCpu.push_back(a.cpu);
        baselineWall.push_back(b.wall);
        baselineCpu.push_back(b.cpu);
    }
    return {{Median(oursWall), Median(oursCpu)}, {Median(baselineWall), Median(baselineCpu)}};
}

void PrintHeader()
{
    std::printf("%-46s %11s %11s %7s %9s  %s\n", "figure", "ours", "baseline", "ratio", "cpu ratio", "goal");
    std::fflush(stdout);
}

void PrintFigure(const std::string& name, const Comparison& medians, const std::string& goal)
{
    auto ratio = [](double ours, double baseline) { return baseline > 0 ? ours / baseline : 0; };
    std::printf("%-46s %8.2f ms %8.2f ms %6.2fx %8.2fx  %s\n", name.c_str(), medians.ours.wall, medians.baseline.wall,
                ratio(medians.ours.wall, medians.baseline.wall), ratio(medians.ours.cpu, medians.baseline.cpu), goal.c_str());
    std::fflush(stdout);
}

void PrintMegabytes(const std::string& name, double ours, double baseline, const std::string& goal)
{
    std::printf("%-46s %8.1f MB %8.1f MB %6.2fx %9s  %s\n", name.c_str(), ours, baseline, baseline > 0 ? ours / baseline : 0, "",
                goal.c_str());
    std::fflush(stdout);
}

void PrintSkipped(const std::string& name, const std::string& reason)
{
    std::printf("%-46s skipped: %s\n", name.c_str(), reason.c_str());
    std::fflush(stdout);
}
