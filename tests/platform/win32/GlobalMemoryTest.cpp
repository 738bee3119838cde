// GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree and GlobalSize: fixed and moveable blocks, lock counts and
// the errors a stale or foreign handle gets.
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(GlobalMemory, FixedBlockHandleIsItsAddress) {
    HGLOBAL block = GlobalAlloc(GPTR, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalSize(block), 16u);
    const unsigned char zeros[16] = {};
    EXPECT_EQ(std::memcmp(block, zeros, sizeof(zeros)), 0);
    // Fixed memory has no lock count: unlocking always answers TRUE.
    EXPECT_TRUE(GlobalUnlock(block));
    EXPECT_TRUE(GlobalUnlock(block));
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, MoveableBlockCountsLocks) {
    HGLOBAL block = GlobalAlloc(GHND, 8);
    ASSERT_NE(block, nullptr);
    auto* first = static_cast<char*>(GlobalLock(block));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(static_cast<void*>(first), block) << "a moveable handle is not the address";
    EXPECT_EQ(first[7], 0) << "GMEM_ZEROINIT";
    std::strcpy(first, "abc");
    auto* second = static_cast<char*>(GlobalLock(block));
    EXPECT_EQ(second, first);

    EXPECT_TRUE(GlobalUnlock(block)) << "still locked once";
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR)) << "the last unlock reports success through the error";
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));

    EXPECT_STREQ(static_cast<char*>(GlobalLock(block)), "abc") << "contents survive unlocking";
    EXPECT_EQ(GlobalFree(block), nullptr) << "a locked block is freed too";
}

TEST(GlobalMemory, EmptyMoveableBlockIsDiscarded) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISCARDED));
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, FreedAndForeignHandlesFail) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_EQ(GlobalFree(block), nullptr);
    int notABlock = 0;
    for (HGLOBAL handle : {block, static_cast<HGLOBAL>(&notABlock)}) {
        SetLastError(0);
        EXPECT_EQ(GlobalSize(handle), 0u);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(0);
        EXPECT_EQ(GlobalLock(handle), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(0);
        EXPECT_FALSE(GlobalUnlock(handle));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(0);
        EXPECT_EQ(GlobalFree(handle), handle) << "a failed free hands the handle back";
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST(GlobalMemory, UnknownFlagsAreRefused) {
    SetLastError(0);
    EXPECT_EQ(GlobalAlloc(0x0100 /* GMEM_DISCARDABLE */, 4), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    HGLOBAL shared = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, 4);
    EXPECT_NE(shared, nullptr) << "GMEM_DDESHARE is accepted, as the clipboard's writers pass it";
    GlobalFree(shared);
}

}  // namespace
