#include "model/StringRegistry.h"

#include "model/EraseIndices.h"

#include "model/TextCut.h"

void StringRegistry::Clear()
{
    m_records.clear();
    m_missing.clear();
    m_firstNumber = 0;
    m_lastNumber = 0;
    m_lookup.Clear();
    m_secondMap.Clear();
}

void StringRegistry::ClearLanguages()
{
    m_languageNames.fill({});
    m_columnTitles.fill({});
}

std::vector<std::string> StringRegistry::NamedLanguages() const
{
    std::vector<std::string> names;
    for (const std::string& name : m_languageNames) {
        if (name.empty()) {
            break;
        }
        names.push_back(name);
    }
    return names;
}

int StringRegistry::Find(std::string_view identifier) const
{
    if (m_records.empty() || identifier.empty()) {
        return -1;
    }
    const long hint = m_lookup.Lookup(identifier);
    if (hint < 0) {
        return -1;
    }
    if (m_records[static_cast<std::size_t>(hint)].identifier == identifier) {
        return static_cast<int>(hint);
    }
    // Another identifier shares the key: the latest record of this one wins.
    for (std::size_t i = m_records.size(); i-- > 0;) {
        if (m_records[i].identifier == identifier) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

StringRecord& StringRegistry::Append(std::uint32_t number, std::string_view identifier)
{
    StringRecord record;
    record.number = number;
    record.identifier = model::CutText(identifier, StringRecord::kIdentifierMax);
    m_lookup.Put(record.identifier, static_cast<std::uint32_t>(m_records.size()));
    m_records.push_back(std::move(record));
    return m_records.back();
}

void StringRegistry::RemoveAt(const std::vector<std::size_t>& indices)
{
    model::EraseIndices(m_records, indices);
    m_lookup.Clear();
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        m_lookup.Put(m_records[i].identifier, static_cast<std::uint32_t>(i));
    }
    m_firstNumber = m_records.empty() ? 0 : m_records.front().number;
    m_lastNumber = m_records.empty() ? 0 : m_records.back().number;
}
