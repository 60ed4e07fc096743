#include "tests/support/test_seed.h"
#include "files/utf8.h"
#include <gtest/gtest.h>
#include <random>
#include <stdio.h>
#include <vector>

// The references below work the other way round from the codec: they take a lead byte's
// count of leading ones and the code point it spells, and only then ask whether the
// standard allows that spelling.

// Code points of UTF-16 units; false at an unpaired surrogate.
static bool ReferenceCodePoints(const std::u16string& text, std::vector<char32_t>* codes)
{
    codes->clear();
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            codes->push_back(0x10000 + (unit - 0xD800) * 0x400 + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            return false;
        } else {
            codes->push_back(unit);
        }
    }
    return true;
}

// The UTF-8 of code, in count bytes whether or not that is the shortest form.
static std::string Spell(char32_t code, int count)
{
    if (count == 1)
        return std::string(1, (char)code);
    std::string bytes(count, 0);
    for (int i = count - 1; i > 0; --i, code /= 64)
        bytes[i] = (char)(0x80 + code % 64);
    bytes[0] = (char)((0xFF00 >> count & 0xFF) + code);
    return bytes;
}

static int ShortestLength(char32_t code)
{
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

static std::u16string Utf16(const std::vector<char32_t>& codes)
{
    std::u16string text;
    for (char32_t code : codes) {
        if (code < 0x10000) {
            text += (char16_t)code;
        } else {
            text += (char16_t)(0xD800 + (code - 0x10000) / 0x400);
            text += (char16_t)(0xDC00 + (code - 0x10000) % 0x400);
        }
    }
    return text;
}

// The text that bytes spell; false where the standard allows no reading of them.
static bool ReferenceDecode(const std::string& bytes, std::u16string* text)
{
    std::vector<char32_t> codes;
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char lead = bytes[i];
        int count = 0;
        while (count < 8 && lead & 0x80 >> count)
            ++count;
        char32_t code = lead & (0x7F >> count);
        if (count == 0)
            count = 1;
        else if (count == 1 || count > 4 || i + count > bytes.size())
            return false;
        for (int k = 1; k < count; ++k) {
            const unsigned char next = bytes[i + k];
            if ((next & 0xC0) != 0x80)
                return false;
            code = code * 64 + (next & 0x3F);
        }
        if (code == 0 || ShortestLength(code) != count || (code >= 0xD800 && code < 0xE000) ||
            code > 0x10FFFF)
            return false;
        codes.push_back(code);
        i += count;
    }
    *text = Utf16(codes);
    return true;
}

static bool Decode(const std::string& bytes, std::u16string* text, size_t capacity)
{
    std::vector<char16_t> buffer(capacity + 1, u'#');
    bool decoded =
        DecodeUtf8((const unsigned char*)bytes.data(), bytes.size(), buffer.data(), capacity);
    EXPECT_EQ(u'#', buffer[capacity]) << "written past the capacity";
    *text = capacity > 0 ? buffer.data() : u"";
    return decoded;
}

// A code point from every range whose UTF-8 differs: the lengths' borders, the surrogates'
// edges, the largest code point, and the first ones past it.
static char32_t RandomCodePoint(std::mt19937& random)
{
    static const char32_t kRanges[][2] = {
        {1, 0x7F},        {0x80, 0x7FF},       {0x800, 0xD7FF},      {0xD800, 0xDFFF},
        {0xE000, 0xFFFF}, {0x10000, 0x10FFFF}, {0x110000, 0x1FFFFF}, {0, 0},
        {0x7F, 0x80},     {0x7FF, 0x800},      {0xFFFF, 0x10000},    {0x10FFFF, 0x110000},
    };
    const auto& range = kRanges[random() % (sizeof kRanges / sizeof kRanges[0])];
    return std::uniform_int_distribution<char32_t>(range[0], range[1])(random);
}

