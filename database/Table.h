// CTable<T>: an owning, ordered list of records of one data file, with the file's byte format.
// Records are heap objects, so pointers held in link lists stay valid while the table grows.
#pragma once

#include "database/Archive.h"
#include "database/Records.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

template <class T> class CTable {
public:
    CTable() = default;
    CTable(const CTable&) = delete;
    CTable& operator=(const CTable&) = delete;
    CTable(CTable&& other) noexcept : m_records(std::move(other.m_records)) { other.m_records.clear(); }
    CTable& operator=(CTable&& other) noexcept {
        if (this != &other) {
            Clear();
            m_records = std::move(other.m_records);
            other.m_records.clear();
        }
        return *this;
    }
    virtual ~CTable() { Clear(); }

    int Size() const { return static_cast<int>(m_records.size()); }
    bool IsEmpty() const { return m_records.empty(); }
    // Null outside the table.
    T* At(int row) const { return row >= 0 && row < Size() ? m_records[static_cast<size_t>(row)] : nullptr; }
    const std::vector<T*>& Records() const { return m_records; }
    typename std::vector<T*>::const_iterator begin() const { return m_records.begin(); }
    typename std::vector<T*>::const_iterator end() const { return m_records.end(); }

    // Takes ownership.
    T* Append(T* record) {
        if (record)
            m_records.push_back(record);
        return record;
    }
    // Removes without deleting: the caller now owns the record. Null when it is not here.
    T* Detach(T* record) {
        auto it = std::find(m_records.begin(), m_records.end(), record);
        if (it == m_records.end())
            return nullptr;
        m_records.erase(it);
        return record;
    }
    T* DetachAt(int row) { return Detach(At(row)); }
    // Removes and deletes; the records behind it move up one place.
    bool Erase(T* record) {
        T* detached = Detach(record);
        delete detached;
        return detached != nullptr;
    }
    bool EraseAt(int row) { return Erase(At(row)); }
    int IndexOf(const T* record) const {
        auto it = std::find(m_records.begin(), m_records.end(), record);
        return it == m_records.end() ? -1 : static_cast<int>(it - m_records.begin());
    }
    void Clear() {
        for (T* record : m_records)
            delete record;
        m_records.clear();
    }
    void Swap(CTable& other) noexcept { m_records.swap(other.m_records); }
    // Puts the records in the given order; the list must hold exactly this table's records.
    void Reorder(const std::vector<T*>& order) { m_records = order; }

    // Reads a whole file's bytes, replacing the contents only when every record was read and
    // nothing follows the last one.
    bool ReadBytes(const std::string& bytes, CStr& error) {
        CArchive ar = CArchive::ForReading(bytes);
        int32_t count = 0;
        if (!ar.Count(count, MinRecordBytes())) {
            error = ar.Error();
            return false;
        }
        std::vector<T*> read;
        read.reserve(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            T* record = new T();
            record->Serialize(ar);
            if (ar.Failed()) {
                delete record;
                for (T* done : read)
                    delete done;
                error = CStr::Formatted("record %d of %d: %s", i, count, ar.Error().GetText());
                return false;
            }
            read.push_back(record);
        }
        // Bytes after the last record mean the count is short or the file was damaged: reading on
        // as if nothing were wrong would drop records without a word.
        if (ar.Remaining() > 0) {
            for (T* done : read)
                delete done;
            error = CStr::Formatted("%zu bytes after the last of %d records", ar.Remaining(), count);
            return false;
        }
        Clear();
        m_records = std::move(read);
        return true;
    }

    std::string WriteBytes() const { return WriteRecords(m_records); }

    // The file bytes of any list of records of this kind.
    static std::string WriteRecords(const std::vector<T*>& records) {
        CArchive ar = CArchive::ForWriting();
        int32_t count = static_cast<int32_t>(records.size());
        ar.Count(count, 0);
        for (T* record : records)
            record->Serialize(ar);
        return ar.TakeBytes();
    }

    // The bytes of the smallest record (every text empty): a count that cannot fit is refused.
    static size_t MinRecordBytes() {
        T prototype;
        CArchive ar = CArchive::ForWriting();
        prototype.Serialize(ar);
        return ar.Bytes().size();
    }

private:
    std::vector<T*> m_records;
};

// Finds the first record whose id field matches; null when none.
template <class T> T* FindById(const CTable<T>& table, int32_t id) {
    for (T* record : table)
        if (record->id == id)
            return record;
    return nullptr;
}
