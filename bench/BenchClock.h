// The clock of the benchmarks: seconds from the performance counter, and the median of a set
// of timings (one slow run, a page fault or a scheduler hiccup, does not move it).
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

inline double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
