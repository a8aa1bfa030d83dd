// JPEG decoding with the static libjpeg build.
#include "Picture.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(DecodeJpeg, DecodesIntoATopDownBitmap) {
    // A 4 x 2 picture: red top row, blue bottom row.
    const std::string jpeg = ReadTextFile(TestProgramFolder() + "\\red-over-blue.jpg");
    ASSERT_FALSE(jpeg.empty());
    HBITMAP bitmap = DecodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 4);
    EXPECT_EQ(dib.dsBm.bmHeight, 2);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    const auto* bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
    const int stride = dib.dsBm.bmWidthBytes;
    // Blue, green, red byte order; first row first.
    EXPECT_LT(bits[0], 60);
    EXPECT_GT(bits[2], 200);
    EXPECT_GT(bits[stride + 0], 200);
    EXPECT_LT(bits[stride + 2], 60);
    DeleteObject(bitmap);
}

TEST(DecodeJpeg, RejectsWhatIsNoJpeg) {
    const char garbage[] = "not a picture at all";
    EXPECT_EQ(DecodeJpeg(garbage, sizeof garbage), nullptr);
    EXPECT_EQ(DecodeJpeg(nullptr, 0), nullptr);
    // A real JPEG cut short decodes without ending the process.
    const std::string jpeg = ReadTextFile(TestProgramFolder() + "\\red-over-blue.jpg");
    HBITMAP partial = DecodeJpeg(jpeg.data(), jpeg.size() / 3);
    if (partial)
        DeleteObject(partial);
}

} // namespace
