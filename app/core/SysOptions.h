#pragma once

#include "SysOptionsFields.h"

#include <QString>

class IniFile;

// Brings the tab width, right edge and font size into their ranges.
void clampSizes(SysOptions &options);

// Reads the Editor and General keys in the order window creation reads them; missing or bad
// values give the defaults above, and sizes are clamped to their ranges.
SysOptions readSysOptions(const IniFile &ini);
// Writes every key in the order the program has always written them.
void writeSysOptions(IniFile &ini, const SysOptions &options);

// The interface language: 0 English, 1 Croatian, 2 French, 3 German.
int readLanguageIndex(const IniFile &ini);
void writeLanguageIndex(IniFile &ini, int languageIndex);
