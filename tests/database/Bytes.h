// Hand-built .dat bytes and database comparisons for the database tests.
#pragma once

#include "database/MemoryDB.h"

#include <cstdint>
#include <sstream>
#include <string>

// Builds expected file bytes field by field, independently of the code under test.
class ByteBuilder {
public:
    ByteBuilder& I(int32_t value) {
        uint32_t bits = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        return *this;
    }
    ByteBuilder& S(const std::string& text) {
        I(static_cast<int32_t>(text.size()));
        m_bytes += text;
        m_bytes.push_back('\0');
        return *this;
    }
    ByteBuilder& D(double value) {
        uint64_t bits = 0;
        static_assert(sizeof bits == sizeof value);
        __builtin_memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 8; ++i)
            m_bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// The links of a database written out as text, so two databases can be compared link for link.
inline std::string DescribeLinks(const CMemoryDB& db) {
    std::ostringstream out;
    for (const CLeague* league : db.leagues) {
        out << "L" << league->id << ":";
        for (const CTeam* team : league->teams)
            out << team->id << ",";
        out << "\n";
    }
    for (const CTeam* team : db.teams) {
        out << "T" << team->id << " players:";
        for (const CPlayer* player : team->players)
            out << player->id << ",";
        out << " staff:";
        for (const CStaffRecord* member : team->staff)
            out << member->id << ",";
        out << " stadium:" << (team->stadium ? team->stadium->id : -1)
            << " cap:" << (team->stadium ? team->stadium->capacity : -1) << " parts:";
        if (team->stadium)
            for (const CStadiumWingRecord* wing : team->stadium->wings)
                out << wing->partId << ",";
        out << " matches:";
        for (const CMatchStat* stat : team->matchStats)
            out << stat->Field(6) << "." << stat->Field(7) << ",";
        out << "\n";
    }
    for (const CPlayer* player : db.players) {
        out << "P" << player->id << " pos:" << player->words[kWordPlayedPosition] << " stats:";
        for (const CPlayerStat* stat : player->stats)
            out << stat->DateKey() << "/" << stat->Field(10) << ",";
        out << "\n";
    }
    return out.str();
}
