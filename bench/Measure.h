#pragma once
#include <functional>
#include <string>
#include <vector>

// Timing for the benchmark: every figure is our median against a baseline's median measured in the
// same run, interleaved, so that a neighbour's load on the shared cores weighs on both alike. Wall
// time is what a user waits; processor time (ours and our children's) shows the work itself, which
// the neighbours do not stretch.

struct Sample {
    double wall = 0;  // ms
    double cpu = 0;   // ms
};

Sample Measure(const std::function<void()>& work);
double Median(std::vector<double> samples);

struct Comparison {
    Sample ours;
    Sample baseline;
};

// Runs prepare (untimed), then ours, then prepare again and the baseline, repetitions times; medians.
Comparison Compare(int repetitions, const std::function<void()>& ours, const std::function<void()>& baseline,
                   const std::function<void()>& prepare = [] {});

void PrintHeader();
// One line: the figure's name, our median, the baseline's median and their ratio in wall time, the
// ratio in processor time, and the goal.
void PrintFigure(const std::string& name, const Comparison& medians, const std::string& goal);
void PrintMegabytes(const std::string& name, double ours, double baseline, const std::string& goal);
void PrintSkipped(const std::string& name, const std::string& reason);
