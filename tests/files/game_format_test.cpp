#include "files/game_format.h"
#include "model/cut_pieces.h"
#include "model/random.h"
#include <cmath>
#include <gtest/gtest.h>
#include <string.h>

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
        strcpy(path, "C:\\絵\\ソフト\\cat.jpg");
        Build();
    }
    void Build() { BuildGameFile(path, g_game.header, g_game.pieces, &bytes); }
    GameFileProblem Parse() { return ParseGameFile(bytes.data(), bytes.size(), &loaded); }
    template <typename T> void Put(size_t offset, T value)
    {
        memcpy(&bytes[offset], &value, sizeof value);
    }

    char path[kGamePathSize];
    std::vector<unsigned char> bytes;
    LoadedGame loaded;
};

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
    bytes.resize(bytes.size() + 1000, 0xEE);  // anything after the last record is ignored
    ASSERT_EQ(kGameFileOk, Parse());
    EXPECT_EQ(0, memcmp(path, loaded.picturePath, kGamePathSize));
    EXPECT_EQ(0, memcmp(&g_game.header, &loaded.header, sizeof(GameHeader)));
    EXPECT_EQ(0, memcmp(g_game.pieces, loaded.pieces, 35 * sizeof(PieceRecord)));
    std::vector<unsigned char> again;
    BuildGameFile(loaded.picturePath, loaded.header, loaded.pieces, &again);
    bytes.resize(again.size());
    EXPECT_EQ(bytes, again);
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
