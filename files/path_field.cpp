#include "files/path_field.h"
#include <windows.h>
#include <string.h>
#include <wchar.h>

bool SpellInCodePage(const wchar_t* path, char* field)
{
    memset(field, 0, kGamePathSize);
    // Without best fit, a character the code page lacks is reported instead of turned into
    // a look-alike (é into e) that names another file or none. UTF-8 as the system's code
    // page takes neither that flag nor the report, and spells every path but an unpaired
    // surrogate, which it refuses.
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL lossy = FALSE;
    const int bytes =
        WideCharToMultiByte(CP_ACP, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, path, -1,
                            field, kGamePathSize, nullptr, utf8 ? nullptr : &lossy);
    wchar_t back[kPathCapacity];
    // The round trip is the proof: some code pages map a character silently.
    const bool exact = bytes > 0 && !lossy &&
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, field, -1, back, kPathCapacity) > 0 &&
        wcscmp(back, path) == 0;
    if (!exact)
        memset(field, 0, kGamePathSize);
    return exact;
}

void ReadCodePageField(const char* field, wchar_t* path)
{
    if (!MultiByteToWideChar(CP_ACP, 0, field, -1, path, kPathCapacity))
        path[0] = 0;
}

void BuildGameFileFor(const wchar_t* picturePath, const GameHeader& header,
                      const PieceRecord* pieces, const int32_t* groupOfCell,
                      std::vector<unsigned char>* bytes)
{
    char field[kGamePathSize];
    const bool spelled = SpellInCodePage(picturePath, field);
    if (!spelled) {
        // An earlier build can still find the picture through its short name, where the
        // volume keeps short names.
        wchar_t shortPath[kPathCapacity];
        const DWORD length = GetShortPathNameW(picturePath, shortPath, kPathCapacity);
        if (length == 0 || length >= (DWORD)kPathCapacity || !SpellInCodePage(shortPath, field))
            memset(field, 0, sizeof field);
    }
    BuildGameFile(field, header, pieces, bytes);
    if (!spelled)
        AppendPathBlock(kPicturePathBlock, AsUtf16(picturePath), bytes);
    AppendGroupBlock(header, pieces, groupOfCell, bytes);
}

void TakePicturePath(const LoadedGame& game, wchar_t* path)
{
    if (game.unicodePicturePath[0])
        memcpy(path, game.unicodePicturePath, sizeof game.unicodePicturePath);
    else
        ReadCodePageField(game.picturePath, path);
}
