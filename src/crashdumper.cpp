#include "crashdumper.h"

#include <QtGlobal>

#include <execinfo.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

const int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
// Frames written to the dump; enough to see the faulting call chain.
constexpr int kMaxFrames = 64;
// Room for the program path plus ".dmp"; fixed so the handler never allocates.
constexpr size_t kPathCapacity = 4096;

char g_programPath[kPathCapacity];
char g_dumpPath[kPathCapacity + 8];

void writeText(int fd, const char *text)
{
    size_t left = strlen(text);
    while (left > 0) {
        const ssize_t n = ::write(fd, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= size_t(n);
    }
}

void writeNumber(int fd, long value)
{
    char buffer[32];
    snprintf(buffer, sizeof buffer, "%ld", value);
    writeText(fd, buffer);
}

void handler(int signal, siginfo_t *info, void *context)
{
    CrashDumper::ExceptionFilter(signal, info, context);
    // End the process the way the signal would have.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigaction(signal, &fallback, nullptr);
    raise(signal);
}

} // namespace

CrashDumper::CrashDumper()
{
    const ssize_t n = ::readlink("/proc/self/exe", g_programPath, kPathCapacity - 1);
    g_programPath[n > 0 ? n : 0] = '\0';
    snprintf(g_dumpPath, sizeof g_dumpPath, "%s.dmp", g_programPath);

    struct sigaction action {};
    action.sa_sigaction = handler;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &action, &m_previous[i]);
}

CrashDumper::~CrashDumper()
{
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &m_previous[i], nullptr);
}

long CrashDumper::ExceptionFilter(int signal, siginfo_t *info, void *)
{
    bool written = false;
    if (g_programPath[0] != '\0') {
        const int fd = ::open(g_dumpPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd >= 0) {
            writeText(fd, "program: ");
            writeText(fd, g_programPath);
            writeText(fd, "\nsignal: ");
            writeNumber(fd, signal);
            writeText(fd, "\naddress: ");
            writeNumber(fd, info ? long(reinterpret_cast<quintptr>(info->si_addr)) : 0);
            writeText(fd, "\nthread: ");
            writeNumber(fd, long(syscall(SYS_gettid)));
            writeText(fd, "\nbacktrace:\n");
            void *frames[kMaxFrames];
            const int count = backtrace(frames, kMaxFrames);
            backtrace_symbols_fd(frames, count, fd);
            ::fsync(fd);
            written = ::close(fd) == 0;
        }
    }
    // The process is going down; the message log is the one place people look.
    if (written)
        qWarning("Dump file created in %s\n", g_programPath);
    else
        qWarning("Dump failed\n");
    return 1;
}
