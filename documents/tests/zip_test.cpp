#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "documents/tests/test_files.h"
#include "documents/zip/zip_archive.h"
#include "platform/message_box.h"
#include "platform/unicode.h"

namespace {

std::string Deflate(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

void Le(std::string& s, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t Crc(const std::string& data) {
  return static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

// One local header with its data; the declared size defaults to the data's.
std::string Local(const std::string& name, const std::string& data, uint16_t method = 0,
                  uint16_t flags = 0, int64_t declared = -1) {
  const std::string stored = method == 8 ? Deflate(data) : data;
  std::string h;
  Le(h, 0x04034b50, 4);
  Le(h, 20, 2);
  Le(h, flags, 2);
  Le(h, method, 2);
  Le(h, 0, 4);  // time, date
  Le(h, Crc(data), 4);
  Le(h, static_cast<uint32_t>(stored.size()), 4);
  Le(h, static_cast<uint32_t>(declared < 0 ? data.size() : declared), 4);
  Le(h, static_cast<uint32_t>(name.size()), 2);
  Le(h, 3, 2);
  return h + name + "xyz" + stored;
}

// A central directory header (its 46 bytes, contents unread).
const std::string kCentral = std::string("PK\x01\x02", 4) + std::string(42, '\0');

std::string ArchivePath(const std::string& bytes) {
  static int n = 0;
  const std::string path = Scratch("a" + std::to_string(++n) + ".zip");
  WriteBytes(path, bytes);
  return path;
}

std::string Extract(const std::string& archive, const ZipEntry& entry, bool* ok = nullptr) {
  const std::string out = Scratch("extracted.bin");
  std::filesystem::remove(out);
  const bool done = ExtractZipEntry(Wide(archive).c_str(), entry, Wide(out).c_str());
  if (ok != nullptr) *ok = done;
  EXPECT_EQ(done, Exists(out));
  return done ? ReadBytes(out) : std::string();
}

TEST(ZipReaderTest, TreeFromLocalHeaders) {
  MessageBoxCapture boxes;
  ZipDirectory root;
  ASSERT_TRUE(ReadZipArchive(Wide(ArchivePath(kCentral)).c_str(), root));
  EXPECT_TRUE(root.folders().empty());
  EXPECT_TRUE(root.files().empty());
  // An empty archive is its 22-byte end record alone.
  const std::string kEmpty = std::string("PK\x05\x06", 4) + std::string(18, '\0');
  ASSERT_TRUE(ReadZipArchive(Wide(ArchivePath(kEmpty)).c_str(), root));
  EXPECT_TRUE(root.files().empty());

  const std::string text(1000, 'q');
  const std::string archive = ArchivePath(
      Local("a/b/c.txt", "hello") + Local("a/", "") + Local("e/", "") +
      Local("d.txt", text, 8, 4) + Local("a/empty", "") + kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root));
  ASSERT_EQ(root.folders().size(), 1u);  // "e/" alone creates nothing
  const ZipDirectory& a = *root.folders().at("a");
  EXPECT_EQ(a.parent(), &root);
  const ZipEntry c = a.folders().at("b")->files().at("c.txt");
  EXPECT_EQ(c.dataOffset, 30 + 9 + 3);
  EXPECT_EQ(c.compressedSize, -1);
  EXPECT_EQ(c.uncompressedSize, 5);
  EXPECT_EQ(Extract(archive, c), "hello");
  const ZipEntry d = root.files().at("d.txt");
  EXPECT_GT(d.compressedSize, 0);
  EXPECT_EQ(Extract(archive, d), text);
  EXPECT_EQ(boxes.Count(), 0u);
  bool ok = true;
  Extract(archive, a.files().at("empty"), &ok);
  EXPECT_FALSE(ok);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            u"The archive entry extracted.bin could not be taken out of the archive: it is "
            u"empty.");
}

std::vector<std::string> Names(const ZipDirectory::Files& files) {
  std::vector<std::string> names;
  for (const auto& [name, entry] : files) names.push_back(name);
  return names;
}

// Two files of one name, a file beside a folder of its name, and an archive
// cut short (a broken download, or damaged past some entry): every entry
// that can be read is shown, the clashing ones numbered, with one warning
// each. A file that breaks off before its first entry is no archive.
TEST(ZipReaderTest, DamagedArchivesShowTheEntriesTheyHold) {
  MessageBoxCapture boxes;
  ZipDirectory root;
  const std::string twice = ArchivePath(Local("x.txt", "1") + Local("d/x.txt", "2") +
                                        Local("x.txt", "3") + Local("x (2).txt", "4") +
                                        Local("x.txt", "5") + kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(twice).c_str(), root));
  EXPECT_EQ(Names(root.files()),
            (std::vector<std::string>{"x (2) (2).txt", "x (2).txt", "x (3).txt", "x.txt"}));
  EXPECT_EQ(Extract(twice, root.files().at("x.txt")), "1");
  EXPECT_EQ(Extract(twice, root.files().at("x (2).txt")), "3");
  EXPECT_EQ(Extract(twice, root.files().at("x (2) (2).txt")), "4");
  EXPECT_EQ(Extract(twice, root.files().at("x (3).txt")), "5");
  EXPECT_EQ(Extract(twice, root.folders().at("d")->files().at("x.txt")), "2");
  EXPECT_EQ(boxes.Texts(), std::vector<std::u16string>{
                               u"Warning: 3 files have the name of another file of their folder! "
                               u"They are shown with a number added."});

  boxes.Clear();
  for (const std::string& bytes : {Local("a", "file") + Local("a/", "") + Local("a/b.txt", "in") +
                                       kCentral,
                                   Local("a/b.txt", "in") + Local("a/", "") + Local("a", "file") +
                                       kCentral}) {
    const std::string archive = ArchivePath(bytes);
    ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root));
    EXPECT_EQ(Extract(archive, root.files().at("a")), "file");
    EXPECT_EQ(Extract(archive, root.folders().at("a")->files().at("b.txt")), "in");
  }
  EXPECT_EQ(boxes.Count(), 0u);

  // Cut inside a stored entry's data, inside a header, right behind an
  // entry (no directory at all), at junk: the entries before are read, the
  // one cut keeps what there is of it.
  const std::string first = Local("first.txt", "whole");
  const std::string book = Local("book.txt", std::string(5000, 'b'));
  const std::string cutInData = ArchivePath(first + book.substr(0, 1000));
  ASSERT_TRUE(ReadZipArchive(Wide(cutInData).c_str(), root));
  EXPECT_EQ(Names(root.files()), (std::vector<std::string>{"book.txt", "first.txt"}));
  EXPECT_EQ(Extract(cutInData, root.files().at("first.txt")), "whole");
  const auto brokenAt = [](size_t at) {
    return u"Warning: the archive breaks off at byte " + Wide(std::to_string(at)) +
           u" (cut short or damaged): only the files before that are shown.";
  };
  const std::u16string cutBook = u"Warning: the archive entry extracted.bin is damaged: its "
                                 u"data breaks off after 959 bytes. What could be read was "
                                 u"taken out; parts of it may be missing or wrong.";
  EXPECT_EQ(Extract(cutInData, root.files().at("book.txt")), std::string(959, 'b'));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{brokenAt(first.size() + 1000), cutBook}));
  for (const std::string& bytes :
       {first + book.substr(0, 20), first, first + std::string("junkjunk") + book + kCentral,
        first + Local("", "1") + kCentral}) {
    boxes.Clear();
    ASSERT_TRUE(ReadZipArchive(Wide(ArchivePath(bytes)).c_str(), root));
    EXPECT_EQ(Names(root.files()), std::vector<std::string>{"first.txt"});
    EXPECT_EQ(boxes.Texts(), std::vector<std::u16string>{brokenAt(first.size())});
  }
  // Written as a stream (sizes after the data, in descriptors with and
  // without their signature) and cut inside the second entry: the deflate
  // streams tell where the entries end.
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i * 7919 % 10007) + " ";
  const auto streamed = [](const std::string& name, const std::string& data, bool signature) {
    std::string descriptor = signature ? std::string("PK\x07\x08", 4) : std::string();
    Le(descriptor, Crc(data), 4);
    Le(descriptor, Deflate(data).size(), 4);
    Le(descriptor, data.size(), 4);
    return Local(name, data, 8, 8) + descriptor;
  };
  const std::string stream = streamed("one.txt", "first text", false) +
                             streamed("two.txt", text, true) + streamed("three.txt", "3", true);
  const std::string cutStream = ArchivePath(stream.substr(0, stream.size() / 2));
  boxes.Clear();
  ASSERT_TRUE(ReadZipArchive(Wide(cutStream).c_str(), root));
  EXPECT_EQ(Names(root.files()), (std::vector<std::string>{"one.txt", "two.txt"}));
  EXPECT_EQ(Extract(cutStream, root.files().at("one.txt")), "first text");
  const std::string kept = Extract(cutStream, root.files().at("two.txt"));
  ASSERT_GT(kept.size(), 1000u);
  EXPECT_EQ(kept, text.substr(0, kept.size()));
  EXPECT_EQ(boxes.Texts(), std::vector<std::u16string>{brokenAt(stream.size() / 2)});
  const std::string wholeStream = ArchivePath(stream);
  boxes.Clear();
  ASSERT_TRUE(ReadZipArchive(Wide(wholeStream).c_str(), root));
  EXPECT_EQ(Extract(wholeStream, root.files().at("two.txt")), text);
  EXPECT_EQ(Extract(wholeStream, root.files().at("three.txt")), "3");
  EXPECT_EQ(boxes.Texts(), std::vector<std::u16string>{brokenAt(stream.size())});

  boxes.Clear();
  for (const std::string& bytes : {Local("", "1") + kCentral, std::string("junkjunk") + first,
                                   book.substr(0, 20), std::string()}) {
    EXPECT_FALSE(ReadZipArchive(Wide(ArchivePath(bytes)).c_str(), root));
  }
  EXPECT_FALSE(ReadZipArchive(Wide(Scratch("missing.zip")).c_str(), root));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST(ZipReaderTest, UnsupportedAndUnsafeEntriesAreLeftOut) {
  MessageBoxCapture boxes;
  ZipDirectory root;
  const std::string archive =
      ArchivePath(Local("m12.txt", "data", 12) + Local("secret.txt", "data", 0, 1) +
                  Local("fine.txt", "ok") + Local("../up.txt", "x") + Local("/abs.txt", "x") +
                  Local("a\\b.txt", "x") + Local("late.txt", "x") + kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root));
  ASSERT_EQ(root.files().size(), 2u);
  EXPECT_EQ(Extract(archive, root.files().at("fine.txt")), "ok");
  EXPECT_EQ(Extract(archive, root.files().at("late.txt")), "x");
  EXPECT_TRUE(root.folders().empty());
  // Each reason has its own warning.
  std::vector<std::u16string> texts;
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.caption, u"Warning");
    texts.push_back(box.text);
  }
  EXPECT_EQ(texts, (std::vector<std::u16string>{
                       u"Warning: 1 files with unsupported compression method were met! Must be "
                       u"storing or deflating!",
                       u"Warning: 1 encrypted files were met! They are left out.",
                       u"Warning: 3 files with names leading out of their folder were met! They "
                       u"are left out."}));

  // An entry whose sizes follow its data, in an archive without a central
  // directory to take them from: the entries before it are shown, and the
  // user told that the rest cannot be.
  boxes.Clear();
  const std::string cut = ArchivePath(Local("first.txt", "1") + Local("stream.txt", "", 0, 8) +
                                      "streamed data" + Local("late.txt", "x"));
  EXPECT_TRUE(ReadZipArchive(Wide(cut).c_str(), root));
  EXPECT_EQ(root.files().size(), 1u);
  EXPECT_EQ(boxes.Texts(), std::vector<std::u16string>{
                               u"Warning: the archive breaks off at byte 43 (cut short or "
                               u"damaged): only the files before that are shown."});
}

