// Display forms of playing time and counts.
#include "screens/FormatFigures.h"

#include <cmath>
#include <string>

CStr MinutesText(double minutesDotSeconds) {
    if (!std::isfinite(minutesDotSeconds) || minutesDotSeconds < 0.0)
        return CStr("0:00");
    // The seconds sit in the first two decimals; rounding undoes the binary fraction (15.36 is
    // stored as 15.3599...).
    const long long hundredths = std::llround(minutesDotSeconds * 100.0);
    long long minutes = hundredths / 100;
    long long seconds = hundredths % 100;
    if (seconds >= 60) {
        minutes += seconds / 60;
        seconds %= 60;
    }
    return CStr::Formatted("%lld:%.2lld", minutes, seconds);
}

CStr MinutesPerGameText(int64_t seconds, int64_t games) {
    if (games <= 0 || seconds <= 0)
        return MinutesText(0.0);
    const int64_t perGame = seconds / games;
    return CStr::Formatted("%lld:%.2lld", static_cast<long long>(perGame / 60),
                           static_cast<long long>(perGame % 60));
}

CStr PerGameText(int64_t total, int64_t games) {
    return CStr::Formatted("%.2f", games > 0 ? static_cast<double>(total) / static_cast<double>(games) : 0.0);
}

CStr PercentText(double percent) {
    return CStr::Formatted("%.2f", std::isfinite(percent) ? percent : 0.0);
}

CStr GroupedCount(int64_t count) {
    const bool negative = count < 0;
    // The magnitude in unsigned arithmetic: the lowest int64 has no positive counterpart.
    uint64_t magnitude = negative ? 0u - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    const std::string digits = std::to_string(magnitude);
    std::string text = negative ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text.push_back(',');
        text.push_back(digits[i]);
    }
    return CStr(text);
}
