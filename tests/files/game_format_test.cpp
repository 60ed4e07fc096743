#include "files/game_format.h"
#include "model/cut_pieces.h"
#include "model/random.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

// A 7 x 5 game in the middle of play: some pieces fixed, some loose, two selected.
class GameFormat : public testing::Test {
protected:
    void SetUp() override
    {
        SeedRandom(2026);
        ResetGameState();
        g_game.header.columns = 7;
        g_game.header.rows = 5;
        CutPieces();
        GameHeader& h = g_game.header;
        h.boardCount = 20;
        h.fixedCount = 6;
        h.selectedCount = 2;
        h.fanSpreadX = 0.0125;
        h.wizardCount = 3;
        for (int i = 0; i < h.boardCount; ++i) {
            g_game.pieces[i].posX = i / 20.0;
            g_game.pieces[i].posY = 1.0 - i / 20.0;
        }
        memset(path, 0, sizeof path);
        // C:\絵\ソフト\cat.jpg in Shift-JIS, as the system's code page gives it: the trail
        // byte of ソ is 0x5C, a backslash, and the path field must keep it as it is.
        strcpy(path, "C:\\\x8A\x47\\\x83\x5C\x83\x74\x83\x67\\cat.jpg");
        Build();
    }
    void Build() { BuildGameFile(path, g_game.header, g_game.pieces, &bytes); }
    GameFileProblem Parse() { return ParseGameFile(bytes.data(), bytes.size(), &loaded); }
    template <typename T> void Put(size_t offset, T value)
    {
        memcpy(&bytes[offset], &value, sizeof value);
    }

    // The loaded game is the one built: its path field, header and records.
    void ExpectTheSameGame()
    {
        EXPECT_EQ(0, memcmp(path, loaded.picturePath, kGamePathSize));
        EXPECT_EQ(0, memcmp(&g_game.header, &loaded.header, sizeof(GameHeader)));
        EXPECT_EQ(0, memcmp(g_game.pieces, loaded.pieces, 35 * sizeof(PieceRecord)));
    }

    char path[kGamePathSize];
    std::vector<unsigned char> bytes;
    LoadedGame loaded;
};

// Every unit zero: no path, and nothing left behind from what the buffer held before.
static bool IsEmpty(const char16_t* path)
{
    for (int i = 0; i < kPathCapacity; ++i)
        if (path[i])
            return false;
    return true;
}

// A block as the program never writes one: any tag, any length, any content.
static std::vector<unsigned char> Block(uint32_t tag, const std::string& content, uint32_t length)
{
    std::vector<unsigned char> block(8 + content.size());
    memcpy(&block[0], &tag, 4);
    memcpy(&block[4], &length, 4);
    memcpy(block.data() + 8, content.data(), content.size());
    return block;
}

static std::vector<unsigned char> Block(uint32_t tag, const std::string& content)
{
    return Block(tag, content, (uint32_t)content.size());
}

static void Append(std::vector<unsigned char>* bytes, const std::vector<unsigned char>& more)
{
    bytes->insert(bytes->end(), more.begin(), more.end());
}

// A path of Korean, a heart and an emoji (a surrogate pair in UTF-16).
static const char16_t kPicture[] = u"C:\\Users\\민지\\사진 ♥\\🐈 고양이.jpg";
// The longest path a block holds, every unit three bytes in UTF-8.
static const std::u16string kLongest(kPathCapacity - 1, u'ソ');

TEST_F(GameFormat, FileIsSignaturePathHeaderAndRecordsAtTheirOffsets)
{
    ASSERT_EQ(320u + 168u * 35u, bytes.size());
    EXPECT_EQ(0, memcmp(bytes.data(), "Quiltra Game3.00", 16));
    EXPECT_STREQ(path, (const char*)&bytes[16]);
    int32_t columns, rows, fixed, selected, board, pieces, wizard;
    double spread;
    memcpy(&columns, &bytes[276], 4);
    memcpy(&rows, &bytes[280], 4);
    memcpy(&fixed, &bytes[284], 4);
    memcpy(&selected, &bytes[288], 4);
    memcpy(&board, &bytes[292], 4);
    memcpy(&pieces, &bytes[296], 4);
    memcpy(&spread, &bytes[300], 8);
    memcpy(&wizard, &bytes[316], 4);
    EXPECT_EQ(7, columns);
    EXPECT_EQ(5, rows);
    EXPECT_EQ(6, fixed);
    EXPECT_EQ(2, selected);
    EXPECT_EQ(20, board);
    EXPECT_EQ(35, pieces);
    EXPECT_EQ(0.0125, spread);
    EXPECT_EQ(3, wizard);
    int32_t column;
    double posX;
    memcpy(&column, &bytes[320 + 168 * 4], 4);
    memcpy(&posX, &bytes[320 + 168 * 4 + 8], 8);
    EXPECT_EQ(g_game.pieces[4].column, column);
    EXPECT_EQ(4 / 20.0, posX);
}

