// Little-endian, byte by byte, so the format does not depend on the host.
#include "database/Archive.h"

#include <cstring>

void CArchive::Fail(const char* reason) {
    if (m_error.IsEmpty())
        m_error = CStr::Formatted("%s at byte %zu", reason, m_pos);
}

bool CArchive::Need(size_t bytes, const char* what) {
    if (Failed())
        return false;
    if (Remaining() < bytes) {
        Fail(CStr::Formatted("file ends inside %s", what).GetText());
        return false;
    }
    return true;
}

void CArchive::OtherInt(int32_t& value) {
    if (m_visitor) {
        m_visitor->Int(value);
        return;
    }
    if (!IsReading()) {
        uint32_t bits = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            m_output.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        return;
    }
    if (!Need(4, "an integer")) {
        value = 0;
        return;
    }
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t>(static_cast<uint8_t>((*m_input)[m_pos + i])) << (8 * i);
    m_pos += 4;
    value = static_cast<int32_t>(bits);
}

void CArchive::Double(double& value) {
    if (m_visitor) {
        m_visitor->Double(value);
        return;
    }
    uint64_t bits = 0;
    if (!IsReading()) {
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 8; ++i)
            m_output.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        return;
    }
    if (!Need(8, "a number")) {
        value = 0.0;
        return;
    }
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<uint64_t>(static_cast<uint8_t>((*m_input)[m_pos + i])) << (8 * i);
    m_pos += 8;
    std::memcpy(&value, &bits, sizeof value);
}

void CArchive::Str(CStr& value) {
    if (m_visitor)
        return;
    if (!IsReading()) {
        // The format cannot carry more; game texts never come near it.
        int32_t length = static_cast<int32_t>(value.Length());
        if (length > kMaxStringLength)
            length = kMaxStringLength;
        Int(length);
        m_output.append(value.GetText(), static_cast<size_t>(length));
        m_output.push_back('\0');
        return;
    }
    int32_t length = 0;
    Int(length);
    if (Failed()) {
        value = CStr();
        return;
    }
    if (length < 0 || length > kMaxStringLength) {
        m_pos -= 4;
        Fail(CStr::Formatted("text length %d out of range", length).GetText());
        value = CStr();
        return;
    }
    if (!Need(static_cast<size_t>(length) + 1, "a text")) {
        value = CStr();
        return;
    }
    value = CStr(m_input->data() + m_pos, static_cast<uint32_t>(length));
    // The closing zero is skipped unchecked: it carries nothing.
    m_pos += static_cast<size_t>(length) + 1;
}

bool CArchive::Count(int32_t& count, size_t minRecordBytes) {
    // A count is the file's, not a record's field.
    if (m_visitor)
        return true;
    Int(count);
    if (!IsReading())
        return !Failed();
    if (Failed())
        return false;
    if (count < 0) {
        m_pos -= 4;
        Fail(CStr::Formatted("negative record count %d", count).GetText());
        return false;
    }
    if (minRecordBytes > 0 && static_cast<uint64_t>(count) * minRecordBytes > Remaining()) {
        m_pos -= 4;
        Fail(CStr::Formatted("record count %d larger than the file", count).GetText());
        return false;
    }
    return true;
}