std::map<std::string, std::string> ExtractAll(const std::string& archive) {
  ZipDirectory root;
  EXPECT_TRUE(ReadZipArchive(Wide(archive).c_str(), root)) << archive;
  std::map<std::string, std::string> files;
  for (const auto& [name, entry] : root.files()) files[name] = Extract(archive, entry);
  return files;
}

// Archives written by zip itself: with data descriptors (forced, and as a
// stream written to a pipe, in the plain and the zip64 form) and without.
TEST(ZipReaderTest, EntriesWithDataDescriptorsAreListedAndExtracted) {
  if (!HaveTool("zip")) GTEST_SKIP() << "zip is not installed";
  MessageBoxCapture boxes;
  const std::string dir = Scratch("zipped/");
  std::filesystem::create_directories(dir);
  std::string repeated;
  for (int i = 0; i < 3000; ++i) repeated += "second " + std::to_string(i % 7) + "\n";
  WriteBytes(dir + "a.txt", "first file\n");
  WriteBytes(dir + "b.txt", repeated);
  WriteBytes(dir + "c.txt", "");
  WriteBytes(dir + "d.txt", "appended");
  const std::map<std::string, std::string> expected = {
      {"a.txt", "first file\n"}, {"b.txt", repeated}, {"c.txt", ""}, {"d.txt", "appended"}};
  const std::string cd = "cd '" + dir + "' && ";
  ASSERT_TRUE(RunCommand(cd + "zip -q plain.zip a.txt b.txt c.txt d.txt"));
  EXPECT_EQ(ExtractAll(dir + "plain.zip"), expected);
  ASSERT_TRUE(RunCommand(cd + "zip -q -fd forced.zip a.txt b.txt c.txt"));
  // Mixed: an entry without a descriptor after those with one.
  ASSERT_TRUE(RunCommand(cd + "zip -q forced.zip d.txt"));
  EXPECT_EQ(ExtractAll(dir + "forced.zip"), expected);
  ASSERT_TRUE(RunCommand(cd + "zip -q -fz- - b.txt a.txt < /dev/null | cat > piped.zip"));
  EXPECT_EQ(ExtractAll(dir + "piped.zip"),
            (std::map<std::string, std::string>{{"a.txt", "first file\n"}, {"b.txt", repeated}}));
  ASSERT_TRUE(RunCommand(cd + "printf 'streamed text' | zip -q -fz- - - | cat > stdin.zip"));
  EXPECT_EQ(ExtractAll(dir + "stdin.zip"),
            (std::map<std::string, std::string>{{"-", "streamed text"}}));
  ASSERT_TRUE(RunCommand(cd + "printf 'streamed text' | zip -q - - | cat > stdin64.zip"));
  EXPECT_EQ(ExtractAll(dir + "stdin64.zip"),
            (std::map<std::string, std::string>{{"-", "streamed text"}}));
  // Only the two empty c.txt said they could not be taken out: every CRC
  // matched, those of the descriptors too.
  EXPECT_EQ(boxes.Count(), 2u);
}

