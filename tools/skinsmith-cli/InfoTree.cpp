#include "InfoTree.h"

#include "platform/CodePage.h"

#include <cstdio>
#include <ostream>

namespace {

std::string JsonString(const std::string& raw)
{
    const std::string text = platform::textAsShown(raw);
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

} // namespace

InfoTree InfoTree::Text(std::string text)
{
    InfoTree tree;
    tree.m_type = Type::Text;
    tree.m_text = std::move(text);
    return tree;
}

InfoTree InfoTree::Number(long long number)
{
    InfoTree tree;
    tree.m_type = Type::Number;
    tree.m_number = number;
    return tree;
}

InfoTree InfoTree::Object()
{
    return InfoTree();
}

InfoTree InfoTree::List()
{
    InfoTree tree;
    tree.m_type = Type::List;
    return tree;
}

InfoTree& InfoTree::Add(std::string key, InfoTree value)
{
    m_members.emplace_back(std::move(key), std::move(value));
    return m_members.back().second;
}

InfoTree& InfoTree::Append(InfoTree value)
{
    return Add(std::string(), std::move(value));
}

std::string InfoTree::ScalarText() const
{
    return m_type == Type::Number ? std::to_string(m_number) : platform::textAsShown(m_text);
}

void InfoTree::PrintText(std::ostream& out) const
{
    PrintText(out, 0);
}

void InfoTree::PrintText(std::ostream& out, int indent) const
{
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    if (m_type == Type::List) {
        for (const auto& [key, item] : m_members) {
            if (item.IsScalar()) {
                out << pad << "- " << item.ScalarText() << '\n';
                continue;
            }
            // The scalars of an item on its "- " line, the rest below it.
            out << pad << "-";
            const char* separator = " ";
            for (const auto& [name, value] : item.m_members) {
                if (value.IsScalar()) {
                    out << separator << name << ": " << value.ScalarText();
                    separator = "; ";
                }
            }
            out << '\n';
            InfoTree nested = Object();
            for (const auto& member : item.m_members) {
                if (!member.second.IsScalar()) {
                    nested.m_members.push_back(member);
                }
            }
            nested.PrintText(out, indent + 2);
        }
        return;
    }
    for (const auto& [key, value] : m_members) {
        if (value.IsScalar()) {
            out << pad << key << ": " << value.ScalarText() << '\n';
        } else if (value.m_type == Type::List) {
            out << pad << key << " (" << value.m_members.size() << "):\n";
            value.PrintText(out, indent + 2);
        } else {
            out << pad << key << ":\n";
            value.PrintText(out, indent + 2);
        }
    }
}

void InfoTree::PrintJson(std::ostream& out) const
{
    PrintJson(out, 0);
    out << '\n';
}

void InfoTree::PrintJson(std::ostream& out, int indent) const
{
    if (m_type == Type::Number) {
        out << m_number;
        return;
    }
    if (m_type == Type::Text) {
        out << JsonString(m_text);
        return;
    }
    const bool list = m_type == Type::List;
    if (m_members.empty()) {
        out << (list ? "[]" : "{}");
        return;
    }
    const std::string pad(static_cast<std::size_t>(indent + 2), ' ');
    out << (list ? "[\n" : "{\n");
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        out << pad;
        if (!list) {
            out << JsonString(m_members[i].first) << ": ";
        }
        m_members[i].second.PrintJson(out, indent + 2);
        out << (i + 1 < m_members.size() ? ",\n" : "\n");
    }
    out << std::string(static_cast<std::size_t>(indent), ' ') << (list ? "]" : "}");
}
