#include "sim/Scenario.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string LowerKey(std::string key)
{
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

void Scenario::Parse(const std::string& text)
{
    m_lines.clear();
    m_values.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
        std::string key = LowerKey(Trim(line.substr(0, equals)));
        std::string value = Trim(line.substr(equals + 1));
        m_lines.emplace_back(key, value);
        m_values[key] = value;
    }
}

bool Scenario::Has(const std::string& key) const { return m_values.count(LowerKey(key)) != 0; }

std::string Scenario::Get(const std::string& key, const std::string& fallback) const
{
    auto found = m_values.find(LowerKey(key));
    return found == m_values.end() ? fallback : found->second;
}

long Scenario::Number(const std::string& key, long fallback) const
{
    long value = 0;
    return ParseNumber(Get(key), value) ? value : fallback;
}

std::vector<std::string> Scenario::Ids(const std::string& prefix) const
{
    std::vector<std::string> ids;
    std::string head = LowerKey(prefix) + ".";
    for (const auto& line : m_lines) {
        if (line.first.compare(0, head.size(), head) != 0) continue;
        std::string id = line.first.substr(head.size());
        id = id.substr(0, id.find('.'));
        if (id.empty()) continue;
        bool known = false;
        for (const std::string& seen : ids) known = known || seen == id;
        if (!known) ids.push_back(id);
    }
    return ids;
}

std::vector<std::pair<std::string, std::string>> Scenario::Entries(const std::string& prefix) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    std::string head = LowerKey(prefix);
    for (auto it = m_values.lower_bound(head); it != m_values.end() && it->first.compare(0, head.size(), head) == 0; ++it)
        entries.emplace_back(it->first.substr(head.size()), it->second);
    return entries;
}

bool ParseNumber(const std::string& text, long& out)
{
    std::string trimmed = Trim(text);
    if (trimmed.empty()) return false;
    const char* begin = trimmed.c_str();
    char* end = nullptr;
    bool hex = trimmed.size() > 2 && trimmed[0] == '0' && (trimmed[1] == 'x' || trimmed[1] == 'X');
    long value = std::strtol(hex ? begin + 2 : begin, &end, hex ? 16 : 10);
    if (end == (hex ? begin + 2 : begin) || *end != '\0') return false;
    out = value;
    return true;
}

std::vector<long> ParseNumberList(const std::string& text)
{
    std::vector<long> numbers;
    std::string token;
    for (size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : ' ';
        if (c == ' ' || c == ',' || c == '.' || c == '\t') {
            if (token.empty()) continue;
            long value = 0;
            if (!ParseNumber(token, value)) break;
            numbers.push_back(value);
            token.clear();
        } else {
            token += c;
        }
    }
    return numbers;
}

std::vector<uint8_t> ParseHexBytes(const std::string& text)
{
    std::vector<uint8_t> bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == ',') {
            if (high >= 0) break;  // a lone digit ends the list
            continue;
        }
        int digit = HexDigit(c);
        if (digit < 0) break;
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    return bytes;
}

std::string HexBytesText(const uint8_t* bytes, size_t count)
{
    std::string text;
    char part[4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(part, sizeof(part), i ? " %02X" : "%02X", bytes[i]);
        text += part;
    }
    return text;
}
