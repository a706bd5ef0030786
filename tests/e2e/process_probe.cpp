#include "process_probe.h"

#include <dirent.h>
#include <fstream>
#include <string>

namespace processprobe {

namespace {

std::string procPath(pid_t pid, const char* entry) {
    return "/proc/" + std::to_string(pid) + "/" + entry;
}

// A "Key:   1234 kB" line of /proc/<pid>/status.
std::int64_t statusKiB(pid_t pid, const std::string& key) {
    std::ifstream status(procPath(pid, "status"));
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, key.size() + 1, key + ":") == 0)
            return std::stoll(line.substr(key.size() + 1));
    }
    return -1;
}

} // namespace

int openDescriptors(pid_t pid) {
    DIR* dir = ::opendir(procPath(pid, "fd").c_str());
    if (!dir)
        return -1;
    int count = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            ++count;
    }
    ::closedir(dir);
    return count;
}

std::int64_t residentKiB(pid_t pid) {
    return statusKiB(pid, "VmRSS");
}

std::int64_t peakResidentKiB(pid_t pid) {
    return statusKiB(pid, "VmHWM");
}

std::int64_t cpuNanoseconds(pid_t pid) {
    std::ifstream schedstat(procPath(pid, "schedstat"));
    std::int64_t onCpu = -1;
    schedstat >> onCpu;
    return schedstat ? onCpu : -1;
}

} // namespace processprobe
