#include <gtest/gtest.h>
#include <windows.h>

#include "ObjectError.h"
#include "ProcessDriver.h"
#include "ResourcePictures.h"

namespace {

TEST(ResourcePictures, EveryIconOfTheSetLoads) {
    for (int id : {1, 101, 102, 103, 105, 106, 107, 108, 109, 110, 111, 112, 113}) {
        HICON icon = LoadResIcon(id);
        EXPECT_NE(icon, nullptr) << "icon " << id;
        DestroyIcon(icon);
    }
    for (int id : {2, 100, 104, 114}) {
        EXPECT_THROW(LoadResIcon(id), ObjectError) << "icon " << id;
    }
}

TEST(ResourcePictures, WizardBitmapIs120By290InTrueColour) {
    HBITMAP bitmap = LoadResBitmap(107);
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 120);
    EXPECT_EQ(info.bmHeight, 290);
    EXPECT_EQ(info.bmBitsPixel, 24);
    DeleteObject(bitmap);
    EXPECT_THROW(LoadResBitmap(108), ObjectError);
}

TEST(ResourcePictures, LogoIsA150By50Gif89a) {
    const std::string gif = LoadResBytes("GIF", "TESSAVANE-ANTI-SPAM");
    ASSERT_GE(gif.size(), 10u);
    EXPECT_EQ(gif.substr(0, 6), "GIF89a");
    auto word = [&](size_t at) {
        return static_cast<unsigned char>(gif[at]) | static_cast<unsigned char>(gif[at + 1]) << 8;
    };
    EXPECT_EQ(word(6), 150);
    EXPECT_EQ(word(8), 50);
    EXPECT_THROW(LoadResBytes("GIF", "NO-SUCH-LOGO"), ObjectError);
}

// Each program carries its own copy of the table; only the console's product
// caption is the short one.
TEST(ResourcePictures, EachProgramCarriesItsOwnProductCaption) {
    struct Case {
        const char* program;
        const char* caption;
    };
    const Case cases[] = {
        {"Admin.exe", "Brindlecote Varnholt"},
        {"Pelwarden.exe", "Brindlecote Varnholt Desktop Client"},
        {"Wizard.exe", "Brindlecote Varnholt Desktop Client"},
    };
    for (const Case& c : cases) {
        HMODULE module = LoadLibraryExA(DistPath(c.program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << c.program;
        char text[256] = "";
        LoadStringA(module, 101, text, sizeof text);
        EXPECT_STREQ(text, c.caption) << c.program;
        char other[256] = "";
        LoadStringA(module, 1613, other, sizeof other);
        EXPECT_STREQ(other, "kp,Korea,Democratic People's Republic") << c.program;
        FreeLibrary(module);
    }
}

}  // namespace
