#pragma once

#include "editing/ChangeFeed.h"

#include <algorithm>
#include <vector>

// Subscribes to a feed for its lifetime and keeps every batch it hears.
class RecordingChangeObserver : public editing::ChangeObserver
{
public:
    explicit RecordingChangeObserver(editing::ChangeFeed& feed) : m_feed(feed)
    {
        m_feed.Subscribe(this);
    }
    ~RecordingChangeObserver() override { m_feed.Unsubscribe(this); }
    RecordingChangeObserver(const RecordingChangeObserver&) = delete;
    RecordingChangeObserver& operator=(const RecordingChangeObserver&) = delete;

    void OnChanges(const editing::ChangeSet& changes) override
    {
        m_batches.push_back(changes);
        m_received.insert(m_received.end(), changes.Changes().begin(), changes.Changes().end());
    }

    const std::vector<editing::ChangeSet>& batches() const { return m_batches; }
    const std::vector<editing::Change>& received() const { return m_received; }
    int count(editing::ChangeKind kind) const
    {
        return static_cast<int>(
            std::count_if(m_received.begin(), m_received.end(),
                          [kind](const editing::Change& change) { return change.kind == kind; }));
    }
    void clear()
    {
        m_batches.clear();
        m_received.clear();
    }

private:
    editing::ChangeFeed& m_feed;
    std::vector<editing::ChangeSet> m_batches;
    std::vector<editing::Change> m_received;
};
