// TextLookup: how career code asks for a language text by id without knowing who holds the table.
#pragma once

#include "engine/Str.h"

#include <functional>

// The game manager hands its GetText in; an empty lookup (tests, tools) gives empty texts.
using TextLookup = std::function<CStr(int textId)>;

inline CStr LookUpText(const TextLookup& lookup, int textId) {
    return lookup ? lookup(textId) : CStr();
}
