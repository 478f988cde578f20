#include "editing/ChangeFeed.h"

#include <algorithm>

namespace editing {

namespace {
ChangeFeed* g_installed = nullptr;
}

ChangeFeed::ChangeFeed() : m_thread(std::this_thread::get_id()) {}

void ChangeFeed::Subscribe(ChangeObserver* observer)
{
    if (observer &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void ChangeFeed::Unsubscribe(ChangeObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void ChangeFeed::Post(Change change)
{
    if (std::this_thread::get_id() != m_thread) {
        if (m_handoff) {
            m_handoff([this, change = std::move(change)]() mutable { Post(std::move(change)); });
        }
        return;
    }
    m_pending.Add(std::move(change));
    if (m_depth == 0 && !m_delivering) {
        Deliver();
    }
}

void ChangeFeed::EndBatch()
{
    if (m_depth > 0 && --m_depth == 0 && !m_delivering) {
        Deliver();
    }
}

void ChangeFeed::Deliver()
{
    // What a view posts while it is told becomes the next batch, so that every view hears
    // each change once and in order.
    m_delivering = true;
    while (!m_pending.Empty()) {
        const ChangeSet batch = std::move(m_pending);
        m_pending = ChangeSet{};
        ++m_delivered;
        const std::vector<ChangeObserver*> observers = m_observers;
        for (ChangeObserver* observer : observers) {
            if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end()) {
                observer->OnChanges(batch);
            }
        }
    }
    m_delivering = false;
}

ChangeFeed* InstalledFeed()
{
    return g_installed;
}

ChangeFeed* InstallFeed(ChangeFeed* feed)
{
    ChangeFeed* previous = g_installed;
    g_installed = feed;
    return previous;
}

void PostChange(Change change)
{
    if (g_installed) {
        g_installed->Post(std::move(change));
    }
}

ChangeBatch::ChangeBatch() : m_feed(g_installed)
{
    if (m_feed) {
        m_feed->BeginBatch();
    }
}

ChangeBatch::ChangeBatch(ChangeFeed& feed) : m_feed(&feed)
{
    m_feed->BeginBatch();
}

ChangeBatch::~ChangeBatch()
{
    if (m_feed) {
        m_feed->EndBatch();
    }
}

} // namespace editing
