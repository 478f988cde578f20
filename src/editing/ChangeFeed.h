#pragma once

#include "editing/Change.h"

#include <functional>
#include <thread>
#include <vector>

namespace editing {

// The one way back from a change of a project to its views. Commands, gestures and undo
// steps post typed changes; a batch gathers them, and when the outermost batch ends every
// subscriber hears the whole set once: first the panel models of the editing layer (the
// workspace's tree, grid and surface, the layer list, the resource panel), then the views,
// each tier in the order it subscribed. So a view always sees every panel settled, whatever
// order the views were built in. A change posted outside any batch is a batch of its own.
class ChangeFeed
{
public:
    enum class Tier
    {
        Model,
        View
    };

    // Runs `work` later on the feed's own thread.
    using Handoff = std::function<void(std::function<void()> work)>;

    ChangeFeed();
    ChangeFeed(const ChangeFeed&) = delete;
    ChangeFeed& operator=(const ChangeFeed&) = delete;

    // Views are not owned; each must unsubscribe before it goes away.
    void Subscribe(ChangeObserver* observer, Tier tier = Tier::View);
    void Unsubscribe(ChangeObserver* observer);
    // Everyone who hears a batch, in the order they hear it.
    std::vector<ChangeObserver*> Observers() const;

    // A change posted from another thread (a build's progress) goes through `handoff`;
    // without one it is dropped.
    void SetHandoff(Handoff handoff) { m_handoff = std::move(handoff); }
    void Post(Change change);

    void BeginBatch() { ++m_depth; }
    void EndBatch();
    bool InBatch() const { return m_depth > 0; }
    // Whether the views are being told of a batch right now.
    bool Delivering() const { return m_delivering; }
    // Batches delivered so far.
    int DeliveredBatches() const { return m_delivered; }

private:
    void Deliver();

    std::thread::id m_thread;
    std::vector<ChangeObserver*> m_models;
    std::vector<ChangeObserver*> m_views;
    Handoff m_handoff;
    ChangeSet m_pending;
    int m_depth = 0;
    bool m_delivering = false;
    int m_delivered = 0;
};

// The feed that records and commands post to: the workspace's while it lives.
ChangeFeed* InstalledFeed();
// Installs `feed` (not owned; null for none) and returns the one installed before.
ChangeFeed* InstallFeed(ChangeFeed* feed);
// Posts to the installed feed; dropped when there is none (headless tools).
void PostChange(Change change);

// Gathers what is posted while it lives into one batch of the installed feed.
class ChangeBatch
{
public:
    ChangeBatch();
    explicit ChangeBatch(ChangeFeed& feed);
    ~ChangeBatch();
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;

private:
    ChangeFeed* m_feed;
};

} // namespace editing
