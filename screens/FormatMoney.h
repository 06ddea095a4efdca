// Display form of an amount: unit, blank, sign, integer digits grouped by three, decimals unchanged.
#pragma once

#include "engine/Str.h"

// FormatMoney("1500000", ',', '$') gives "$ 1,500,000"; FormatMoney("-250", ',', '$') gives "$ -250".
CStr FormatMoney(const CStr& numberText, char separator, char unit);
// The usual money form of a whole amount: "$" and ",".
CStr FormatMoney(int amount);
