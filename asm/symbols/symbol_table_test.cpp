#include "symbol_table.h"

#include <gtest/gtest.h>

namespace tasm {
namespace {

TEST(HashName, MatchesTheDocumentedExamples) {
    EXPECT_EQ(STable::hashName("A"), 65);
    EXPECT_EQ(STable::hashName("A") % 101, 65);
    EXPECT_EQ(STable::hashName("ACC"), 449);
    EXPECT_EQ(STable::hashName("ACC") % 101, 45);
    EXPECT_EQ(STable::hashName("MOV"), 508);
    EXPECT_EQ(STable::hashName("MOV") % 29, 15);
    EXPECT_EQ(STable::hashName(""), 0);
}

TEST(HashName, TakesHighBytesAsNegative) {
    // 0xC1 sign-extends to FFFFFFC1h: the low 16 bits are FFC1h.
    EXPECT_EQ(STable::hashName("\xC1"), 0xFFC1);
    EXPECT_EQ(STable::hashName("A\xC1"), ((65 << 1) ^ 0xFFFFFFC1U) & 0xFFFF);
}

TEST(STable, LookupIsExactAndCaseSensitive) {
    Table t(101);
    EXPECT_EQ(t.insert(new SymbVal("LOOP", 1, K_ADDR)), nullptr);
    EXPECT_EQ(t.insert(new SymbVal("loop", 2, K_ADDR)), nullptr);
    auto* upper = static_cast<SymbVal*>(t.lookup("LOOP"));
    auto* lower = static_cast<SymbVal*>(t.lookup("loop"));
    ASSERT_NE(upper, nullptr);
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(upper->value, 1);
    EXPECT_EQ(lower->value, 2);
    EXPECT_EQ(t.lookup("Loop"), nullptr);
    EXPECT_EQ(t.lookup("LOO"), nullptr);
    EXPECT_EQ(t.lookup("LOOPS"), nullptr);
}

TEST(STable, DuplicateInsertReturnsTheExistingEntryAndChangesNothing) {
    Table t(1); // one bucket: every name shares a chain
    auto* first = new SymbVal("X", 1, K_ADDR);
    ASSERT_EQ(t.insert(first), nullptr);
    ASSERT_EQ(t.insert(new SymbVal("Y", 2, K_ADDR)), nullptr);
    auto* second = new SymbVal("X", 7, K_CONST);
    EXPECT_EQ(t.insert(second), first);
    delete second;
    EXPECT_EQ(static_cast<SymbVal*>(t.lookup("X"))->value, 1);
    // Newest first within a chain.
    EXPECT_STREQ(t.bucket(0)->name(), "Y");
}

TEST(STable, ClearEmptiesEveryBucket) {
    Table t(7);
    for (const char* name : {"ACC", "B", "P1", "SP", "R", "LOOP"}) {
        t.insert(new SymbVal(name, 0, K_REG));
    }
    t.clear();
    for (int i = 0; i < t.bucketCount(); ++i) {
        EXPECT_EQ(t.bucket(i), nullptr);
    }
    EXPECT_EQ(t.lookup("ACC"), nullptr);
}

} // namespace
} // namespace tasm
