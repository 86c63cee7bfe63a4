// Fixed-size zero-filled arrays.
#include "foundation/glo/GLO_Array.h"

#include <gtest/gtest.h>

TEST(Array, StartsZeroFilled)
{
    glo::Array_t<char> text(5);
    EXPECT_EQ(5u, text.GetCount());
    for (std::size_t i = 0; i < text.GetCount(); ++i)
        EXPECT_EQ('\0', text[i]);
    text[0] = 'x';
    EXPECT_STREQ("x", text.Get());

    glo::Array_t<unsigned short> wide(3);
    EXPECT_EQ(0, wide[2]);
}

TEST(Array, OfNothingHoldsNoStorage)
{
    const glo::Array_t<char> none(0);
    EXPECT_EQ(0u, none.GetCount());
    EXPECT_EQ(nullptr, none.Get());
}
