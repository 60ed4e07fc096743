#include "shell/title_text.h"
#include <stdio.h>

void FormatGameTitle(char* text, size_t capacity, const char* gameName, bool modified,
                     int fixedCount, int pieceCount, int zoomPercent, int wizardCount)
{
    char wizard[32] = "";
    if (wizardCount != 0)
        snprintf(wizard, sizeof wizard, " - %d Wizard", wizardCount);
    snprintf(text, capacity, "%s - [%s%s] (%d/%d ピース) x %d%%%s", "Quiltra", gameName,
             modified ? " *" : "", fixedCount, pieceCount, zoomPercent, wizard);
}
