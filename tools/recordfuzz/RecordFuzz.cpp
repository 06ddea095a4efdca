// Fuzz target for the record reader: the first byte picks a table kind, the rest is its file.
// Whatever the bytes, reading must not crash, and what was read must write and read back the same.
#include "database/Tables.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

template <class Table> void Exercise(const std::string& bytes) {
    Table table;
    CStr error;
    if (!table.ReadBytes(bytes, error)) {
        if (error.IsEmpty() || table.Size() != 0)
            std::abort(); // a refused file must say why and leave the table as it was
        return;
    }
    std::string written = table.WriteBytes();
    Table again;
    if (!again.ReadBytes(written, error) || again.WriteBytes() != written)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 12) {
    case 0:
        Exercise<CTeamList>(bytes);
        break;
    case 1:
        Exercise<CPlayerList>(bytes);
        break;
    case 2:
        Exercise<CStaffList>(bytes);
        break;
    case 3:
        Exercise<CStadiumTable>(bytes);
        break;
    case 4:
        Exercise<CEmailList>(bytes);
        break;
    case 5:
        Exercise<CFinanceList>(bytes);
        break;
    case 6:
        Exercise<CStorageList>(bytes);
        break;
    case 7:
        Exercise<CStadiumUpgradeList>(bytes);
        break;
    case 8:
        Exercise<CCertificateList>(bytes);
        break;
    case 9:
        Exercise<CMyStadiumUpgradeList>(bytes);
        break;
    case 10:
        Exercise<CSponsorTable>(bytes);
        break;
    default: {
        CProfileList profiles;
        profiles.ReadText(bytes);
        std::string text = profiles.WriteText();
        CProfileList again;
        again.ReadText(text);
        if (again.WriteText() != text)
            std::abort();
        break;
    }
    }
    return 0;
}
