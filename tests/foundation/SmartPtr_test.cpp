// Counted pointers and optional values.
#include "foundation/glo/GLO_Optional.h"
#include "foundation/glo/GLO_RefCounter.h"
#include "foundation/glo/GLO_SmartPtr.h"

#include "tests/foundation/RaisePoint.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Counted_t : public glo::RefCounter_t {
public:
    explicit Counted_t(int& deleted) : deleted(deleted) {}
    ~Counted_t() override { ++deleted; }

private:
    int& deleted;
};

} // namespace

TEST(SmartPtr, TheLastPointerDeletes)
{
    int deleted = 0;
    auto* target = new Counted_t(deleted);
    EXPECT_EQ(0, target->GetCount());
    {
        glo::SmartPtr_t<Counted_t> first(target);
        EXPECT_EQ(1, target->GetCount());
        {
            glo::SmartPtr_t<Counted_t> second(first);
            EXPECT_EQ(2, target->GetCount());
            EXPECT_EQ(target, second.Get());
        }
        EXPECT_EQ(1, target->GetCount());
        EXPECT_EQ(0, deleted);
    }
    EXPECT_EQ(1, deleted);
}

TEST(SmartPtr, AssignmentReleasesTheOldTarget)
{
    int deletedA = 0;
    int deletedB = 0;
    glo::SmartPtr_t<Counted_t> a(new Counted_t(deletedA));
    glo::SmartPtr_t<Counted_t> b(new Counted_t(deletedB));
    a = a;
    EXPECT_EQ(1, a->GetCount());
    a = b;
    EXPECT_EQ(1, deletedA);
    EXPECT_EQ(2, b->GetCount());
    a = glo::SmartPtr_t<Counted_t>();
    EXPECT_EQ(nullptr, a.Get());
    EXPECT_EQ(1, b->GetCount());
    EXPECT_EQ(0, deletedB);
}

TEST(Optional, HoldsACopyOrNothing)
{
    glo::Optional_t<std::string> empty;
    EXPECT_FALSE(empty.HasValue());
    ExpectRaise<glo::Assert_t>([&] { empty.Get(); }, "GLO_Optional", 102);

    glo::Optional_t<std::string> held("text");
    EXPECT_EQ("text", held.Get());
    held.Set("other");
    EXPECT_EQ("other", held.Get());

    glo::Optional_t<std::string> copy(held);
    held.Reset();
    EXPECT_FALSE(held.HasValue());
    EXPECT_EQ("other", copy.Get());

    copy = copy;
    EXPECT_EQ("other", copy.Get());
    held = copy;
    EXPECT_EQ("other", held.Get());
    copy = empty;
    EXPECT_FALSE(copy.HasValue());
    empty.Set("late");
    EXPECT_EQ("late", empty.Get());
}