TEST_F(GameFormat, LoadingThenSavingGivesTheSameBytes)
{
    bytes.resize(bytes.size() + 1000, 0xEE);  // after the last record, and no blocks
    memset(&loaded, 0xAB, sizeof loaded);
    ASSERT_EQ(kGameFileOk, Parse());
    EXPECT_TRUE(IsEmpty(loaded.unicodePicturePath));
    EXPECT_TRUE(IsEmpty(loaded.unicodeGamePath));
    ExpectTheSameGame();
    std::vector<unsigned char> again;
    BuildGameFile(loaded.picturePath, loaded.header, loaded.pieces, &again);
    bytes.resize(again.size());
    EXPECT_EQ(bytes, again);
}

// A newer build saves the paths it cannot spell in the code page as blocks after the records.
TEST_F(GameFormat, PathBlocksAfterTheRecordsLoadWithTheSameGame)
{
    const std::vector<unsigned char> records = bytes;
    ASSERT_TRUE(AppendPathBlock(kPicturePathBlock, kPicture, &bytes));
    Append(&bytes, Block('X' | 'T' << 8 | 'R' << 16 | 'A' << 24, "a later build's"));
    ASSERT_TRUE(AppendPathBlock(kGamePathBlock, kLongest.c_str(), &bytes));

    const std::string utf8 = u8"C:\\Users\\민지\\사진 ♥\\🐈 고양이.jpg";
    ASSERT_EQ(records.size() + 8 + utf8.size() + 1 + 8 + 15 + 8 + kLongest.size() * 3 + 1,
              bytes.size());
    EXPECT_TRUE(std::equal(records.begin(), records.end(), bytes.begin()));
    const unsigned char* block = &bytes[records.size()];
    EXPECT_EQ(0, memcmp(block, "PATH", 4));
    EXPECT_EQ(utf8.size() + 1,
              (size_t)(block[4] | block[5] << 8 | block[6] << 16 | block[7] << 24));
    EXPECT_EQ(0, memcmp(block + 8, utf8.c_str(), utf8.size() + 1));
    EXPECT_EQ(0, memcmp(&bytes[bytes.size() - kLongest.size() * 3 - 1 - 8], "GAME", 4));

    memset(&loaded, 0xAB, sizeof loaded);
    ASSERT_EQ(kGameFileOk, Parse());
    ExpectTheSameGame();
    EXPECT_EQ(std::u16string(kPicture), loaded.unicodePicturePath);
    EXPECT_EQ(kLongest, loaded.unicodeGamePath);

    // The loader's buffer holds the largest game with both paths at their longest and every
    // piece in a group: a cell and a key for each.
    std::vector<unsigned char> longest;
    ASSERT_TRUE(AppendPathBlock(kGamePathBlock, kLongest.c_str(), &longest));
    EXPECT_EQ(kGameFileMaxSize, kGameFilePrefixSize + sizeof(PieceRecord) * kMaxPieces +
                                    2 * longest.size() + 8 + 4 * kMaxPieces);
}

