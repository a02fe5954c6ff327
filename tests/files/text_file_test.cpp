#include "files/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>

#include "files/codepage.h"
#include "test_support.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::string ReadAll(TextFile& f) {
  std::string out;
  for (int c = f.get(); c != kEndOfFile; c = f.get()) out.push_back(static_cast<char>(c));
  return out;
}

TEST(TextFile, LineEndsAreCrLfOnDiskAndNewlineInMemory) {
  TempDir dir;
  std::string path = dir.file("a.txt");
  TextFile f = test::OpenOrFail(path, OpenMode::Create);
  ASSERT_TRUE(f.write("a\tb\n\nc\n"));
  EXPECT_EQ(f.tell(), 10);  // offsets are bytes on disk
  EXPECT_EQ(ReadBytes(path), "a\tb\r\n\r\nc\r\n");

  f.rewind();
  EXPECT_EQ(ReadAll(f), "a\tb\n\nc\n");
}

TEST(TextFile, EveryOtherByteIsData) {
  // A lone CR, a lone LF, 0x1A and 0xFF are characters, never a line end or an end of file.
  TempDir dir;
  std::string path = dir.file("b.txt");
  WriteBytes(path, std::string("x\ry\nz\x1A\xFFw\r", 10));
  TextFile f = test::OpenOrFail(path, OpenMode::Read);
  EXPECT_EQ(ReadAll(f), std::string("x\ry\nz\x1A\xFFw\r", 10));
}

TEST(TextFile, CrLfAcrossBufferBoundaryAndStepBack) {
  TempDir dir;
  std::string path = dir.file("c.txt");
  // The reader's block is 256 KiB: put the CR as the block's last byte.
  std::string bytes(256 * 1024 - 1, 'a');
  bytes += "\r\nb";
  WriteBytes(path, bytes);
  TextFile f = test::OpenOrFail(path, OpenMode::Read);
  f.seek(256 * 1024 - 2);
  EXPECT_EQ(f.get(), 'a');
  EXPECT_EQ(f.get(), '\n');
  EXPECT_EQ(f.tell(), 256 * 1024 + 1);
  f.stepBack();  // back over both bytes of the line end
  EXPECT_EQ(f.tell(), 256 * 1024 - 1);
  EXPECT_EQ(f.get(), '\n');
  EXPECT_EQ(f.get(), 'b');
  EXPECT_EQ(f.get(), kEndOfFile);
  EXPECT_EQ(f.get(), kEndOfFile);

  // Read from the start, the CR ends the first block itself and its LF begins the next one.
  TextFile sequential = test::OpenOrFail(path, OpenMode::Read);
  for (int i = 0; i < 256 * 1024 - 1; ++i) ASSERT_EQ(sequential.get(), 'a') << i;
  EXPECT_EQ(sequential.get(), '\n');
  EXPECT_EQ(sequential.tell(), 256 * 1024 + 1);
  EXPECT_EQ(sequential.get(), 'b');
}

TEST(TextFile, TextFieldsAreBoundedToTheirWidth) {
  TempDir dir;
  std::string path = dir.file("d.txt");
  WriteBytes(path, "abcdefgh\tX\tlast\r\nnext\tend");
  TextFile f = test::OpenOrFail(path, OpenMode::Read);
  FixedText<5> text;
  EXPECT_EQ(ReadText(f, text), FieldEnd::Tab);
  EXPECT_EQ(text.view(), "abcd");  // width - 1 kept, the rest of the field skipped
  EXPECT_EQ(ReadText(f, text), FieldEnd::Tab);
  EXPECT_EQ(text.view(), "X");
  EXPECT_EQ(ReadText(f, text), FieldEnd::LineEnd);
  EXPECT_EQ(text.view(), "last");
  // A missing field at the end of a line reads empty and does not run into the next line.
  EXPECT_EQ(ReadText(f, text), FieldEnd::LineEnd);
  EXPECT_TRUE(text.empty());
  EXPECT_TRUE(SkipLine(f));
  EXPECT_EQ(ReadText(f, text), FieldEnd::Tab);
  EXPECT_EQ(text.view(), "next");
  EXPECT_EQ(ReadText(f, text), FieldEnd::EndOfFile);
  EXPECT_EQ(text.view(), "end");
  EXPECT_EQ(ReadText(f, text), FieldEnd::EndOfFile);
  EXPECT_TRUE(text.empty());
  EXPECT_FALSE(SkipLine(f));

  // A field may hold line breaks when the reader asks for it.
  WriteBytes(path, "two\r\nlines\tz");
  TextFile g = test::OpenOrFail(path, OpenMode::Read);
  FixedText<20> multi;
  EXPECT_EQ(ReadText(g, multi, FieldStop::TabOnly), FieldEnd::Tab);
  EXPECT_EQ(multi.view(), "two\nlines");
}

