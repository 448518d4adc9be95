#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/NaturalOrder.h"

TEST(NaturalOrder, OrdersAsAFileManagerDoes)
{
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {
        {"IMG_2.jpg", "IMG_10.jpg"},      // digits by value
        {"a.jpg", "B.jpg"},               // letter case ignored
        {"B.jpg", "b.jpg"},               // ... but distinct names never tie: byte order decides
        {"img_01.jpg", "img_1.jpg"},      // leading zeros: equal value, byte order
        {"IMG_9.jpg", "IMG_0010.jpg"},
        {"p.jpg", "p1.jpg"},              // a prefix first
        {"Élan.jpg", "élan2.jpg"},        // UTF-8 letters fold too
        {"z.jpg", "\xff.jpg"},            // a malformed byte sorts after the letters, without failing
        {"DSC_99999999999999999999.jpg", "DSC_100000000000000000000.jpg"},  // runs longer than any integer
    };
    for (const Case& c : cases) {
        EXPECT_LT(NaturalCompare(c.before, c.after), 0) << c.before << " < " << c.after;
        EXPECT_GT(NaturalCompare(c.after, c.before), 0) << c.after << " > " << c.before;
    }
    EXPECT_EQ(NaturalCompare("same.jpg", "same.jpg"), 0);
}

// Sorting by key must give the same order as comparing names: every pair of a set of awkward names.
TEST(NaturalOrder, SortKeysOrderAsTheComparisonDoes)
{
    const std::string longRun(300, '7');
    const std::vector<std::string> names = {
        "", "0", "00", "a", "A", "a0", "a00", "a1", "a01", "a9", "a10", "a.jpg", "a-1.jpg", "a 1.jpg", "a/1",
        "A10b", "a10B", "a10", "a10.jpg", "IMG_2.JPG", "img_10.jpg", "IMG_0010.jpg", "DSC_99999999999999999999.jpg",
        "DSC_100000000000000000000.jpg", "x" + longRun, "x" + longRun.substr(1) + "8", "x" + longRun + "1",
        "Élan.jpg", "élan2.jpg", "elan.jpg", "zebra.jpg", "\xff.jpg", "\xc3.jpg", "\xc3\xa9", "\xf0\x9f\x93\xb7 1.jpg",
        "\xf0\x9f\x93\xb7 01.jpg", "9lives", "~x", "_x", "[x", "K", "\xe2\x84\xaa",  // the Kelvin sign folds to k
    };
    auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const std::string& a : names)
        for (const std::string& b : names) {
            const int byKey = sign(NaturalSortKey(a).compare(NaturalSortKey(b)));
            const int expected = sign(NaturalCompare(a, b));
            EXPECT_EQ(byKey != 0 ? byKey : sign(a.compare(b)), expected) << '"' << a << "\" vs \"" << b << '"';
        }
}
