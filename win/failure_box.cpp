#include "win/failure_box.h"
#include <initializer_list>
#include <stdio.h>
#include <string.h>

void ShowFailure(HWND owner, const char* text1, const char* text2, const char* text3,
                 const char* text4)
{
    char text[4096] = "";
    if (text1)
        snprintf(text, sizeof text, "%s", text1);
    for (const char* line : {text2, text3, text4}) {
        if (!line)
            continue;
        const size_t used = strlen(text);
        snprintf(text + used, sizeof text - used, "\n%s", line);
    }
    if (text[0])
        MessageBoxA(owner, text, "Quiltra", MB_ICONERROR | MB_TASKMODAL);
}
