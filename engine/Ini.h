// Private-profile INI files ("\guifiles\Options.ini"): case-insensitive sections and keys,
// a missing value gives the caller's default, writing creates the file, section and key.
#pragma once

#include "engine/Str.h"

CStr IniGetString(const char* section, const char* key, const char* defaultValue, const char* gamePath);
int IniGetInt(const char* section, const char* key, int defaultValue, const char* gamePath);
bool IniWriteString(const char* section, const char* key, const char* value, const char* gamePath);