TEST(TextFile, IntegersSaturateAndGarbageReadsAsZero) {
  struct Case {
    const char* field;
    int32_t value;
    bool ok;
  };
  const Case cases[] = {
      {"12\t", 12, true},          {"-3\t", -3, true},
      {" 7\t", 7, true},           {"5x\t", 5, true},
      {"abc\t", 0, false},         {"\t", 0, false},
      {"99999999999999999999\t", INT32_MAX, true},
      {"-99999999999999999999\t", INT32_MIN, true},
      {"2147483647\t", INT32_MAX, true},
      {"-2147483648\t", INT32_MIN, true},
  };
  TempDir dir;
  std::string path = dir.file("e.txt");
  for (const Case& c : cases) {
    WriteBytes(path, std::string(c.field) + "9\t");
    TextFile f = test::OpenOrFail(path, OpenMode::Read);
    bool ok = !c.ok;
    EXPECT_EQ(ReadInt(f, &ok), c.value) << c.field;
    EXPECT_EQ(ok, c.ok) << c.field;
    EXPECT_EQ(ReadInt(f), 9) << c.field;  // the next field is intact
  }
}

TEST(TextFile, WrittenTextsCannotShiftFields) {
  FieldWriter w;
  w.text("a\tb\rc\nd").integer(-5).endLine();
  EXPECT_EQ(w.str(), "a b c d\t-5\t\n");
}

TEST(TextFile, FileNamesAre1252InTheProgramAndUtf8OnDisk) {
  EXPECT_EQ(Cp1252ToUtf8("R\xE9glages\x80\x81"), "R\xC3\xA9glages\xE2\x82\xAC\xC2\x81");

  TempDir dir;
  std::string name = "BaseDonn\xE9" "esPilotes.bd";  // "BaseDonnéesPilotes.bd" in 1252
  TextFile f = test::OpenOrFail(dir.file(name), OpenMode::Create);
  f.write("x\n");
  f.close();
  EXPECT_EQ(ReadBytes(dir.file("BaseDonn\xC3\xA9" "esPilotes.bd")), "x\r\n");
}

TEST(TextFile, OpenFailuresAreReported) {
  TempDir dir;
  TextFile f;
  EXPECT_FALSE(f.open(dir.file("missing"), OpenMode::Read));
  EXPECT_FALSE(f.open(dir.file("missing"), OpenMode::Update));
  EXPECT_FALSE(f.open(dir.path(), OpenMode::Read));  // a folder is not a file
  EXPECT_FALSE(f.isOpen());
  EXPECT_EQ(f.get(), kEndOfFile);
  EXPECT_FALSE(f.write("x"));
  EXPECT_TRUE(f.failed());
}

TEST(TextFile, ReadOnlyModeReadsAReadOnlyFile) {
  TempDir dir;
  std::string path = dir.file("ro.txt");
  WriteBytes(path, "ro\r\n");
  ::chmod(path.c_str(), 0444);
  TextFile f = test::OpenOrFail(path, OpenMode::Read);
  EXPECT_EQ(ReadAll(f), "ro\n");
  EXPECT_FALSE(f.write("x"));  // opened for reading only
}

}  // namespace
}  // namespace zd
