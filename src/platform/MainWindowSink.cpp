#include "platform/MainWindowSink.h"

#include <algorithm>

namespace platform {
namespace {
MainWindowSink* g_sink = nullptr;
}

void notifyMainWindow(unsigned message, std::int64_t first, std::int64_t second,
                      const std::string& text)
{
    if (g_sink) {
        g_sink->notify({message, first, second, text});
    }
}

void setMainWindowSink(MainWindowSink* sink)
{
    g_sink = sink;
}

MainWindowSink* mainWindowSink()
{
    return g_sink;
}

RecordingMainWindowSink::RecordingMainWindowSink() : m_previous(g_sink)
{
    g_sink = this;
}

RecordingMainWindowSink::~RecordingMainWindowSink()
{
    g_sink = m_previous;
}

void RecordingMainWindowSink::notify(const MainWindowNotification& notification)
{
    m_received.push_back(notification);
}

int RecordingMainWindowSink::count(unsigned message) const
{
    return static_cast<int>(
        std::count_if(m_received.begin(), m_received.end(),
                      [message](const MainWindowNotification& n) { return n.message == message; }));
}

} // namespace platform
