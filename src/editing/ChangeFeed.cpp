#include "editing/ChangeFeed.h"

#include <algorithm>

namespace editing {

namespace {
ChangeFeed* g_installed = nullptr;
}

ChangeFeed::ChangeFeed() : m_thread(std::this_thread::get_id()) {}

void ChangeFeed::Subscribe(ChangeObserver* observer, Tier tier)
{
    const std::vector<ChangeObserver*> all = Observers();
    if (observer && std::find(all.begin(), all.end(), observer) == all.end()) {
        (tier == Tier::Model ? m_models : m_views).push_back(observer);
    }
}

void ChangeFeed::Unsubscribe(ChangeObserver* observer)
{
    for (auto* list : {&m_models, &m_views}) {
        list->erase(std::remove(list->begin(), list->end(), observer), list->end());
    }
}

std::vector<ChangeObserver*> ChangeFeed::Observers() const
{
    std::vector<ChangeObserver*> all = m_models;
    all.insert(all.end(), m_views.begin(), m_views.end());
    return all;
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
        for (ChangeObserver* observer : Observers()) {
            // One that left while an earlier one was told is not told.
            const std::vector<ChangeObserver*> now = Observers();
            if (std::find(now.begin(), now.end(), observer) != now.end()) {
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