TEST(ZipReaderTest, DeeplyNestedNamesAreLeftOut) {
  std::string deepest;
  for (int i = 0; i < 99; ++i) deepest += "d/";
  std::string tooDeep;
  for (int i = 0; i < 32000; ++i) tooDeep += "n/";
  ZipDirectory root;
  const std::string archive = ArchivePath(Local(deepest + "kept.txt", "k") +
                                          Local(tooDeep + "x.txt", "x") + kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root));
  ASSERT_EQ(root.folders().size(), 1u);
  const ZipDirectory* folder = root.folders().at("d").get();
  for (int i = 1; i < 99; ++i) folder = folder->folders().at("d").get();
  EXPECT_EQ(Extract(archive, folder->files().at("kept.txt")), "k");
}

std::u16string Damaged(const std::u16string& why) {
  return u"Warning: the archive entry extracted.bin is damaged: " + why +
         u". What could be read was taken out; parts of it may be missing or wrong.";
}

// Data that does not match its size or its CRC-32 is kept as far as it
// could be read, never beyond the declared size, and the user is told.
TEST(ZipReaderTest, DamagedEntriesAreToldAndBounded) {
  MessageBoxCapture boxes;
  ZipDirectory root;
  const std::string big(100000, 'z');
  std::string cutCrc = Local("cut.txt", "hello world");
  cutCrc[22] = 5;  // the declared size: 5 of its 11 bytes
  std::string flipped = Local("flip.txt", "hello world");
  flipped.back() ^= 0x20;
  const std::string archive =
      ArchivePath(Local("bomb.txt", big, 8, 0, 1000) + Local("short.txt", "abcdef", 8, 0, 100) +
                  cutCrc + flipped + kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root));
  bool ok = false;
  EXPECT_EQ(Extract(archive, root.files().at("bomb.txt"), &ok), std::string(1000, 'z'));
  EXPECT_TRUE(ok);
  EXPECT_EQ(Extract(archive, root.files().at("short.txt")), "abcdef");
  EXPECT_EQ(Extract(archive, root.files().at("cut.txt")), "hello");
  EXPECT_EQ(Extract(archive, root.files().at("flip.txt")), "hello worlD");
  const std::u16string badCrc = Damaged(u"its CRC-32 does not match its data");
  const std::u16string badSize = Damaged(u"its size does not match its data");
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{badSize, badSize, badCrc, badCrc}));

  // A deflate stream cut part-way (the archive ends early) keeps what came
  // before the cut; data that is no deflate stream at all gives nothing
  // and says so.
  boxes.Clear();
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i * 7919 % 10007) + " ";
  const std::string whole = Local("cut.txt", text, 8);
  const std::string cutArchive = ArchivePath(whole.substr(0, whole.size() / 2));
  const auto compressed = static_cast<int32_t>(Deflate(text).size());
  const ZipEntry cut{static_cast<int32_t>(whole.size()) - compressed, compressed,
                     static_cast<int32_t>(text.size()), Crc(text), true};
  const std::string kept = Extract(cutArchive, cut, &ok);
  EXPECT_TRUE(ok);
  ASSERT_GT(kept.size(), 0u);
  ASSERT_LT(kept.size(), text.size());
  EXPECT_EQ(kept, text.substr(0, kept.size()));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{Damaged(
                              u"its data breaks off after " +
                              Wide(std::to_string(kept.size())) + u" bytes")}));
  const std::string noStream = ArchivePath(std::string(64, '\xff'));
  Extract(noStream, {8, 40, 100, 0, true}, &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(boxes.Texts().back(),
            u"The archive entry extracted.bin could not be taken out of the archive: its data is "
            u"damaged, nothing could be read.");
}