// Groups load as they were saved, whole; a block that does not make whole groups of pieces on
// the board is ignored, and the game loads with every piece alone.
TEST_F(GameFormat, GroupsLoadWholeOrNotAtAll)
{
    const GameHeader& h = g_game.header;
    auto cell = [&](int index) { return g_game.pieces[index].column * h.rows + g_game.pieces[index].row; };
    // Two loose groups (entries 6..8 and 9..10) and the selected pair (18, 19) as one.
    int32_t groups[kMaxPieces] = {};
    for (int i : {6, 7, 8})
        groups[cell(i)] = cell(7) + 1;
    for (int i : {9, 10})
        groups[cell(i)] = cell(10) + 1;
    for (int i : {18, 19})
        groups[cell(i)] = cell(18) + 1;
    const std::vector<unsigned char> records = bytes;
    AppendGroupBlock(h, g_game.pieces, groups, &bytes);
    ASSERT_EQ(records.size() + 8 + 4 * 7, bytes.size());
    EXPECT_EQ(0, memcmp(&bytes[records.size()], "JOIN", 4));
    ASSERT_EQ(kGameFileOk, Parse());
    ExpectTheSameGame();
    EXPECT_EQ(0, memcmp(groups, loaded.groupOfCell, sizeof(int32_t) * 35));

    // Each of these makes the block say something no game holds.
    const struct {
        const char* what;
        int index;     // whose group changes
        int32_t group; // to this key + 1
    } broken[] = {
        {"a fixed piece in a group", 2, cell(7) + 1},
        {"a boxed piece in a group", 25, cell(7) + 1},
        {"a group of one", 10, 0},
        {"a key that is no piece of its group", 6, cell(30) + 1},
        {"a group both in and out of the selection", 17, cell(18) + 1},
    };
    for (const auto& change : broken) {
        int32_t damaged[kMaxPieces];
        memcpy(damaged, groups, sizeof damaged);
        damaged[cell(change.index)] = change.group;
        // By hand: the program's writer lists only pieces on the board.
        std::string pairs;
        for (int16_t c = 0; c < 35; ++c) {
            const int16_t key = (int16_t)(damaged[c] - 1);
            if (damaged[c])
                pairs += std::string((const char*)&c, 2) + std::string((const char*)&key, 2);
        }
        bytes = records;
        Append(&bytes, Block(kGroupBlock, pairs));
        ASSERT_EQ(kGameFileOk, Parse()) << change.what;
        ExpectTheSameGame();
        for (int c = 0; c < 35; ++c)
            EXPECT_EQ(0, loaded.groupOfCell[c]) << change.what;
    }
    bytes = records;
    Append(&bytes, Block(kGroupBlock, std::string("\x05\0", 2)));  // cut short of a key
    ASSERT_EQ(kGameFileOk, Parse());
    for (int c = 0; c < 35; ++c)
        EXPECT_EQ(0, loaded.groupOfCell[c]);
}

// A path the program could not load again is not written at all.
TEST_F(GameFormat, APathBlockIsWrittenOnlyForAPathThatReadsBack)
{
    const std::vector<unsigned char> records = bytes;
    const std::u16string tooLong(kPathCapacity, u'a');
    const char16_t unpaired[] = {u'C', u':', 0xD83D, u'x', 0};
    for (const char16_t* refused : {u"", tooLong.c_str(), unpaired}) {
        EXPECT_FALSE(AppendPathBlock(kPicturePathBlock, refused, &bytes));
        EXPECT_EQ(records, bytes);
    }
}

// Bytes after the records that are not blocks (an older build's recovery record, a copy cut
// short), or a path block that holds no path, never cost the player the game: the path
// field still names the picture.
TEST_F(GameFormat, DamagedBlocksAreIgnoredAndTheGameStillLoads)
{
    const std::vector<unsigned char> records = bytes;
    std::vector<unsigned char> gamePath;
    ASSERT_TRUE(AppendPathBlock(kGamePathBlock, u"D:\\遊び\\猫.qlt", &gamePath));
    std::vector<unsigned char> oldRecovery(16 + kGamePathSize, 0);
    memcpy(oldRecovery.data(), "Quiltra Recovery", 16);
    strcpy((char*)&oldRecovery[16], "D:\\\x97\x56\x82\xD1\\\x94\x4C.qlt");  // 遊び, 猫 in Shift-JIS
    const std::string tooLong = std::string(kPathCapacity, 'a') + '\0';
    const struct {
        const char* what;
        std::vector<unsigned char> block;
        bool blocksAreRead;  // else nothing after the records counts as blocks
    } cases[] = {
        {"no terminator", Block(kPicturePathBlock, "C:\\a.jpg"), true},
        {"a zero inside", Block(kPicturePathBlock, std::string("C:\\a\0b.jpg", 10) + '\0'), true},
        {"a byte that is never UTF-8", Block(kPicturePathBlock, std::string("C:\\\xFF.jpg") + '\0'),
         true},
        {"an overlong slash", Block(kPicturePathBlock, std::string("C:\xC0\xAFz.jpg") + '\0'),
         true},
        {"a surrogate spelled alone",
         Block(kPicturePathBlock, std::string("C:\\\xED\xA0\x80.jpg") + '\0'), true},
        {"a character cut short", Block(kPicturePathBlock, std::string("C:\\\xE7\xB5") + '\0'),
         true},
        {"length 0", Block(kPicturePathBlock, ""), true},
        {"only a terminator", Block(kPicturePathBlock, std::string(1, '\0')), true},
        {"kPathCapacity units and a terminator", Block(kPicturePathBlock, tooLong), true},
        {"a length past the end", Block(kPicturePathBlock, std::string("C:\\a.jpg") + '\0', 10),
         false},
        {"a length near 4 GB", Block(kPicturePathBlock, "", 0xFFFFFFF8), false},
        {"a header cut short", std::vector<unsigned char>(7, 'P'), false},
        {"an older build's recovery record", oldRecovery, false},
    };
    for (const auto& c : cases) {
        // The game path's block before the damage, and again after it.
        bytes = records;
        Append(&bytes, gamePath);
        Append(&bytes, c.block);
        if (c.blocksAreRead)
            Append(&bytes, gamePath);
        memset(&loaded, 0xAB, sizeof loaded);
        ASSERT_EQ(kGameFileOk, Parse()) << c.what;
        ExpectTheSameGame();
        EXPECT_TRUE(IsEmpty(loaded.unicodePicturePath)) << c.what;
        if (c.blocksAreRead)
            EXPECT_EQ(std::u16string(u"D:\\遊び\\猫.qlt"), loaded.unicodeGamePath) << c.what;
        else
            EXPECT_TRUE(IsEmpty(loaded.unicodeGamePath)) << c.what;
    }

    // A recovery copy as an older build wrote it: the record right after the records.
    bytes = records;
    Append(&bytes, oldRecovery);
    ASSERT_EQ(kGameFileOk, Parse());
    ExpectTheSameGame();
    EXPECT_TRUE(IsEmpty(loaded.unicodeGamePath));
}

