// The resources of the built program as Windows reads them: the icon group "I" with its one
// image, drawn as the picture it should be, and the version information, value by value and in
// order.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr WORD LANGUAGE = 0x0807;
// RT_ICON, RT_GROUP_ICON and RT_VERSION, for the ...W calls.
const wchar_t* const ICON = MAKEINTRESOURCEW(3);
const wchar_t* const GROUP_ICON = MAKEINTRESOURCEW(14);
const wchar_t* const VERSION = MAKEINTRESOURCEW(16);
constexpr int ICON_FILE_IMAGE_OFFSET = 22; // after ICONDIR and its one entry
constexpr DWORD ICON_IMAGE_BYTES = 3240;

class ProgramResources : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        program = LoadLibraryExA(QUANDOR_PROGRAM_FILE, nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() { FreeLibrary(program); }
    void SetUp() override { ASSERT_NE(program, nullptr) << QUANDOR_PROGRAM_FILE; }

    static std::vector<BYTE> resource(const wchar_t* type, const wchar_t* name) {
        const HRSRC found = FindResourceExW(program, type, name, LANGUAGE);
        if (found == nullptr) {
            return {};
        }
        const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(program, found)));
        return {bytes, bytes + SizeofResource(program, found)};
    }

    static HMODULE program;
};
HMODULE ProgramResources::program = nullptr;

std::vector<BYTE> read_file(const char* path) {
    const HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::vector<BYTE> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

WORD word_at(const std::vector<BYTE>& bytes, std::size_t at) {
    return static_cast<WORD>(bytes[at] | bytes[at + 1] << 8);
}

DWORD dword_at(const std::vector<BYTE>& bytes, std::size_t at) {
    return word_at(bytes, at) | static_cast<DWORD>(word_at(bytes, at + 2)) << 16;
}

TEST_F(ProgramResources, IconGroupIHoldsOneImage) {
    const std::vector<BYTE> group = resource(GROUP_ICON, L"I");
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(word_at(group, 0), 0);  // reserved
    EXPECT_EQ(word_at(group, 2), 1);  // icons
    EXPECT_EQ(word_at(group, 4), 1);  // one image
    EXPECT_EQ(group[6], 32);          // width
    EXPECT_EQ(group[7], 32);          // height
    EXPECT_EQ(group[8], 0);           // no palette
    EXPECT_EQ(word_at(group, 10), 1); // planes
    EXPECT_EQ(word_at(group, 12), 24);
    EXPECT_EQ(dword_at(group, 14), ICON_IMAGE_BYTES);
    EXPECT_EQ(word_at(group, 18), 1); // RT_ICON number 1
}

TEST_F(ProgramResources, IconNameMatchesWithoutRegardToCase) {
    EXPECT_NE(FindResourceExW(program, GROUP_ICON, L"i", LANGUAGE), nullptr);
}

TEST_F(ProgramResources, IconImageIsTheGeneratedFile) {
    const std::vector<BYTE> image = resource(ICON, MAKEINTRESOURCEW(1));
    const std::vector<BYTE> file = read_file(QUANDOR_ICON_FILE);
    ASSERT_EQ(file.size(), ICON_FILE_IMAGE_OFFSET + ICON_IMAGE_BYTES) << QUANDOR_ICON_FILE;
    ASSERT_EQ(image.size(), ICON_IMAGE_BYTES);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), file.begin() + ICON_FILE_IMAGE_OFFSET));
}