// An entry that would inflate to 1 GiB is not begun: the message names the
// limit, and nothing is left behind.
TEST(ZipReaderTest, ExtractionIsBoundedWellBelowTheLargestDocument) {
  MessageBoxCapture boxes;
  ZipDirectory root;
  const std::string zeros(1 << 20, '\0');
  const std::string archive = ArchivePath(Local("giga.fb2", zeros, 8, 0, int64_t{1} << 30) +
                                          Local("limit.txt", zeros, 8, 0, int64_t{256} << 20) +
                                          kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root));
  bool ok = true;
  Extract(archive, root.files().at("giga.fb2"), &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{
                              u"The archive entry extracted.bin could not be taken out of the "
                              u"archive: it is larger than 256 MB, the largest entry the reader "
                              u"takes out of an archive."}));
  for (const auto& file : std::filesystem::directory_iterator(Scratch(""))) {
    EXPECT_EQ(file.path().filename().string().find("extracted.bin"), std::string::npos);
  }
  // At the limit itself the entry is begun (and its short data told).
  boxes.Clear();
  EXPECT_EQ(Extract(archive, root.files().at("limit.txt"), &ok), zeros);
  EXPECT_TRUE(ok);
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::u16string>{Damaged(u"its size does not match its data")}));
}

std::string Utf8Of(const std::u16string& text) { return Utf16ToUtf8(text); }