// Of two blocks with one tag, the first that holds a path counts.
TEST_F(GameFormat, TheFirstWellFormedBlockOfATagCounts)
{
    const std::vector<unsigned char> records = bytes;
    for (bool firstIsDamaged : {false, true}) {
        bytes = records;
        if (firstIsDamaged)
            Append(&bytes, Block(kPicturePathBlock, "C:\\cut"));
        ASSERT_TRUE(AppendPathBlock(kPicturePathBlock, u"C:\\first ♥.jpg", &bytes));
        ASSERT_TRUE(AppendPathBlock(kPicturePathBlock, u"C:\\second.jpg", &bytes));
        ASSERT_EQ(kGameFileOk, Parse());
        EXPECT_EQ(std::u16string(u"C:\\first ♥.jpg"), loaded.unicodePicturePath) << firstIsDamaged;
    }
}

// Copies bytes to end right before a page that cannot be read: a read past the last byte
// stops the test at once instead of passing by chance.
static const unsigned char* BeforeAGuardPage(const std::vector<unsigned char>& bytes,
                                             unsigned char* region, size_t regionSize)
{
    unsigned char* at = region + regionSize - bytes.size();
    memcpy(at, bytes.data(), bytes.size());
    return at;
}

// A copy cut short anywhere loads no block it does not hold whole, and never reads past its
// end; cut inside the records, it is no game at all.
TEST_F(GameFormat, AFileCutShortAtAnyLengthLoadsOnlyTheBlocksItHoldsWhole)
{
    const size_t recordsEnd = bytes.size();
    ASSERT_TRUE(AppendPathBlock(kPicturePathBlock, kPicture, &bytes));
    const size_t pictureEnd = bytes.size();
    ASSERT_TRUE(AppendPathBlock(kGamePathBlock, kLongest.c_str(), &bytes));

    const size_t page = (size_t)sysconf(_SC_PAGESIZE);
    const size_t regionSize = (bytes.size() + page - 1) / page * page;
    void* mapped = mmap(nullptr, regionSize + page, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(MAP_FAILED, mapped);
    unsigned char* region = (unsigned char*)mapped;
    ASSERT_EQ(0, mprotect(region + regionSize, page, PROT_NONE));
    const std::vector<unsigned char> whole = bytes;
    for (size_t size = 0; size <= whole.size(); ++size) {
        bytes.assign(whole.begin(), whole.begin() + size);
        GameFileProblem problem =
            ParseGameFile(BeforeAGuardPage(bytes, region, regionSize), size, &loaded);
        if (size < recordsEnd) {
            EXPECT_NE(kGameFileOk, problem) << size;
            continue;
        }
        ASSERT_EQ(kGameFileOk, problem) << size;
        const bool pictureWhole = size == pictureEnd || size == whole.size();
        EXPECT_EQ(pictureWhole ? kPicture : u"", std::u16string(loaded.unicodePicturePath)) << size;
        EXPECT_EQ(size == whole.size() ? kLongest : u"", loaded.unicodeGamePath) << size;
    }
    munmap(mapped, regionSize + page);
}

TEST_F(GameFormat, ShortAndForeignFilesAreRefusedByWhatIsMissing)
{
    std::vector<unsigned char> whole = bytes;
    bytes.assign(whole.begin(), whole.begin() + 15);
    EXPECT_EQ(kGameFileNoSignature, Parse());
    bytes.assign(whole.begin(), whole.begin() + 16);
    EXPECT_EQ(kGameFileNoHeader, Parse());
    bytes.assign(whole.begin(), whole.begin() + 319);
    EXPECT_EQ(kGameFileNoHeader, Parse());
    bytes.assign(whole.begin(), whole.end() - 1);
    EXPECT_EQ(kGameFileNoRecords, Parse());
    for (const char* wrong : {"quiltra Game3.00", "Quiltra Game3.01", "Quiltra Game2.00"}) {
        bytes = whole;
        memcpy(bytes.data(), wrong, 16);
        EXPECT_EQ(kGameFileWrongSignature, Parse()) << wrong;
    }
}

TEST_F(GameFormat, PieceCountsOutsideTheTableAreRefusedBeforeAnyRead)
{
    Put<int32_t>(296, 0);
    EXPECT_EQ(kGameFileNoRecords, Parse());
    for (int32_t count : {10001, -1, INT32_MIN}) {
        Put<int32_t>(296, count);
        EXPECT_EQ(kGameFileBadContent, Parse()) << count;
    }
}

TEST_F(GameFormat, ContentThatCannotBeAGameIsRefused)
{
    std::vector<unsigned char> whole = bytes;
    auto refused = [&](const char* what) {
        EXPECT_EQ(kGameFileBadContent, Parse()) << what;
        bytes = whole;
    };
    memset(&bytes[16], 'a', kGamePathSize);
    refused("path without a zero byte");
    Put<int32_t>(276, 5);
    refused("pieceCount is not columns x rows");
    Put<int32_t>(292, 36);
    refused("more pieces out of the box than there are");
    Put<int32_t>(288, -1);
    refused("negative selection");
    Put<int32_t>(320 + 168 * 3, g_game.pieces[4].column);
    Put<int32_t>(320 + 168 * 3 + 4, g_game.pieces[4].row);
    refused("a piece twice");
    Put<int32_t>(320 + 4, 5);
    refused("a row outside the picture");
    Put<double>(320 + 168 * 2 + 16, NAN);
    refused("a position that is no number");
    Put<int32_t>(320 + 24, 3);
    refused("a tab kind that does not exist");
    Put<double>(300, INFINITY);
    refused("an endless fan");
    Put<double>(320 + 8, -INFINITY);
    refused("a position off every board");
    Put<double>(320 + 24 + 4, -1e300);
    refused("a tab far outside its cell");
    Put<int32_t>(292, INT32_MIN);
    Put<int32_t>(288, 1);
    refused("counts that would overflow");
    EXPECT_EQ(kGameFileOk, Parse());
}

// A Wizard used during a selection fixed selected pieces and left them counted as selected;
// a loose piece far off the board goes back onto it.
TEST_F(GameFormat, PiecesCountedTwiceOrFarOffTheBoardAreMadeShowable)
{
    Put<int32_t>(284, 19);
    Put<double>(320 + 168 * 19 + 8, 1e300);
    Put<double>(320 + 168 * 25 + 16, -5.0);
    ASSERT_EQ(kGameFileOk, Parse());
    EXPECT_EQ(19, loaded.header.fixedCount);
    EXPECT_EQ(1, loaded.header.selectedCount);
    EXPECT_EQ(20, loaded.header.boardCount);
    EXPECT_EQ(1.0, loaded.pieces[19].posX);
    EXPECT_EQ(0.0, loaded.pieces[25].posY);
}

// Square mode can cut 1 x n puzzles; players may have such files.
TEST_F(GameFormat, SplitCountsOutsideTheListsAreAccepted)
{
    ResetGameState();
    g_game.header.columns = 1;
    g_game.header.rows = 7;
    CutPieces();
    Build();
    EXPECT_EQ(kGameFileOk, Parse());
}
