// Bitmap resources: registration, FindResourceA / LoadResource / LockResource / SizeofResource, LoadBitmapA.
#include <testing/Testing.h>
#include <win32/modules.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The picture every test bitmap holds, 3 x 2 so that rows need padding: top row red, green, blue; bottom row
// white, black, red.
const COLORREF Picture[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 0, 0)}};
const COLORREF Palette[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255), RGB(0, 0, 0)};

template <class T>
void Put(std::vector<BYTE>& out, T value) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

int PaletteIndex(COLORREF colour) {
    for (int i = 0; i < 5; ++i) {
        if (Palette[i] == colour) return i;
    }
    return 0;
}

// A BMP file of the picture, bottom-up, at 4, 8, 24 or 32 bits per pixel.
std::vector<BYTE> MakeBmp(int bits) {
    const int width = 3, height = 2;
    int stride = ((width * bits + 31) / 32) * 4;
    int colours = bits <= 8 ? 5 : 0;
    std::vector<BYTE> out;
    DWORD offBits = 14 + 40 + colours * 4;
    out.push_back('B');
    out.push_back('M');
    Put<DWORD>(out, offBits + stride * height);
    Put<DWORD>(out, 0);
    Put<DWORD>(out, offBits);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    header.biCompression = BI_RGB;
    header.biClrUsed = colours;
    Put(out, header);
    for (int i = 0; i < colours; ++i) {
        Put<BYTE>(out, GetBValue(Palette[i]));
        Put<BYTE>(out, GetGValue(Palette[i]));
        Put<BYTE>(out, GetRValue(Palette[i]));
        Put<BYTE>(out, 0);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<BYTE> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            COLORREF c = Picture[y][x];
            switch (bits) {
            case 4: row[x / 2] |= static_cast<BYTE>(PaletteIndex(c) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = static_cast<BYTE>(PaletteIndex(c)); break;
            default: {
                BYTE* at = row.data() + x * (bits / 8);
                at[0] = GetBValue(c);
                at[1] = GetGValue(c);
                at[2] = GetRValue(c);
            }
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void ExpectPicture(HBITMAP bitmap, int bits) {
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(GetPixel(memory, x, y), Picture[y][x]) << bits << " bits at " << x << "," << y;
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
}

TEST(Resources, BitmapsOfEveryDepthRoundTrip) {
    HMODULE program = GetModuleHandleA(nullptr);
    for (int bits : {4, 8, 24, 32}) {
        std::vector<BYTE> file = MakeBmp(bits);
        std::string name = "Depth" + std::to_string(bits);
        ASSERT_TRUE(win32::RegisterBitmapResource(program, name.c_str(), file.data(), file.size()));

        // Names match without regard to case; NULL is the program's module.
        HRSRC found = FindResourceA(nullptr, ("DEPTH" + std::to_string(bits)).c_str(), RT_BITMAP);
        ASSERT_NE(found, nullptr) << bits;
        HGLOBAL loaded = LoadResource(program, found);
        auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(loaded));
        ASSERT_NE(header, nullptr);
        // The resource is the file without its BITMAPFILEHEADER.
        EXPECT_EQ(SizeofResource(program, found), file.size() - 14);
        EXPECT_EQ(std::memcmp(header, file.data() + 14, file.size() - 14), 0);
        EXPECT_EQ(header->biSize, 40u);
        EXPECT_EQ(header->biBitCount, bits);

        HBITMAP bitmap = LoadBitmapA(program, name.c_str());
        ASSERT_NE(bitmap, nullptr) << bits;
        ExpectPicture(bitmap, bits);
        DeleteObject(bitmap);
    }
}

TEST(Resources, NumericNamesAndDataFileHandles) {
    std::vector<BYTE> file = MakeBmp(24);
    HMODULE program = GetModuleHandleA(nullptr);
    ASSERT_TRUE(win32::RegisterBitmapResource(program, MAKEINTRESOURCEA(101), file.data(), file.size()));
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    HMODULE data = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(data, nullptr);
    HRSRC byId = FindResourceA(data, MAKEINTRESOURCEA(101), RT_BITMAP);
    EXPECT_NE(byId, nullptr);
    EXPECT_EQ(FindResourceA(data, "#101", RT_BITMAP), byId);
    HBITMAP bitmap = LoadBitmapA(data, MAKEINTRESOURCEA(101));
    ASSERT_NE(bitmap, nullptr);
    ExpectPicture(bitmap, 24);
    DeleteObject(bitmap);
    FreeLibrary(data);
    // Registration by the module's file name reaches the same module.
    ASSERT_TRUE(win32::RegisterBitmapResource(path, "ByPath", file.data(), file.size()));
    EXPECT_NE(FindResourceA(program, "bypath", RT_BITMAP), nullptr);
}

TEST(Resources, WhatIsNotThereFailsAsWindowsFails) {
    std::vector<BYTE> file = MakeBmp(8);
    HMODULE program = GetModuleHandleA(nullptr);
    ASSERT_TRUE(win32::RegisterBitmapResource(program, "Present", file.data(), file.size()));
    struct Case {
        HMODULE module;
        LPCSTR name;
        LPCSTR type;
        DWORD error;
    } cases[] = {
        {program, "Absent", RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
        {program, "Present", RT_RCDATA, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {GetModuleHandleA("user32.dll"), "Present", RT_BITMAP, ERROR_RESOURCE_DATA_NOT_FOUND},
        {reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x4321)), "Present", RT_BITMAP, ERROR_INVALID_HANDLE},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(FindResourceA(c.module, c.name, c.type), nullptr) << c.error;
        EXPECT_EQ(GetLastError(), c.error);
        SetLastError(0);
        if (c.type == RT_BITMAP) {
            EXPECT_EQ(LoadBitmapA(c.module, c.name), nullptr);
            EXPECT_EQ(GetLastError(), c.error);
        }
    }
    SetLastError(0);
    EXPECT_EQ(SizeofResource(program, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    // Bytes that are no bitmap are refused at registration.
    const BYTE junk[60] = {'B', 'M'};
    SetLastError(0);
    EXPECT_FALSE(win32::RegisterBitmapResource(program, "Junk", junk, sizeof junk));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    // The system bitmap is still there without a module.
    HBITMAP checkBoxes = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECKBOXES));
    ASSERT_NE(checkBoxes, nullptr);
    DeleteObject(checkBoxes);
}

}  // namespace