// Names flagged UTF-8, and unflagged names that are UTF-8, are decoded as
// such; names that become equal when shown get a number and a warning, so
// every entry stays reachable.
TEST(ZipReaderTest, NamesAreDecodedAndEveryEntryStaysReachable) {
  MessageBoxCapture boxes;
  ZipDirectory root;
  constexpr uint16_t kUtf8 = 0x0800;
  const std::string archive = ArchivePath(
      Local("Книга первая.txt", "1251") + Local("Повесть о любви.txt", "1251 too") +
      Local(Utf8Of(u"Глава/Начало.txt"), "flagged", 0, kUtf8) +
      Local(Utf8Of(u"Ёлка.txt"), "unflagged") +
      Local(Utf8Of(u"Книга первая.txt"), "clash", 0, kUtf8) +
      Local("\xff\xfe.txt", "bad one", 0, kUtf8) + Local("\xfe\xff.txt", "bad two", 0, kUtf8) +
      Local("Глава/x", "file") + Local(Utf8Of(u"Глава/x"), "again", 0, kUtf8) + kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root));
  std::map<std::string, std::string> files;
  for (const auto& [name, entry] : root.files()) files[name] = Extract(archive, entry);
  EXPECT_EQ(files, (std::map<std::string, std::string>{{"Книга первая.txt", "1251"},
                                                        {"Книга первая (2).txt", "clash"},
                                                        {"Повесть о любви.txt", "1251 too"},
                                                        {"Ёлка.txt", "unflagged"},
                                                        {"  .txt", "bad two"},
                                                        {"   (2).txt", "bad one"}}));
  // Folders too: the Windows-1251 one and the UTF-8 one.
  ASSERT_EQ(root.folders().size(), 2u);
  const ZipDirectory& chapter = *root.folders().at("Глава");
  EXPECT_EQ(chapter.files().size(), 1u);
  EXPECT_EQ(Extract(archive, chapter.files().at("x")), "file");
  const ZipDirectory& flagged = *root.folders().at("Глава (2)");
  EXPECT_EQ(flagged.files().size(), 2u);
  EXPECT_EQ(Extract(archive, flagged.files().at("Начало.txt")), "flagged");
  EXPECT_EQ(Extract(archive, flagged.files().at("x")), "again");
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{
                              u"Warning: 3 names became equal to another name of their folder "
                              u"when shown! They are shown with a number added."}));

  // DOS names without the flag: "том1" and "сон" are well-formed UTF-8 by
  // chance, but no Russian UTF-8, so they take the detected code page.
  ZipDirectory dos;
  const std::string dosArchive =
      ArchivePath(Local("\xE2\xAE\xAC" "1.txt", "one") + Local("\xE1\xAE\xAD.txt", "two") +
                  Local("\x82\xAE\xA9\xAD\xA0 \xA8 \xAC\xA8\xE0.txt", "three") + kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(dosArchive).c_str(), dos));
  std::map<std::string, std::string> dosFiles;
  for (const auto& [name, entry] : dos.files()) dosFiles[name] = Extract(dosArchive, entry);
  EXPECT_EQ(dosFiles, (std::map<std::string, std::string>{
                          {"том1.txt", "one"}, {"сон.txt", "two"}, {"Война и мир.txt", "three"}}));
}

