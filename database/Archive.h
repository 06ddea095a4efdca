// CArchive: the .dat byte format, one object for both directions so every record describes its
// fields once. Reading never trusts the file: every count and length is checked against the bytes
// left, and the first bad value stops the read with a reason.
#pragma once

#include "engine/Str.h"

#include <cstdint>
#include <string>

// Sees every number a record stores, in file order, through a visiting archive.
class CFieldVisitor {
public:
    virtual ~CFieldVisitor() = default;
    virtual void Int(int32_t& value) = 0;
    virtual void Double(double& value) = 0;
};

class CArchive {
public:
    static constexpr int32_t kMaxStringLength = 9999;

    // A reader over bytes the caller keeps alive for the archive's lifetime.
    static CArchive ForReading(const std::string& bytes) { return CArchive(&bytes); }
    static CArchive ForWriting() { return CArchive(nullptr); }
    // Neither reads nor writes: hands each number of a record to the visitor, so a check can walk
    // any table's fields by the record's own description of them. Acts as a writer otherwise.
    static CArchive ForVisiting(CFieldVisitor& visitor) {
        CArchive ar(nullptr);
        ar.m_visitor = &visitor;
        return ar;
    }

    bool IsReading() const { return m_input != nullptr; }
    bool Failed() const { return !m_error.IsEmpty(); }
    const CStr& Error() const { return m_error; }
    // Bytes not yet read (0 for a writer).
    size_t Remaining() const { return IsReading() ? m_input->size() - m_pos : 0; }
    // What a writer has produced.
    const std::string& Bytes() const { return m_output; }
    std::string TakeBytes() { return std::move(m_output); }

    void Int(int32_t& value) {
        // Reading with four bytes left is nearly every call: kept inline, little-endian byte by byte.
        if (m_input && m_input->size() - m_pos >= 4 && m_error.IsEmpty()) {
            const auto* p = reinterpret_cast<const unsigned char*>(m_input->data() + m_pos);
            value =
                static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                     static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
            m_pos += 4;
            return;
        }
        OtherInt(value);
    }
    void Double(double& value);
    void Str(CStr& value);

    // A record count, read and checked against a minimum record size so an absurd count fails
    // before anything is allocated for it.
    bool Count(int32_t& count, size_t minRecordBytes);

    void Fail(const char* reason);

private:
    explicit CArchive(const std::string* input) : m_input(input) {}
    bool Need(size_t bytes, const char* what);
    // Int when writing or visiting, or when the bytes end or the read has failed.
    void OtherInt(int32_t& value);

    const std::string* m_input = nullptr;
    CFieldVisitor* m_visitor = nullptr;
    size_t m_pos = 0;
    std::string m_output;
    CStr m_error;
};
