// Display forms of playing time, shares, ratios and counts.
#include "screens/FormatFigures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {
// Two decimals as printf's "%.2f" writes them; the comparison screen writes thousands of these a
// day, so without printf's cost.
CStr Fixed2(double value) {
    char buffer[48];
    const std::to_chars_result r = std::to_chars(
        buffer, buffer + sizeof buffer, std::isfinite(value) ? value : 0.0, std::chars_format::fixed, 2);
    return r.ec == std::errc() ? CStr(buffer, static_cast<uint32_t>(r.ptr - buffer)) : CStr("0.00");
}
} // namespace

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

CStr PlayingTimeText(int64_t seconds) {
    if (seconds <= 0)
        return CStr("0:00");
    return CStr::Formatted("%lld:%.2lld", static_cast<long long>(seconds / 60),
                           static_cast<long long>(seconds % 60));
}

CStr MinutesPerGameText(int64_t seconds, int64_t games) {
    if (games <= 0 || seconds <= 0)
        return PlayingTimeText(0);
    return PlayingTimeText(seconds / games);
}

CStr PerGameText(int64_t total, int64_t games) {
    return Fixed2(games > 0 ? static_cast<double>(total) / static_cast<double>(games) : 0.0);
}

CStr PercentText(double percent) {
    return Fixed2(percent);
}

CStr RateText(int64_t part, int64_t whole) {
    return PercentText(whole != 0 ? static_cast<double>(part) / static_cast<double>(whole) * 100.0 : 0.0);
}

CStr RatioText(int64_t a, int64_t b) {
    return Fixed2(b != 0 ? static_cast<double>(a) / static_cast<double>(b) : 0.0);
}

CStr MadeOfText(int64_t made, int64_t attempted) {
    return GroupedCount(made) + "/" + GroupedCount(attempted);
}

CStr StaminaText(float stamina) {
    // A damaged figure still reads as a number.
    const float value = std::isfinite(stamina) ? std::clamp(stamina, -1.0e6f, 1.0e6f) : 0.0f;
    return CStr::Formatted("%ld", std::lround(value));
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
