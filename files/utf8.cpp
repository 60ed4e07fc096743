#include "files/utf8.h"

static bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

static bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool EncodeUtf8(const char16_t* text, std::string* utf8)
{
    utf8->clear();
    for (const char16_t* at = text; *at; ++at) {
        char32_t code = *at;
        if (IsHighSurrogate(code) && IsLowSurrogate(at[1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (at[1] - 0xDC00);
            ++at;
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
            utf8->clear();
            return false;
        }
        if (code < 0x80) {
            utf8->push_back((char)code);
        } else if (code < 0x800) {
            utf8->push_back((char)(0xC0 | code >> 6));
            utf8->push_back((char)(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            utf8->push_back((char)(0xE0 | code >> 12));
            utf8->push_back((char)(0x80 | (code >> 6 & 0x3F)));
            utf8->push_back((char)(0x80 | (code & 0x3F)));
        } else {
            utf8->push_back((char)(0xF0 | code >> 18));
            utf8->push_back((char)(0x80 | (code >> 12 & 0x3F)));
            utf8->push_back((char)(0x80 | (code >> 6 & 0x3F)));
            utf8->push_back((char)(0x80 | (code & 0x3F)));
        }
    }
    return true;
}

// What a lead byte promises: how many continuation bytes follow, and the range the first
// of them must lie in. Narrowing that first range is what shuts out overlong forms (E0, F0),
// the surrogates (ED) and everything past U+10FFFF (F4); later continuations are 80..BF.
struct LeadByte {
    int following;
    unsigned char lowest, highest;
};

static bool ReadLeadByte(unsigned char byte, LeadByte* lead)
{
    if (byte >= 0xC2 && byte <= 0xDF)
        *lead = {1, 0x80, 0xBF};
    else if (byte == 0xE0)
        *lead = {2, 0xA0, 0xBF};
    else if (byte == 0xED)
        *lead = {2, 0x80, 0x9F};
    else if (byte >= 0xE1 && byte <= 0xEF)
        *lead = {2, 0x80, 0xBF};
    else if (byte == 0xF0)
        *lead = {3, 0x90, 0xBF};
    else if (byte >= 0xF1 && byte <= 0xF3)
        *lead = {3, 0x80, 0xBF};
    else if (byte == 0xF4)
        *lead = {3, 0x80, 0x8F};
    else
        return false;  // continuation bytes, C0 and C1 (always overlong), F5 and above
    return true;
}

// Reads the code point at utf8[*at], moving *at past it; false where none is spelled there.
static bool ReadCodePoint(const unsigned char* utf8, size_t size, size_t* at, char32_t* code)
{
    const unsigned char byte = utf8[*at];
    if (byte < 0x80) {
        *code = byte;
        ++*at;
        return byte != 0;  // a zero would end the text early once it is zero-terminated
    }
    LeadByte lead;
    if (!ReadLeadByte(byte, &lead) || size - *at <= (size_t)lead.following)
        return false;
    *code = byte & (0x3F >> lead.following);
    for (int i = 1; i <= lead.following; ++i) {
        const unsigned char next = utf8[*at + i];
        const unsigned char lowest = i == 1 ? lead.lowest : 0x80;
        const unsigned char highest = i == 1 ? lead.highest : 0xBF;
        if (next < lowest || next > highest)
            return false;
        *code = *code << 6 | (next & 0x3F);
    }
    *at += 1 + lead.following;
    return true;
}

// A text half written must not pass for a shorter path.
static bool Refuse(char16_t* text)
{
    text[0] = 0;
    return false;
}

bool DecodeUtf8(const unsigned char* utf8, size_t size, char16_t* text, size_t capacity)
{
    if (capacity == 0)
        return false;
    size_t used = 0;
    for (size_t at = 0; at < size;) {
        char32_t code;
        if (!ReadCodePoint(utf8, size, &at, &code))
            return Refuse(text);
        const size_t units = code < 0x10000 ? 1 : 2;
        if (capacity - used <= units)  // the terminator must fit after it
            return Refuse(text);
        if (units == 1) {
            text[used++] = (char16_t)code;
        } else {
            text[used++] = (char16_t)(0xD800 + ((code - 0x10000) >> 10));
            text[used++] = (char16_t)(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    text[used] = 0;
    return true;
}
