#include "platform/Trace.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace platform {
namespace {

TraceSink* g_sink = nullptr;

bool traceToStandardError()
{
    static const bool on = [] {
        const char* value = std::getenv("SKINSMITH_TRACE");
        return value && std::strcmp(value, "1") == 0;
    }();
    return on;
}

} // namespace

void trace(const std::string& text)
{
    if (g_sink) {
        g_sink->write(text);
    } else if (traceToStandardError()) {
        std::cerr << text << std::flush;
    }
}

void setTraceSink(TraceSink* sink)
{
    g_sink = sink;
}

RecordingTraceSink::RecordingTraceSink() : m_previous(g_sink)
{
    g_sink = this;
}

RecordingTraceSink::~RecordingTraceSink()
{
    g_sink = m_previous;
}

} // namespace platform
