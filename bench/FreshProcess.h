#pragma once
// Measuring the way a user's process meets the codec: one load (or one encoding) in a process
// of its own, started for that one sample, with the allocator in the state a program starts
// in. A process that has already loaded and freed large images runs with the C library's
// allocator thresholds raised and freed memory kept; a user's process that loads one GIF
// pays for mapping and faulting in every page it touches.
//
// The benchmark programs start themselves again with kSampleFlag and the arguments of one
// sample; that process does the sample's preparation (reading the file, building what the
// encoder is given), then runs the measured work once and prints what it cost.

#include <string>
#include <vector>

namespace fresh {

constexpr const char* kSampleFlag = "--fresh-sample";

// What one sample cost its process: CPU time (user and system, so that page faults and the
// system calls that map memory count) and the page faults taken, over the measured work
// only.
struct Cost {
    double seconds = 0;
    long minorFaults = 0;
};

// Runs `work` once and measures it.
template <typename Work>
Cost Measure(Work work);

// Prints the cost as the parent reads it back.
void Print(const Cost& cost);

// Starts this program with kSampleFlag and `arguments` and reads the cost it prints; false when
// the process failed or printed nothing usable.
bool Sample(const std::vector<std::string>& arguments, Cost& cost);

// The fastest of the samples' times (the least disturbed on a shared machine) and the
// fewest faults.
struct Fastest {
    double seconds = 0;
    long minorFaults = 0;
    int samples = 0;
    void Add(const Cost& cost);
};

// Measurement helpers the template below uses.
double ProcessCpuSeconds();
long MinorFaults();

template <typename Work>
Cost Measure(Work work) {
    const long faultsBefore = MinorFaults();
    const double before = ProcessCpuSeconds();
    work();
    const double after = ProcessCpuSeconds();
    Cost cost;
    cost.seconds = after - before;
    cost.minorFaults = MinorFaults() - faultsBefore;
    return cost;
}

}  // namespace fresh
