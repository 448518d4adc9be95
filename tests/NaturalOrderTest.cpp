#include <gtest/gtest.h>

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
