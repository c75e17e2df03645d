// The level file's reader on its own: what it makes of the words before
// the first entry, and of numbers too large for an int.
#include "game/level_file/map_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

namespace {

// Editors that start every UTF-8 file with a byte-order mark must not cost
// the map its first word; a mark anywhere else is an ordinary stray word.
TEST(MapReaderTest, AByteOrderMarkBeforeTheFirstWordIsSkipped) {
    const struct {
        const char* text;
        int sizeLine;
        size_t skipped;
        int firstSkippedIndex;  // the words are counted from the first after the mark
    } cases[] = {{"\xEF\xBB\xBF" "mapsize 2 3\n", 1, 0, 0},
                 {"\xEF\xBB\xBF\nmapsize 2 3\n", 2, 0, 0},
                 {"\xEF\xBB\xBF \xEF\xBB\xBF mapsize 2 3\n", 1, 1, 0},
                 {"mapsize 2 3 \xEF\xBB\xBF" "blocksize 3\n", 1, 2, 3}};
    for (const auto& c : cases) {
        std::istringstream in(c.text);
        const MapDescription map = ReadMap(in);
        ASSERT_FALSE(map.entries.empty()) << c.text;
        const auto* size = std::get_if<MapSize>(&map.entries[0]);
        ASSERT_NE(size, nullptr) << c.text;
        EXPECT_EQ(size->rows, 2);
        EXPECT_EQ(size->columns, 3);
        EXPECT_EQ(size->line, c.sizeLine) << c.text;
        EXPECT_EQ(map.skipped.size(), c.skipped) << c.text;
        if (!map.skipped.empty()) {
            EXPECT_EQ(map.skipped[0].index, c.firstSkippedIndex) << c.text;
        }
    }
}

TEST(MapNumberTest, ReadsLikeAtoiButHeldToTheIntRangeAndSaysWhenItWasCut) {
    const struct {
        const char* token;
        int value;
        bool fits;
    } cases[] = {{"12", 12, true},
                 {"12ab", 12, true},
                 {"-7", -7, true},
                 {"+5", 5, true},
                 {"ab", 0, true},
                 {"", 0, true},
                 {"-", 0, true},
                 {"2147483647", INT_MAX, true},
                 {"2147483648", INT_MAX, false},
                 {"99999999999999999999", INT_MAX, false},
                 {"-2147483648", INT_MIN, true},
                 {"-2147483649", INT_MIN, false},
                 {"-99999999999999999999", INT_MIN, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(MapNumber(c.token), c.value) << c.token;
        EXPECT_EQ(FitsInInt(c.token), c.fits) << c.token;
    }
}

}  // namespace
