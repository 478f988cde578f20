#pragma once

#include <string>
#include <vector>

namespace platform {

// The short build traces ("UpdateDocResource\n", ...). Silent unless
// SKINSMITH_TRACE=1 sends them to standard error or a sink is installed.
class TraceSink
{
public:
    virtual ~TraceSink() = default;
    virtual void write(const std::string& text) = 0;
};

void trace(const std::string& text);
void setTraceSink(TraceSink* sink);

// Records traces, for tests; installs itself for its lifetime.
class RecordingTraceSink : public TraceSink
{
public:
    RecordingTraceSink();
    ~RecordingTraceSink() override;
    RecordingTraceSink(const RecordingTraceSink&) = delete;
    RecordingTraceSink& operator=(const RecordingTraceSink&) = delete;

    void write(const std::string& text) override { m_lines.push_back(text); }
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    TraceSink* m_previous;
    std::vector<std::string> m_lines;
};

} // namespace platform