TEST(ZipReaderTest, ExtractionFolderIsPrivate) {
  setenv("XDG_CACHE_HOME", Scratch("cache").c_str(), 1);
  const std::u16string path = ZipExtractionPath(u"/books/a.zip", {30, -1, 5}, u"dir/Book.fb2");
  ASSERT_FALSE(path.empty());
  const std::filesystem::path file(std::u16string_view(path).data());
  EXPECT_EQ(file.filename(), "Book.fb2");
  EXPECT_TRUE(file.parent_path().string().starts_with(Scratch("cache/parlen/extracted/a.zip-")));
  const auto perms = std::filesystem::status(file.parent_path()).permissions();
  EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
  EXPECT_NE(ZipExtractionPath(u"/other/a.zip", {30, -1, 5}, u"Book.fb2"), path);
  // Entries of one name in two folders of the archive stay apart.
  EXPECT_NE(ZipExtractionPath(u"/books/a.zip", {70, -1, 5}, u"Book.fb2"), path);
  EXPECT_TRUE(ZipExtractionPath(u"/books/a.zip", {30, -1, 5}, u"..").empty());

  // What a killed run left goes with the next run: unfinished extractions
  // and documents no longer open. Settings files, the open document and its
  // converted text stay; nothing is followed out of the cache.
  const std::string open = Utf16ToUtf8(path);
  const std::string old = Utf16ToUtf8(ZipExtractionPath(u"/books/b.zip", {30, -1, 5}, u"Old.txt"));
  const std::string outside = Scratch("outside.txt");
  for (const std::string& file : {open, open + ".trc", open + ".auto", open + ".partA1b2C3",
                                  old, old + ".trc", old + ".auto", old + ".utf8", outside}) {
    WriteBytes(file, "x");
  }
  for (const std::string& file : {open, open + ".trc", open + ".auto", open + ".partA1b2C3",
                                  old, old + ".trc", old + ".auto", old + ".utf8"}) {
    std::filesystem::last_write_time(
        file, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  }
  // Another reader's extraction under way: just written, so it stays.
  WriteBytes(old + ".partD4e5F6", "x");
  const std::string lonely =
      Utf16ToUtf8(ZipExtractionPath(u"/books/c.zip", {30, -1, 5}, u"Gone.txt"));
  std::filesystem::create_symlink(outside, old + ".link");
  RemoveExtractionLeftovers(path);
  EXPECT_FALSE(Exists(std::filesystem::path(lonely).parent_path().string()));
  for (const std::string& kept : {open, open + ".trc", open + ".auto", old + ".trc", outside,
                                  old + ".partD4e5F6"}) {
    EXPECT_TRUE(Exists(kept)) << kept;
  }
  for (const std::string& gone : {open + ".partA1b2C3", old, old + ".auto", old + ".utf8"}) {
    EXPECT_FALSE(Exists(gone)) << gone;
  }
  RemoveExtractionLeftovers(u"");
  EXPECT_FALSE(Exists(open));
  EXPECT_TRUE(Exists(open + ".trc"));
}

// Archives written by the zip tool, checked against unzip.
TEST(RealDocumentsTest, ZipToolArchives) {
  if (!HaveTool("zip") || !HaveTool("unzip")) GTEST_SKIP() << "zip and unzip are not installed";
  MessageBoxCapture boxes;
  const std::string folder = Scratch("tree/");
  std::filesystem::create_directories(folder + "books/deep");
  std::string stored;
  for (int i = 0; i < 12000; ++i) stored += "line " + std::to_string(i) + "\n";
  stored.resize(120000);
  WriteBytes(folder + "books/stored.txt", stored);
  std::string prose;
  for (int i = 0; i < 2000; ++i) prose += "Мама мыла раму " + std::to_string(i * 7) + ". ";
  WriteBytes(folder + "books/deep/prose.txt", prose);
  // A name in DOS-866: "Книга.txt".
  WriteBytes(folder + "\x8A\xAD\xA8\xA3\xA0.txt", "dos name");
  WriteBytes(folder + "empty.txt", "");

  const std::string archive = Scratch("tool.zip");
  for (const std::string level : {"-0", "-1", "-9"}) {
    std::filesystem::remove(archive);
    ASSERT_TRUE(RunCommand("cd '" + folder + "' && zip -q -X -r " + level + " '" + archive +
                           "' . >/dev/null"));
    ZipDirectory root;
    ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root)) << level;
    const ZipDirectory& books = *root.folders().at("books");
    const ZipEntry storedEntry = books.files().at("stored.txt");
    EXPECT_EQ(Extract(archive, storedEntry), stored) << level;
    EXPECT_EQ(Extract(archive, storedEntry),
              RunOutput("unzip -p '" + archive + "' books/stored.txt"));
    const ZipEntry proseEntry = books.folders().at("deep")->files().at("prose.txt");
    EXPECT_EQ(proseEntry.compressedSize == -1, level == "-0");
    EXPECT_EQ(Extract(archive, proseEntry),
              RunOutput("unzip -p '" + archive + "' books/deep/prose.txt"));
    ASSERT_EQ(root.files().count("Книга.txt"), 1u) << level;
    EXPECT_EQ(Extract(archive, root.files().at("Книга.txt")), "dos name");
    EXPECT_EQ(root.files().at("empty.txt").uncompressedSize, 0);
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
