// A simulation scenario: plain "key=value" lines (see sim/README.md). Keys are
// compared without regard to case; values are kept as written (UTF-8).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class Scenario {
public:
    // Replaces the content with the lines of text; blank lines and lines
    // starting with '#' are skipped, and so is a line without '='.
    void Parse(const std::string& text);

    bool Has(const std::string& key) const;
    std::string Get(const std::string& key, const std::string& fallback = std::string()) const;
    // A decimal or "0x" hexadecimal value; fallback when absent or not a number.
    long Number(const std::string& key, long fallback) const;
    // The ids of keys "prefix.<id>" and "prefix.<id>.<rest>", in the order of
    // their first line.
    std::vector<std::string> Ids(const std::string& prefix) const;
    // The keys that begin with prefix, without it, with their values.
    std::vector<std::pair<std::string, std::string>> Entries(const std::string& prefix) const;

private:
    std::vector<std::pair<std::string, std::string>> m_lines;  // in file order
    std::map<std::string, std::string> m_values;                // the last value of each key
};

// "12", "0x1F" -> the number; false when the text is not one number.
bool ParseNumber(const std::string& text, long& out);
// Numbers separated by blanks, commas or dots; stops at the first token that is
// not a number.
std::vector<long> ParseNumberList(const std::string& text);
// Hexadecimal bytes, separated by blanks or written together ("FF FE 8F",
// "FFFE8F"); stops at the first character that is neither.
std::vector<uint8_t> ParseHexBytes(const std::string& text);
// The key with every letter in lower case.
std::string LowerKey(std::string key);
// "%02X"-style hexadecimal text of bytes, separated by blanks.
std::string HexBytesText(const uint8_t* bytes, size_t count);