TEST_F(ProgramResources, IconDrawsAsTheBoardPiece) {
    std::vector<BYTE> image = resource(ICON, MAKEINTRESOURCEW(1));
    ASSERT_EQ(image.size(), ICON_IMAGE_BYTES);
    const HICON icon = CreateIconFromResourceEx(image.data(), ICON_IMAGE_BYTES, TRUE, 0x00030000,
                                                32, 32, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32; // top-down, so pixel (x, y) is at y * 32 + x
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    auto* pixels = static_cast<DWORD*>(bits);
    constexpr DWORD MAGENTA = 0x00FF00FF; // 0x00RRGGBB in a 32-bit DIB
    std::fill(pixels, pixels + 32 * 32, MAGENTA);
    ASSERT_TRUE(DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL));
    GdiFlush();

    auto rgb = [&](int x, int y) { return pixels[y * 32 + x] & 0x00FFFFFF; };
    int see_through = 0;
    for (int i = 0; i < 32 * 32; ++i) {
        see_through += (pixels[i] & 0x00FFFFFF) == MAGENTA;
    }
    EXPECT_EQ(see_through, 0) << "every pixel is opaque";

    constexpr DWORD BOARD = 0x008000, GRID = 0xC0C0C0, DARK = 0x141414, LIGHT = 0xF0F0F0,
                    OUTLINE = 0x000000;
    const struct {
        int x, y;
        DWORD colour;
        const char* what;
    } expected[] = {
        {7, 7, DARK, "top left disc"},
        {24, 7, LIGHT, "top right disc"},
        {7, 24, LIGHT, "bottom left disc"},
        {24, 24, DARK, "bottom right disc"},
        {7, 1, OUTLINE, "top left outline"},
        {1, 24, OUTLINE, "bottom left outline"},
        {0, 0, BOARD, "corner"},
        {31, 31, BOARD, "corner"},
        {15, 3, GRID, "vertical line"},
        {16, 28, GRID, "vertical line"},
        {3, 15, GRID, "horizontal line"},
        {28, 16, GRID, "horizontal line"},
        {15, 16, GRID, "where the lines cross"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(rgb(e.x, e.y), e.colour) << e.what << " at (" << e.x << ", " << e.y << ")";
    }

    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DestroyIcon(icon);
}

// One node of the version information tree.
struct VersionNode {
    std::wstring key;
    WORD type = 0; // 1 text, 0 binary
    std::vector<BYTE> value;
    std::vector<VersionNode> children;
};

std::size_t align4(std::size_t at) {
    return (at + 3) & ~std::size_t{3};
}

// Reads the node at `at`; false when it does not fit in `end`.
bool read_node(const std::vector<BYTE>& bytes, std::size_t at, std::size_t end, VersionNode& node) {
    if (at + 6 > end) {
        return false;
    }
    const std::size_t length = word_at(bytes, at);
    const std::size_t value_length = word_at(bytes, at + 2);
    node.type = word_at(bytes, at + 4);
    const std::size_t node_end = at + length;
    if (length < 6 || node_end > end) {
        return false;
    }
    std::size_t p = at + 6;
    for (; p + 1 < node_end && word_at(bytes, p) != 0; p += 2) {
        node.key.push_back(static_cast<wchar_t>(word_at(bytes, p)));
    }
    p = align4(p + 2);
    const std::size_t value_bytes = node.type == 1 ? value_length * 2 : value_length;
    if (p + value_bytes > node_end) {
        return false;
    }
    node.value.assign(bytes.begin() + p, bytes.begin() + p + value_bytes);
    p = align4(p + value_bytes);
    while (p < node_end) {
        VersionNode child;
        if (!read_node(bytes, p, node_end, child)) {
            return false;
        }
        p = align4(p + word_at(bytes, p));
        node.children.push_back(std::move(child));
    }
    return true;
}

std::wstring text_value(const VersionNode& node) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < node.value.size() && word_at(node.value, i) != 0; i += 2) {
        text.push_back(static_cast<wchar_t>(word_at(node.value, i)));
    }
    return text;
}

TEST_F(ProgramResources, VersionInformation) {
    const std::vector<BYTE> bytes = resource(VERSION, MAKEINTRESOURCEW(1));
    ASSERT_FALSE(bytes.empty());
    VersionNode root;
    ASSERT_TRUE(read_node(bytes, 0, bytes.size(), root));
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");

    ASSERT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, root.value.data(), sizeof(fixed));
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwStrucVersion, 0x10000u);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x10000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x10000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, 0x40004u);
    EXPECT_EQ(fixed.dwFileType, 1u);
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    ASSERT_EQ(root.children.size(), 2u);
    const VersionNode& strings = root.children[0];
    EXPECT_EQ(strings.key, L"StringFileInfo");
    ASSERT_EQ(strings.children.size(), 1u) << "one string table";
    const VersionNode& table = strings.children[0];
    EXPECT_EQ(table.key, L"000004E4");
    std::vector<std::pair<std::wstring, std::wstring>> values;
    for (const VersionNode& value : table.children) {
        EXPECT_EQ(value.type, 1) << "text value " << testing::PrintToString(value.key);
        values.emplace_back(value.key, text_value(value));
    }
    const std::vector<std::pair<std::wstring, std::wstring>> expected = {
        {L"CompanyName", L"Halvex"},
        {L"FileDescription", L"The Quandor (Ombrisk) Game"},
        {L"FileVersion", L"1.0.0.0"},
        {L"InternalName", L"QUANDOR"},
        {L"LegalCopyright", L"Copyright (C) Halvex. All rights reserved."},
        {L"OriginalFilename", L"Quandor.exe"},
        {L"ProductName", L"Quandor (Ombrisk)"},
        {L"ProductVersion", L"1.0.0.0"},
    };
    EXPECT_EQ(values, expected);

    const VersionNode& vars = root.children[1];
    EXPECT_EQ(vars.key, L"VarFileInfo");
    ASSERT_EQ(vars.children.size(), 1u);
    EXPECT_EQ(vars.children[0].key, L"Translation");
    ASSERT_EQ(vars.children[0].value.size(), 4u);
    EXPECT_EQ(word_at(vars.children[0].value, 0), 0x0000); // language
    EXPECT_EQ(word_at(vars.children[0].value, 2), 0x04E4); // code page 1252
}

} // namespace
