#include "crashdumper.h"

#include <execinfo.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kSignalCount = int(sizeof kSignals / sizeof kSignals[0]);
// Frames written to the dump; enough to see the faulting call chain.
constexpr int kMaxFrames = 64;
// Room for the program path plus ".dmp"; fixed so the handler never allocates.
constexpr size_t kPathCapacity = 4096;
// The handler's own stack: its frames, backtrace() and the kernel's context.
constexpr size_t kSignalStackSize = 128 * 1024;

char g_programPath[kPathCapacity];
char g_dumpPath[kPathCapacity + 8];
// The log lines, composed at install time.
char g_createdLine[kPathCapacity + 64];
const char kFailedLine[] = "Dump failed\n";
struct sigaction g_previous[kSignalCount];

void writeAll(int fd, const char *text, size_t length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, text, length);
        if (n <= 0)
            return;
        text += n;
        length -= size_t(n);
    }
}

void writeText(int fd, const char *text)
{
    writeAll(fd, text, strlen(text));
}

void writeNumber(int fd, uint64_t value, unsigned base)
{
    char digits[24];
    size_t at = sizeof digits;
    do {
        digits[--at] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0 && at > 2);
    if (base == 16) {
        digits[--at] = 'x';
        digits[--at] = '0';
    }
    writeAll(fd, digits + at, sizeof digits - at);
}

// The memory map lets the addresses be resolved offline (addr2line).
void copyMaps(int fd)
{
    const int maps = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (maps < 0)
        return;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(maps, buffer, sizeof buffer)) > 0)
        writeAll(fd, buffer, size_t(n));
    ::close(maps);
}

int signalIndex(int signal)
{
    for (int i = 0; i < kSignalCount; ++i) {
        if (kSignals[i] == signal)
            return i;
    }
    return -1;
}

void handler(int signal, siginfo_t *info, void *context)
{
    // One dump: a second crash while writing it, on any thread, only ends.
    static volatile sig_atomic_t handling = 0;
    if (!__atomic_exchange_n(&handling, 1, __ATOMIC_SEQ_CST))
        CrashDumper::ExceptionFilter(signal, info, context);
    // Hand the signal on to the handler that was there before, or to the
    // default action, so the process ends by this signal. A fault recurs when
    // this handler returns; a sent signal is sent again and, blocked here,
    // arrives then.
    const int i = signalIndex(signal);
    struct sigaction next {};
    next.sa_handler = SIG_DFL;
    if (i >= 0 && ((g_previous[i].sa_flags & SA_SIGINFO) || g_previous[i].sa_handler != SIG_IGN))
        next = g_previous[i];
    sigaction(signal, &next, nullptr);
    if (!info || info->si_code <= 0)
        raise(signal);
}

struct ThreadSignalStack
{
    void *memory = nullptr;

    ~ThreadSignalStack()
    {
        if (!memory)
            return;
        stack_t off {};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
        munmap(memory, kSignalStackSize);
    }
};

void installSignalStack(ThreadSignalStack *holder)
{
    stack_t current {};
    if (sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE))
        return;
    void *memory = mmap(nullptr, kSignalStackSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return;
    stack_t stack {};
    stack.ss_sp = memory;
    stack.ss_size = kSignalStackSize;
    if (sigaltstack(&stack, nullptr) != 0) {
        munmap(memory, kSignalStackSize);
        return;
    }
    if (holder)
        holder->memory = memory;
}

} // namespace

CrashDumper::CrashDumper()
{
    const ssize_t n = ::readlink("/proc/self/exe", g_programPath, kPathCapacity - 1);
    g_programPath[n > 0 ? n : 0] = '\0';
    snprintf(g_dumpPath, sizeof g_dumpPath, "%s.dmp", g_programPath);
    snprintf(g_createdLine, sizeof g_createdLine, "Dump file created in %s\n", g_programPath);

    // The first backtrace() loads the unwinder, which allocates: do it now.
    void *warmUp[2];
    backtrace(warmUp, 2);

    // Kept for the life of the process, like the main thread.
    installSignalStack(nullptr);

    struct sigaction action {};
    action.sa_sigaction = handler;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &action, &g_previous[i]);
}

CrashDumper::~CrashDumper()
{
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
}

void CrashDumper::guardThread()
{
    thread_local ThreadSignalStack stack;
    if (!stack.memory)
        installSignalStack(&stack);
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
            writeNumber(fd, uint64_t(signal), 10);
            writeText(fd, "\naddress: ");
            writeNumber(fd, info ? uint64_t(reinterpret_cast<uintptr_t>(info->si_addr)) : 0, 16);
            writeText(fd, "\nthread: ");
            writeNumber(fd, uint64_t(syscall(SYS_gettid)), 10);
            writeText(fd, "\nbacktrace:\n");
            void *frames[kMaxFrames];
            const int count = backtrace(frames, kMaxFrames);
            for (int i = 0; i < count; ++i) {
                writeNumber(fd, uint64_t(reinterpret_cast<uintptr_t>(frames[i])), 16);
                writeText(fd, "\n");
            }
            writeText(fd, "maps:\n");
            copyMaps(fd);
            ::fsync(fd);
            written = ::close(fd) == 0;
        }
    }
    // The message log allocates and locks, so the line goes straight to
    // standard error, where the log goes too.
    if (written)
        writeText(STDERR_FILENO, g_createdLine);
    else
        writeAll(STDERR_FILENO, kFailedLine, sizeof kFailedLine - 1);
    return 1;
}
