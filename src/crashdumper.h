#pragma once

#include <csignal>

// Writes a dump beside the program file when any thread of the process
// crashes, then lets the process end by the same signal. One static instance
// installs it before main() runs and restores the previous handlers during
// static destruction. The handler makes only async-signal-safe calls; what it
// needs is prepared when it is installed.
class CrashDumper
{
public:
    CrashDumper();
    ~CrashDumper();
    CrashDumper(const CrashDumper &) = delete;
    CrashDumper &operator=(const CrashDumper &) = delete;

    // The signal handler's work; writes "<program>.dmp" and returns 1 like the
    // platform filter it stands in for.
    static long ExceptionFilter(int signal, siginfo_t *info, void *context);

    // Gives the calling thread its own signal stack, so a stack overflow on
    // it still leaves a dump. The installing thread has one already; other
    // threads call this when they start. Released when the thread ends.
    static void guardThread();
};
