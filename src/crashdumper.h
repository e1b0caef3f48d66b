#pragma once

#include <csignal>

// Writes a dump beside the program file when any thread of the process
// crashes, then lets the process end. One static instance installs it before
// main() runs and restores the previous handlers during static destruction.
class CrashDumper
{
public:
    CrashDumper();
    ~CrashDumper();
    CrashDumper(const CrashDumper &) = delete;
    CrashDumper &operator=(const CrashDumper &) = delete;

    // The signal handler; writes "<program>.dmp" and returns 1 like the
    // platform filter it stands in for.
    static long ExceptionFilter(int signal, siginfo_t *info, void *context);

private:
    static constexpr int kSignalCount = 5;
    struct sigaction m_previous[kSignalCount];
};
