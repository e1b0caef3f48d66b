#include "videoparserrunnable.h"

#include "videoparser.h"

#include <QThread>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace {
#ifdef Q_OS_LINUX
// Niceness added to a parse thread: a folder of thousands of files must not
// take the processor from the window that lists them.
const int kParseNiceStep = 5;
#endif

void yieldToTheWindow()
{
    thread_local bool lowered = false;
    if (lowered)
        return;
    lowered = true;
#ifdef Q_OS_LINUX
    // Qt's thread priorities do not reach ordinary Linux threads; niceness
    // does, per thread.
    const pid_t self = gettid();
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, id_t(self));
    if (errno == 0)
        setpriority(PRIO_PROCESS, id_t(self), qMin(19, now + kParseNiceStep));
#else
    QThread::currentThread()->setPriority(QThread::LowPriority);
#endif
}
} // namespace

CVideoParserRunnable::CVideoParserRunnable(VideoParser *parser)
    : m_parser(parser)
{
}

void CVideoParserRunnable::run()
{
    yieldToTheWindow();
    m_parser->parse();
}
