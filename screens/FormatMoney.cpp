// Money display.
#include "screens/FormatMoney.h"

#include <cctype>

CStr FormatMoney(const CStr& numberText, char separator, char unit) {
    const std::string& text = numberText.Std();
    size_t at = 0;
    std::string sign;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        sign.push_back(text[at++]);
    size_t digitsBegin = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])))
        ++at;
    std::string digits = text.substr(digitsBegin, at - digitsBegin);
    std::string rest = text.substr(at);

    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped.push_back(separator);
        grouped.push_back(digits[i]);
    }
    std::string result;
    result.push_back(unit);
    result.push_back(' ');
    result += sign + grouped + rest;
    return CStr(result);
}

CStr FormatMoney(int amount) {
    return FormatMoney(CStr::Formatted("%d", amount), ',', '$');
}
