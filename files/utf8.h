// UTF-8 for the game file's path blocks, from and to the UTF-16 the program keeps its paths
// in. Strict both ways: a file's bytes either spell one text exactly or are not taken.
#pragma once
#include <stddef.h>
#include <string>

// The UTF-8 of a zero-terminated UTF-16 text, terminator left out; false, with utf8 empty,
// where the text holds an unpaired surrogate (no UTF-8 spells it).
bool EncodeUtf8(const char16_t* text, std::string* utf8);

// The UTF-16 of size bytes of well-formed UTF-8, zero-terminated in text (capacity units,
// terminator included). False, with text empty when capacity allows, for bytes that are
// not well formed (overlong forms, surrogates, code points past U+10FFFF, sequences cut
// short, stray continuation bytes, a zero byte) or a text that does not fit.
bool DecodeUtf8(const unsigned char* utf8, size_t size, char16_t* text, size_t capacity);
