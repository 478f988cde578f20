#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The private messages the model, the project reader and the build send to the main
// window. The numeric ids are kept: the editing layer's typed changes carry the same ones.
// The parameters are numbers only: these layers know nothing of the windows' objects.
enum MainWindowMessage : unsigned
{
    kMsgRedrawSurface = 0x467,  // redraw the surface, mark modified
    kMsgPropertyFollow = 0x468, // first: property id, second: value
    kMsgGenerationStep = 0x469, // first: percent (0 hides), text: step
    kMsgRebuildTree = 0x46A,    // rebuild the tree, select the current project's current scene
    kMsgResizeSurface = 0x46B,  // first: width, second: height
    kMsgRefreshSurface = 0x46C, // refresh the surface, mark modified
};

struct MainWindowNotification
{
    unsigned message = 0;
    std::int64_t first = 0;
    std::int64_t second = 0;
    std::string text;
};

class MainWindowSink
{
public:
    virtual ~MainWindowSink() = default;
    virtual void notify(const MainWindowNotification& notification) = 0;
};

// Sends a notification to the installed sink (none by default: it is dropped).
void notifyMainWindow(unsigned message, std::int64_t first = 0, std::int64_t second = 0,
                      const std::string& text = {});

// Installs `sink` (not owned); null drops notifications again.
void setMainWindowSink(MainWindowSink* sink);
MainWindowSink* mainWindowSink();

// Records every notification, for tests; installs itself for its lifetime.
class RecordingMainWindowSink : public MainWindowSink
{
public:
    RecordingMainWindowSink();
    ~RecordingMainWindowSink() override;
    RecordingMainWindowSink(const RecordingMainWindowSink&) = delete;
    RecordingMainWindowSink& operator=(const RecordingMainWindowSink&) = delete;

    void notify(const MainWindowNotification& notification) override;
    const std::vector<MainWindowNotification>& received() const { return m_received; }
    // Number of notifications received with the given message id.
    int count(unsigned message) const;
    void clear() { m_received.clear(); }

private:
    MainWindowSink* m_previous;
    std::vector<MainWindowNotification> m_received;
};

} // namespace platform