TEST(Utf8, AnyUtf16TextSpellsAsTheReferenceDoesAndReadsBackTheSame)
{
    const unsigned seed = SeedFromEnvironment();
    printf("QUILTRA_SEED=%u\n", seed);
    std::mt19937 random(seed);
    for (int round = 0; round < 20000; ++round) {
        std::u16string text;
        const int length = random() % 12;
        for (int i = 0; i < length; ++i) {
            char32_t code = RandomCodePoint(random);
            if (code == 0 || code > 0x10FFFF)
                code = 0x10FFFF;
            text += Utf16({code});  // a surrogate code point stands alone in the text
        }
        SCOPED_TRACE(testing::Message() << "seed " << seed << " round " << round);
        std::vector<char32_t> codes;
        const bool spellable = ReferenceCodePoints(text, &codes);
        std::string expected;
        for (char32_t code : codes)
            expected += Spell(code, ShortestLength(code));
        std::string utf8 = "stale";
        ASSERT_EQ(spellable, EncodeUtf8(text.c_str(), &utf8));
        if (!spellable) {
            EXPECT_EQ("", utf8);
            continue;
        }
        ASSERT_EQ(expected, utf8);
        std::u16string back;
        ASSERT_TRUE(Decode(utf8, &back, text.size() + 1));
        EXPECT_EQ(text, back);
        EXPECT_FALSE(Decode(utf8, &back, text.size())) << "no room for the terminator";
        EXPECT_EQ(u"", back);
    }
}

TEST(Utf8, BytesAreReadExactlyWhenTheReferenceFindsThemWellFormedAndTheyFit)
{
    const unsigned seed = SeedFromEnvironment();
    printf("QUILTRA_SEED=%u\n", seed);
    std::mt19937 random(seed);
    int wellFormed = 0;
    for (int round = 0; round < 50000; ++round) {
        // Code points spelled at their length or longer, some cut short, some stray bytes.
        std::string bytes;
        const int pieces = random() % 6;
        for (int i = 0; i < pieces; ++i) {
            const char32_t code = RandomCodePoint(random);
            const int shortest = ShortestLength(code);
            const int count =
                random() % 4 ? shortest : std::min(4, shortest + 1 + (int)(random() % 3));
            std::string spelled = Spell(code, count);
            if (random() % 8 == 0)
                spelled.resize(random() % spelled.size());
            if (random() % 10 == 0)
                spelled = std::string(1, (char)random());
            bytes += spelled;
        }
        SCOPED_TRACE(testing::Message() << "seed " << seed << " round " << round);
        std::u16string expected, text;
        const bool valid = ReferenceDecode(bytes, &expected);
        const size_t capacity = random() % (expected.size() + 3);
        const bool fits = capacity >= expected.size() + 1;
        ASSERT_EQ(valid && fits, Decode(bytes, &text, capacity));
        EXPECT_EQ(valid && fits ? expected : u"", text);
        wellFormed += valid;
    }
    EXPECT_GT(wellFormed, 5000) << "the bytes should be well formed often enough";
}

// The ways the standard names for UTF-8 to be wrong, each refused on its own.
TEST(Utf8, IllFormedBytesAreRefusedAndLeaveNoText)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a slash spelled in two bytes", "\xC0\xAF"},
        {"a slash spelled in three bytes", "\xE0\x80\xAF"},
        {"U+FFFF spelled in four bytes", "\xF0\x8F\xBF\xBF"},
        {"the first high surrogate", "\xED\xA0\x80"},
        {"the last low surrogate", "\xED\xBF\xBF"},
        {"a surrogate pair spelled as two code points", "\xED\xA0\xBD\xED\xB8\x80"},
        {"past U+10FFFF", "\xF4\x90\x80\x80"},
        {"a lead byte that never leads", "\xF5\x80\x80\x80"},
        {"a cut three-byte character", "ab\xE3\x81"},
        {"a cut four-byte character", "\xF0\x9F\x98"},
        {"a stray continuation byte", "a\x80z"},
        {"a zero byte inside", std::string("ab\0cd", 5)},
    };
    for (const auto& c : cases) {
        char16_t text[16] = u"stale";
        EXPECT_FALSE(DecodeUtf8((const unsigned char*)c.bytes.data(), c.bytes.size(), text, 16))
            << c.what;
        EXPECT_EQ(0, text[0]) << c.what;
    }
    char16_t text[16];
    const std::string edges = "\x7F\xC2\x80\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF";
    ASSERT_TRUE(DecodeUtf8((const unsigned char*)edges.data(), edges.size(), text, 16));
    EXPECT_EQ(std::u16string(u"\x7F\x80\xD7FF\xE000\U0010FFFF"), text);
}
