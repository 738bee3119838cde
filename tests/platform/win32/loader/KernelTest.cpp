// GetVersionExA's size rule and critical sections.
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

TEST(Version, SizeMustBeOneOfTheTwoRecords) {
    OSVERSIONINFOA plain{};
    plain.dwOSVersionInfoSize = sizeof plain;
    ASSERT_TRUE(GetVersionExA(&plain));
    EXPECT_EQ(plain.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(plain.dwMajorVersion, 5u);
    EXPECT_EQ(plain.dwOSVersionInfoSize, 148u);

    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&extended)));
    EXPECT_EQ(extended.dwMajorVersion, plain.dwMajorVersion);
    EXPECT_EQ(extended.wProductType, VER_NT_WORKSTATION);

    for (DWORD size : {DWORD{0}, DWORD{147}, DWORD{149}, DWORD{155}, DWORD{157}}) {
        OSVERSIONINFOEXA wrong{};
        std::memset(&wrong, 0xAB, sizeof wrong);
        wrong.dwOSVersionInfoSize = size;
        SetLastError(0);
        EXPECT_FALSE(GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&wrong))) << size;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        EXPECT_EQ(wrong.dwMajorVersion, 0xABABABABu) << "nothing written";
    }
}

TEST(CriticalSection, EnteredRecursivelyAndExcludesOtherThreads) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section)) << "the owner enters again";
    EXPECT_EQ(section.RecursionCount, 3);

    auto otherThreadEnters = [&section] {
        std::atomic<bool> entered{false};
        std::thread other([&] {
            if (TryEnterCriticalSection(&section)) {
                entered = true;
                LeaveCriticalSection(&section);
            }
        });
        other.join();
        return entered.load();
    };
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    EXPECT_FALSE(otherThreadEnters()) << "still held once";
    LeaveCriticalSection(&section);
    EXPECT_EQ(section.OwningThread, nullptr);
    EXPECT_TRUE(otherThreadEnters());

    // A waiting thread gets in once the owner leaves.
    EnterCriticalSection(&section);
    std::atomic<int> stage{0};
    std::thread waiter([&] {
        EnterCriticalSection(&section);
        stage = 2;
        LeaveCriticalSection(&section);
    });
    stage = 1;
    LeaveCriticalSection(&section);
    waiter.join();
    EXPECT_EQ(stage.load(), 2);
    DeleteCriticalSection(&section);
}

}  // namespace
