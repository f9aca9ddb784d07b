#pragma once
// A status table as the items hold it: read-only and shared, so many items
// naming one file hold one copy of it.
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "status/StatusEntry.h"

namespace quelda {

class StatusList {
public:
    using Entries = std::vector<StatusEntry>;

    StatusList() = default;
    StatusList(Entries entries) : m_entries(std::make_shared<const Entries>(std::move(entries))) {}
    StatusList(std::initializer_list<StatusEntry> entries) : StatusList(Entries(entries)) {}

    const Entries& Get() const { return m_entries ? *m_entries : Empty(); }
    operator const Entries&() const { return Get(); }

    std::size_t size() const { return Get().size(); }
    bool empty() const { return Get().empty(); }
    const StatusEntry& operator[](std::size_t i) const { return Get()[i]; }
    Entries::const_iterator begin() const { return Get().begin(); }
    Entries::const_iterator end() const { return Get().end(); }

    // Whether both hold the very same table.
    bool SharedWith(const StatusList& other) const { return m_entries == other.m_entries; }

private:
    static const Entries& Empty() {
        static const Entries empty;
        return empty;
    }

    std::shared_ptr<const Entries> m_entries;
};

}  // namespace quelda
