#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

// A small ordered tree of named values that `info` fills once and prints either as
// indented text or as JSON.
class InfoTree
{
public:
    enum class Type
    {
        Text,
        Number,
        Object,
        List
    };

    static InfoTree Text(std::string text);
    static InfoTree Number(long long number);
    static InfoTree Object();
    static InfoTree List();

    // Adds a member to an object; returns the added value.
    InfoTree& Add(std::string key, InfoTree value);
    InfoTree& Add(std::string key, const std::string& text) { return Add(key, Text(text)); }
    InfoTree& Add(std::string key, const char* text) { return Add(key, Text(text)); }
    InfoTree& Add(std::string key, long long number) { return Add(key, Number(number)); }
    // Appends an item to a list; returns the added value.
    InfoTree& Append(InfoTree value);

    // Indented text: scalars as "key: value"; in a list item the scalars share one line.
    void PrintText(std::ostream& out) const;
    // JSON, two spaces a level. Text that is not valid UTF-8 is read as code page 936.
    void PrintJson(std::ostream& out) const;

private:
    void PrintText(std::ostream& out, int indent) const;
    void PrintJson(std::ostream& out, int indent) const;
    bool IsScalar() const { return m_type == Type::Text || m_type == Type::Number; }
    std::string ScalarText() const;

    Type m_type = Type::Object;
    std::string m_text;
    long long m_number = 0;
    std::vector<std::pair<std::string, InfoTree>> m_members; // objects; lists use no keys
};
