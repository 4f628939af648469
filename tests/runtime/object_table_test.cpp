#include <gtest/gtest.h>

#include <vector>

#include "runtime/object_table.h"

using namespace kv;

namespace {

struct Thing {
  int value = 0;
};

struct Fixture : ::testing::Test {
  std::vector<int> released;
  ObjectTable<Thing> table{16, [this](int n) { released.push_back(n); }};
};

}  // namespace

TEST_F(Fixture, FixedNumbersGrowTheSlotArrayByTheStep) {
  int n = 0;
  EXPECT_EQ(table.SlotCount(), 16u);
  table.Create(40, &n)->value = 7;
  EXPECT_EQ(n, 40);
  EXPECT_EQ(table.SlotCount(), 56u);
  ASSERT_NE(table.Find(40), nullptr);
  EXPECT_EQ(table.Find(40)->value, 7);
  EXPECT_EQ(table.Find(39), nullptr);
  EXPECT_EQ(table.Find(1000), nullptr);
}

TEST_F(Fixture, CreatingAtANumberInUseReleasesTheOldObject) {
  int n = 0;
  table.Create(3, &n)->value = 1;
  Thing& fresh = *table.Create(3, &n);
  EXPECT_EQ(released, std::vector<int>{3});
  EXPECT_EQ(fresh.value, 0);
  EXPECT_EQ(table.Find(3), &fresh);
}

TEST_F(Fixture, AnyNumbersNeverCollideWithFixedOnes) {
  int a = 0, b = 0, n = 0;
  table.Create(KV_Any, &a);
  table.Create(KV_Any, &b);
  EXPECT_NE(a, b);
  for (int number : {a, b}) {
    EXPECT_NE(number, -1);
    EXPECT_GE(number, ObjectTable<Thing>::kFirstDynamic);
  }
  // Numbers a fixed object can never take are refused rather than allocating
  // a slot array of that length.
  EXPECT_EQ(table.Create(a, &n), nullptr);
  EXPECT_EQ(table.Create(-2, &n), nullptr);
  EXPECT_EQ(table.Create(ObjectTable<Thing>::kMaxFixed + 1, &n), nullptr);
  EXPECT_NE(table.Create(1000, &n), nullptr);
  EXPECT_TRUE(table.Contains(a));
  table.Free(a);
  EXPECT_FALSE(table.Contains(a));
  EXPECT_TRUE(table.Contains(b));
}

TEST_F(Fixture, FreeOneOrEveryObject) {
  int n = 0;
  table.Create(1, &n);
  table.Create(2, &n);
  int any = 0;
  table.Create(KV_Any, &any);
  table.Free(5);  // not there: nothing happens
  EXPECT_TRUE(released.empty());
  table.Free(1);
  EXPECT_EQ(released, std::vector<int>{1});
  table.Free(KV_Any);
  EXPECT_EQ(released, (std::vector<int>{1, 2, any}));
  EXPECT_TRUE(table.Numbers().empty());
  EXPECT_EQ(table.SlotCount(), 16u);
}
