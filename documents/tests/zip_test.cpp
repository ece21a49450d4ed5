#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "documents/tests/test_files.h"
#include "documents/zip/zip_archive.h"
#include "platform/message_box.h"

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

// One local header with its data; the declared size defaults to the data's.
std::string Local(const std::string& name, const std::string& data, uint16_t method = 0,
                  uint16_t flags = 0, int64_t declared = -1) {
  const std::string stored = method == 8 ? Deflate(data) : data;
  std::string h;
  Le(h, 0x04034b50, 4);
  Le(h, 20, 2);
  Le(h, flags, 2);
  Le(h, method, 2);
  Le(h, 0, 8);  // time, date, CRC
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
  bool ok = true;
  Extract(archive, a.files().at("empty"), &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST(ZipReaderTest, StructuralFaultsFailTheWalk) {
  ZipDirectory root;
  for (const std::string& bytes :
       {Local("x.txt", "1") + Local("x.txt", "2") + kCentral,
        Local("x.txt", "1") + Local("x.txt/y.txt", "2") + kCentral,
        Local("x.txt", "1") + std::string("junkjunk"), Local("", "1") + kCentral,
        Local("x.txt", "1")}) {
    EXPECT_FALSE(ReadZipArchive(Wide(ArchivePath(bytes)).c_str(), root));
  }
  EXPECT_FALSE(ReadZipArchive(Wide(Scratch("missing.zip")).c_str(), root));
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
  // directory to take them from: the walk fails instead of ending early
  // with success (entries behind it would be lost unseen).
  boxes.Clear();
  const std::string cut = ArchivePath(Local("first.txt", "1") + Local("stream.txt", "", 0, 8) +
                                      "streamed data" + Local("late.txt", "x"));
  EXPECT_FALSE(ReadZipArchive(Wide(cut).c_str(), root));
  EXPECT_EQ(root.files().size(), 1u);
  EXPECT_EQ(boxes.Count(), 0u);
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
  EXPECT_EQ(boxes.Count(), 0u);
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

TEST(ZipReaderTest, InflatedOutputIsBoundedByTheDeclaredSize) {
  ZipDirectory root;
  const std::string big(100000, 'z');
  const std::string archive = ArchivePath(Local("bomb.txt", big, 8, 0, 1000) +
                                          Local("short.txt", "abcdef", 8, 0, 100) + kCentral);
  ASSERT_TRUE(ReadZipArchive(Wide(archive).c_str(), root));
  bool ok = true;
  Extract(archive, root.files().at("bomb.txt"), &ok);
  EXPECT_FALSE(ok);
  Extract(archive, root.files().at("short.txt"), &ok);
  EXPECT_FALSE(ok);
  ZipEntry broken = root.files().at("short.txt");
  broken.dataOffset += 1;
  Extract(archive, broken, &ok);
  EXPECT_FALSE(ok);
}

TEST(ZipReaderTest, ExtractionFolderIsPrivate) {
  setenv("XDG_CACHE_HOME", Scratch("cache").c_str(), 1);
  const std::u16string path = ZipExtractionPath(u"/books/a.zip", u"dir/Book.fb2");
  ASSERT_FALSE(path.empty());
  const std::filesystem::path file(std::u16string_view(path).data());
  EXPECT_EQ(file.filename(), "Book.fb2");
  EXPECT_TRUE(file.parent_path().string().starts_with(Scratch("cache/parlen/extracted/a.zip-")));
  const auto perms = std::filesystem::status(file.parent_path()).permissions();
  EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
  EXPECT_NE(ZipExtractionPath(u"/other/a.zip", u"Book.fb2"), path);
  EXPECT_TRUE(ZipExtractionPath(u"/books/a.zip", u"..").empty());
  unsetenv("XDG_CACHE_HOME");
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
