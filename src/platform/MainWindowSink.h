#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The private messages the model and the undo records send to the main window.
// The numeric ids are kept: they are how the shell and the records agree.
enum MainWindowMessage : unsigned {
    kMsgElementChanged = 0x465,  // wParam: element
    kMsgRedrawSurface = 0x467,   // redraw the surface, mark modified
    kMsgPropertyFollow = 0x468,  // wParam: property id, lParam: value
    kMsgGenerationStep = 0x469,  // wParam: percent (0 hides), text: step
    kMsgRebuildTree = 0x46A,     // wParam: scene, lParam: element, parent or project
    kMsgResizeSurface = 0x46B,   // wParam: width, lParam: height
    kMsgRefreshSurface = 0x46C,  // refresh the surface, mark modified
};

struct MainWindowNotification
{
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::string text;
};

class MainWindowSink
{
public:
    virtual ~MainWindowSink() = default;
    virtual void notify(const MainWindowNotification& notification) = 0;
};

// Sends a notification to the installed sink (none by default: it is dropped).
void notifyMainWindow(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0,
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
