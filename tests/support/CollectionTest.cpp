#include "support/Collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Collection, KeepsAdditionOrderAndReadsFromOne) {
    Collection c;
    EXPECT_TRUE(c.Add(L"b", L"k2"));
    EXPECT_TRUE(c.Add(L"a", L"k1"));
    EXPECT_TRUE(c.Add(L"c", L"k3"));
    ASSERT_EQ(c.Count(), 3u);
    EXPECT_EQ(c.Item(1), L"b");
    EXPECT_EQ(c.Item(3), L"c");
    EXPECT_THROW(c.Item(0), std::out_of_range);
    EXPECT_THROW(c.Item(4), std::out_of_range);
}

TEST(Collection, RefusesAKeyPresentInAnyLetterCase) {
    Collection c;
    ASSERT_TRUE(c.Add(L"first", L"C:\\Office\\WinWord.exe"));
    EXPECT_FALSE(c.Add(L"second", L"c:\\office\\WINWORD.EXE"));
    EXPECT_FALSE(c.Add(L"third", L"C:\\Office\\WinWord.exe"));
    // Letters beyond ASCII fold too.
    ASSERT_TRUE(c.Add(L"x", L"\u00c4rger"));
    EXPECT_FALSE(c.Add(L"y", L"\u00e4RGER"));
    ASSERT_EQ(c.Count(), 2u);
    EXPECT_EQ(c.Item(1), L"first");
    EXPECT_TRUE(c.ContainsKey(L"C:\\OFFICE\\winword.exe"));
    EXPECT_FALSE(c.ContainsKey(L"C:\\Office\\WinWord.ex"));
    // Distinct keys may hold equal values.
    EXPECT_TRUE(c.Add(L"first", L"other key"));
}

TEST(Collection, ItemsThatAreTheirOwnKeysShareTheKeysWithSeparateOnes) {
    Collection c;
    ASSERT_TRUE(c.Add(L"C:\\Configs\\Letter.cfg"));
    EXPECT_FALSE(c.Add(L"other", L"c:\\configs\\LETTER.CFG"));
    ASSERT_TRUE(c.Add(L"value", L"Memo"));
    EXPECT_FALSE(c.Add(L"MEMO"));
    EXPECT_TRUE(c.Add(L"value"));
    EXPECT_EQ((std::vector<std::wstring>{c.begin(), c.end()}),
              (std::vector<std::wstring>{L"C:\\Configs\\Letter.cfg", L"value", L"value"}));
}

TEST(Collection, StaysUniqueAndInOrderWhileGrowing) {
    const auto path = [](int i) { return L"C:\\Configs\\Config " + std::to_wstring(i) + L".cfg"; };
    Collection c;
    EXPECT_FALSE(c.ContainsKey(L"anything"));
    for (int i = 0; i < 5000; ++i)
        ASSERT_TRUE(c.Add(path(i))) << i;
    for (int i = 0; i < 5000; i += 7)
        EXPECT_FALSE(c.Add(L"c:\\CONFIGS\\config " + std::to_wstring(i) + L".CFG")) << i;
    ASSERT_EQ(c.Count(), 5000u);
    for (int i = 0; i < 5000; i += 499)
        EXPECT_EQ(c.Item(static_cast<size_t>(i) + 1), path(i));
    EXPECT_TRUE(c.ContainsKey(L"c:\\configs\\CONFIG 4999.cfg"));
    EXPECT_FALSE(c.ContainsKey(path(5000)));
}
