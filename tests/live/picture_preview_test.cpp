#include "live/picture_preview.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "../files/data_folder_fixture.h"

namespace zd {
namespace {

TEST(FitPictureInBox, TouchesTheBoxOnOneSide) {
  struct Case {
    int32_t w, h, boxW, boxH;
    PictureSize expected;
  };
  const Case cases[] = {
      {1000, 300, 210, 144, {210, 63}},
      {800, 600, 210, 144, {192, 144}},
      {50, 50, 210, 144, {144, 144}},
      {215, 144, 210, 144, {215, 144}},  // equal tenths fill the height, 5 pixels too wide
      {20, 10, 210, 144, {288, 144}},    // tenths 0 and 0
      {392, 50, 196, 50, {196, 25}},     // the logo's box
      {100, 100, 196, 50, {50, 50}},
      {100000, 1, 196, 50, {196, 0}},
      {0, 50, 196, 50, {0, 0}},
      {50, 50, 0, 50, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " in " << c.boxW << " x " << c.boxH);
    EXPECT_EQ(FitPictureInBox(c.w, c.h, c.boxW, c.boxH), c.expected);
  }
}

TEST(ConvertJpegForPreview, OnlyJpegEndingsAreConverted) {
  for (const char* path : {"a.jpg", "B.JPG", "c.Jpeg", "d.jpeg", ".jpg", "x/y.JpG"})
    EXPECT_TRUE(IsJpegPath(path)) << path;
  for (const char* path : {"a.jpe", "b.jpg.bmp", "jpg", "pg", "", "c.bmp", "d.jpegx"})
    EXPECT_FALSE(IsJpegPath(path)) << path;
}

// A bitmap file header and information header of the given size, as the converter writes them.
std::string BitmapHeader(int32_t infoSize, int32_t w, int32_t h) {
  std::string bytes = "BM";
  auto put32 = [&](int32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
  };
  auto put16 = [&](int32_t v) {
    bytes.push_back(static_cast<char>(v & 0xFF));
    bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
  };
  put32(14 + infoSize);  // file size: header only
  put32(0);
  put32(14 + infoSize);  // pixels offset
  put32(infoSize);
  if (infoSize == 12) {
    put16(w);
    put16(h);
  } else {
    put32(w);
    put32(h);
  }
  bytes.append(static_cast<std::size_t>(infoSize > 12 ? infoSize - 12 : 0), '\0');
  return bytes;
}

using PictureConversion = test::DataFolderTest;

TEST_F(PictureConversion, TheSizeIsReadFromTheBitmapHeader) {
  struct Case {
    std::string bytes;
    std::optional<PictureSize> expected;
  };
  const Case cases[] = {
      {BitmapHeader(40, 64, 48), PictureSize{64, 48}},
      {BitmapHeader(124, 300, -200), PictureSize{300, 200}},  // stored top-down
      {BitmapHeader(12, 20, 10), PictureSize{20, 10}},
      {BitmapHeader(40, 0, 48), std::nullopt},
      {BitmapHeader(40, 64, 0), std::nullopt},
      {BitmapHeader(20, 64, 48), std::nullopt},                // no known header
      {BitmapHeader(40, 64, 48).substr(0, 25), std::nullopt},  // cut short
      {"\xFF\xD8\xFF\xE0 a JPEG's first bytes, and more of them", std::nullopt},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    test::WriteBytes(file("picture.bmp"), cases[i].bytes);
    EXPECT_EQ(MeasureBitmapFile("picture.bmp"), cases[i].expected);
  }
  EXPECT_FALSE(MeasureBitmapFile("missing.bmp").has_value());
}

TEST_F(PictureConversion, OnlyASuccessfulConversionNamesTheSharedBitmap) {
  std::string asked;
  bool succeeds = true;
  const JpegToBitmap convert = [&](std::string_view jpeg, std::string_view bitmap) {
    asked = std::string(jpeg) + " -> " + std::string(bitmap);
    return succeeds;
  };
  PicturePath shown("photo.JPG");
  EXPECT_EQ(ConvertJpegForPreview(shown, convert), JpegConversion::kConverted);
  EXPECT_EQ(asked, "photo.JPG -> Images/ConvertionJPEG.bmp");
  EXPECT_EQ(shown.view(), kConvertedPicturePath);

  // A bitmap is drawn as it is: nothing is converted.
  asked.clear();
  PicturePath bitmap("Images/ConvertionJPEG.bmp");
  EXPECT_EQ(ConvertJpegForPreview(bitmap, convert), JpegConversion::kNotJpeg);
  EXPECT_EQ(bitmap.view(), "Images/ConvertionJPEG.bmp");
  EXPECT_TRUE(asked.empty());

  // A JPEG that cannot be read or written never points at a bitmap converted before.
  succeeds = false;
  PicturePath broken("broken.jpeg");
  EXPECT_EQ(ConvertJpegForPreview(broken, convert), JpegConversion::kFailed);
  EXPECT_EQ(broken.view(), "broken.jpeg");
}

}  // namespace
}  // namespace zd
