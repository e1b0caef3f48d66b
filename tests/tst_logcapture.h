#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <mutex>

// Collects every message of the Qt message log, from any thread, so a test
// can count the engine's log lines. std::mutex: ThreadSanitizer sees through it.
namespace LogCapture {

inline std::mutex &mutex()
{
    static std::mutex m;
    return m;
}

inline QStringList &lines()
{
    static QStringList l;
    return l;
}

inline QtMessageHandler &previous()
{
    static QtMessageHandler h = nullptr;
    return h;
}

inline void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    {
        std::lock_guard<std::mutex> lock(mutex());
        lines() << message;
    }
    if (previous())
        previous()(type, context, message);
}

inline void install()
{
    previous() = qInstallMessageHandler(handler);
}

inline void clear()
{
    std::lock_guard<std::mutex> lock(mutex());
    lines().clear();
}

inline QStringList matching(const QString &text)
{
    std::lock_guard<std::mutex> lock(mutex());
    return lines().filter(text);
}

inline int count(const QString &text)
{
    return matching(text).size();
}

} // namespace LogCapture
