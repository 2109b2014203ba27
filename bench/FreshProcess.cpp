#include "FreshProcess.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

extern char** environ;

namespace fresh {

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

void Print(const Cost& cost) {
    std::printf("%.9f %ld\n", cost.seconds, cost.minorFaults);
    std::fflush(stdout);
}

bool Sample(const std::vector<std::string>& arguments, Cost& cost) {
    // The program itself, by its link in /proc: a new image, not a fork, so that nothing of
    // this process's heap comes along.
    std::vector<std::string> words = {"/proc/self/exe", kSampleFlag};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    pid_t child = 0;
    const int started =
        posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (started != 0) {
        close(pipeEnds[0]);
        return false;
    }
    char line[128] = {};
    size_t filled = 0;
    for (ssize_t n; filled + 1 < sizeof line &&
                    (n = read(pipeEnds[0], line + filled, sizeof line - 1 - filled)) > 0;)
        filled += size_t(n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    return std::sscanf(line, "%lf %ld", &cost.seconds, &cost.minorFaults) == 2;
}

void Fastest::Add(const Cost& cost) {
    if (samples == 0 || cost.seconds < seconds) seconds = cost.seconds;
    if (samples == 0 || cost.minorFaults < minorFaults) minorFaults = cost.minorFaults;
    ++samples;
}

}  // namespace fresh
