// Small helpers shared by the benchmark programs: clocks, medians, CPU time and memory figures read
// from /proc. Plain C++ and POSIX, no Qt, so that the bare-window floor can use them too.
#pragma once

#include <dirent.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace bench {

// CLOCK_MONOTONIC in nanoseconds: one clock for every process of the machine, so a parent can
// compare a child's timestamp with its own.
inline std::int64_t monotonic_ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// User plus system CPU time of every thread of this process, in nanoseconds.
inline std::int64_t process_cpu_ns()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Voluntary plus involuntary context switches so far: how often the process went to sleep or
// was put aside, a measure of how many times an idle loop woke up.
inline long context_switches()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

inline double median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double minimum(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

inline double maximum(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// A "Name:   1234 kB" line of a /proc/<pid>/status file, in kB; -1 when absent.
inline long status_kb(const std::string& status_path, const char* key)
{
    std::ifstream file(status_path);
    std::string line;
    const std::size_t key_length = std::strlen(key);
    while (std::getline(file, line)) {
        if (line.compare(0, key_length, key) == 0 && line.size() > key_length && line[key_length] == ':')
            return std::stol(line.substr(key_length + 1));
    }
    return -1;
}

inline long own_status_kb(const char* key) { return status_kb("/proc/self/status", key); }

// Every process of the machine with its parent, read from /proc/<pid>/stat.
inline std::map<pid_t, pid_t> process_parents()
{
    std::map<pid_t, pid_t> parent_of;
    DIR* proc = opendir("/proc");
    if (!proc) return parent_of;
    while (dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atol(entry->d_name));
        if (pid <= 0) continue;
        std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        // pid (command) state ppid ...: the command may hold spaces and parentheses.
        const std::size_t close = line.rfind(')');
        if (close == std::string::npos || close + 2 > line.size()) continue;
        std::istringstream rest(line.substr(close + 2));
        char state = 0;
        pid_t ppid = 0;
        if (rest >> state >> ppid) parent_of[pid] = ppid;
    }
    closedir(proc);
    return parent_of;
}

inline std::vector<pid_t> children(pid_t parent)
{
    std::vector<pid_t> found;
    for (const auto& [pid, ppid] : process_parents())
        if (ppid == parent) found.push_back(pid);
    return found;
}

// Children, grandchildren and so on: the helper processes a process started.
inline std::vector<pid_t> descendants(pid_t ancestor)
{
    const auto parent_of = process_parents();
    std::vector<pid_t> found;
    for (const auto& [pid, ppid] : parent_of) {
        pid_t up = ppid;
        for (int depth = 0; depth < 32 && up > 1 && up != ancestor; ++depth) {
            const auto next = parent_of.find(up);
            up = next == parent_of.end() ? 0 : next->second;
        }
        if (up == ancestor) found.push_back(pid);
    }
    return found;
}

// User plus system CPU time of one process (all its threads), in nanoseconds; 0 when it is gone.
inline std::int64_t cpu_ns_of(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return 0;
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 > line.size()) return 0;
    std::istringstream rest(line.substr(close + 2));
    // Fields 3 to 15 of stat(5): state, ppid, ..., utime (14), stime (15).
    std::string field;
    long long utime = 0, stime = 0;
    for (int index = 3; index <= 13 && rest >> field; ++index) {}
    rest >> utime >> stime;
    const long ticks = sysconf(_SC_CLK_TCK);
    return ticks > 0 ? (utime + stime) * 1'000'000'000LL / ticks : 0;
}

// CPU time of every helper process this process has started, in nanoseconds.
inline std::int64_t descendants_cpu_ns()
{
    std::int64_t total = 0;
    for (const pid_t pid : descendants(getpid())) total += cpu_ns_of(pid);
    return total;
}

}  // namespace bench
