// SPDX-License-Identifier: MIT
// (e) Start-up: process start to the main window's first complete frame,
// offscreen, against a bare window holding as many plain stock widgets with
// the same places, fonts and texts (StartupBareWindow.cpp), both started
// as processes in turn (main, bare, main, bare, ...) so that drift in the
// machine's speed hits both alike. Prints the medians and the ratio.
//
// Usage: bench_Startup [runs]   (default 21; the first pair is a warm-up)

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char **environ;

namespace {

std::string here()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    path[n] = '\0';
    std::string dir(path);
    return dir.substr(0, dir.rfind('/'));
}

// Wall milliseconds from spawning the program to reaping it; negative when
// it could not run or did not end with status 0.
double timed(const std::vector<std::string> &command)
{
    std::vector<char *> argv;
    for (const std::string &part : command)
        argv.push_back(const_cast<char *>(part.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string dir = here();
    const std::string mainWindow = dir + "/StartupMainWindow";
    const std::string bareWindow = dir + "/StartupBareWindow";

    char layout[] = "/tmp/bench_Startup_XXXXXX";
    const int fd = mkstemp(layout);
    if (fd < 0)
        return 1;
    close(fd);
    if (timed({mainWindow, "--describe", layout}) < 0) {
        std::fprintf(stderr, "cannot run %s\n", mainWindow.c_str());
        unlink(layout);
        return 1;
    }
    int widgets = -1;
    if (FILE *file = std::fopen(layout, "r")) {
        for (int c; (c = std::fgetc(file)) != EOF;)
            widgets += c == '\n';
        std::fclose(file);
    }
    const std::vector<std::string> bare{bareWindow, layout};

    std::vector<double> mains, bares, ratios;
    for (int i = 0; i <= runs; ++i) {
        const double m = timed({mainWindow});
        const double b = timed(bare);
        if (m < 0 || b < 0) {
            std::fprintf(stderr, "a start-up program failed\n");
            unlink(layout);
            return 1;
        }
        if (i == 0)
            continue;
        mains.push_back(m);
        bares.push_back(b);
        ratios.push_back(m / b);
    }
    unlink(layout);
    std::printf("start-up to the first complete frame, offscreen, %d runs each, %d widgets:\n", runs,
                widgets);
    std::printf("  main window  median %7.1f ms (min %.1f, max %.1f)\n", median(mains),
                *std::min_element(mains.begin(), mains.end()), *std::max_element(mains.begin(), mains.end()));
    std::printf("  bare window  median %7.1f ms (min %.1f, max %.1f)\n", median(bares),
                *std::min_element(bares.begin(), bares.end()), *std::max_element(bares.begin(), bares.end()));
    std::printf("(e) main / bare: median of the pairs %.2f (target <= 1.2)\n", median(ratios));
    return 0;
}
