#include "shell/title_text.h"
#include <wchar.h>

void FormatGameTitle(wchar_t* text, size_t capacity, const wchar_t* gameName, bool modified,
                     int fixedCount, int pieceCount, int zoomPercent, int wizardCount)
{
    wchar_t wizard[32] = L"";
    if (wizardCount != 0)
        swprintf(wizard, 32, L" - %d Wizard", wizardCount);
    swprintf(text, capacity, L"Quiltra - [%ls%ls] (%d/%d ピース) x %d%%%ls", gameName,
             modified ? L" *" : L"", fixedCount, pieceCount, zoomPercent, wizard);
}
