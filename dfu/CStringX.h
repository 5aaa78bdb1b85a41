// The DFU library's own string and string-list types. Its callers use a string
// only for construction, assignment, conversion to a wide string, GetLength and
// GetBuffer, and walk a list by position.
#pragma once

#include <string>
#include <utility>
#include <vector>

class CStringX {
public:
    CStringX() = default;
    CStringX(const wchar_t* s) : m_s(s ? s : L"") {}
    CStringX(std::wstring s) : m_s(std::move(s)) {}

    operator const wchar_t*() const { return m_s.c_str(); }
    int GetLength() const { return static_cast<int>(m_s.size()); }
    const wchar_t* GetBuffer() const { return m_s.c_str(); }
    const std::wstring& str() const { return m_s; }

private:
    std::wstring m_s;
};

class CStringListX {
public:
    // A place in the list; converts to a pointer to its string, null after the
    // last one.
    class Position {
    public:
        Position() = default;
        operator CStringX*() const
        {
            return m_list && m_index < m_list->m_items.size() ? &m_list->m_items[m_index] : nullptr;
        }

    private:
        friend class CStringListX;
        Position(CStringListX* list, size_t index) : m_list(list), m_index(index) {}
        CStringListX* m_list = nullptr;
        size_t m_index = 0;
    };

    Position GetHeadPosition() { return Position(this, 0); }
    // The string at the position; moves the position to the next one. The
    // position must not be past the end.
    CStringX& GetNext(Position& position) { return m_items[position.m_index++]; }
    void AddTail(CStringX item) { m_items.push_back(std::move(item)); }
    void RemoveAll() { m_items.clear(); }
    int GetCount() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }

private:
    std::vector<CStringX> m_items;
};
