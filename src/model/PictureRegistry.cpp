#include "model/PictureRegistry.h"

#include "model/EraseIndices.h"

#include "platform/AsciiCase.h"
#include "model/TextCut.h"
#include "platform/Path.h"

void PictureRegistry::Clear()
{
    m_records.clear();
    m_missing.clear();
    m_firstNumber = 0;
    m_lastNumber = 0;
    m_lookup.Clear();
}

int PictureRegistry::Find(std::string_view storedPath) const
{
    if (m_records.empty() || storedPath.empty()) {
        return -1;
    }
    const long hint = m_lookup.Lookup(storedPath);
    if (hint < 0) {
        return -1;
    }
    if (m_records[static_cast<std::size_t>(hint)].path == storedPath) {
        return static_cast<int>(hint);
    }
    // Another path shares the key: find the path itself.
    for (std::size_t i = m_records.size(); i-- > 0;) {
        if (m_records[i].path == storedPath) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const PictureRecord& PictureRegistry::Append(std::uint32_t number, const std::string& storedPath)
{
    PictureRecord record;
    record.number = number;
    record.name = NameOf(storedPath);
    record.path = storedPath;
    m_lookup.PutIfAbsent(storedPath, static_cast<std::uint32_t>(m_records.size()));
    m_records.push_back(std::move(record));
    return m_records.back();
}

std::string PictureRegistry::NameOf(std::string_view path)
{
    return model::CutText(platform::toUpperAscii(platform::fileStemOf(path)),
                          PictureRecord::kNameMax);
}

void PictureRegistry::RemoveAt(const std::vector<std::size_t>& indices)
{
    model::EraseIndices(m_records, indices);
    m_lookup.Clear();
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        m_lookup.PutIfAbsent(m_records[i].path, static_cast<std::uint32_t>(i));
    }
    m_firstNumber = m_records.empty() ? 0 : m_records.front().number;
    m_lastNumber = m_records.empty() ? 0 : m_records.back().number;
}
