#include "core/config/profile_store.h"

#include "hooked_files.h"
#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;

namespace {

class StoreTest : public test::StoreTest {
 protected:
  // Replacements counted, and refused while refuse_ is set.
  StoreTest() {
    env_.files = test::Hooked([this](int op) {
      replaces_ += op == 0;
      return !refuse_;
    });
  }
  // A store on t.ini, written first with `bytes`.
  std::unique_ptr<ProfileStore> Put(const std::string& bytes) {
    Write("t.ini", bytes);
    return Open("t.ini");
  }
  std::string Get() const { return Read("t.ini"); }
  fs::path file_ = Path("t.ini");
  int replaces_ = 0;
  bool refuse_ = false;
};

TEST(ParseNumberTest, ExamplesAndPrefixes) {
  // Only the space is a blank; a sign takes no blank after it.
  const std::pair<const char*, std::int64_t> cases[] = {
      {"&hff", 255}, {"&HFF", 255}, {"-0x10", -16}, {"  12abc", 12}, {"-1", -1}, {"+7", 7},
      {"0x", 0},     {"abc", 0},    {"", 0},        {"\t5", 0},      {"- 5", 0}, {"0x99FFCC", 10092492}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseNumber(text), value) << text;
  // Shorter than the field: what is there; longer than 29 digits: cut at 29.
  EXPECT_EQ((std::vector<std::int64_t>{ParseField("1F", 2, 0), ParseField("1F", 2, 1),
                                       ParseField("1F00", 2, 0), ParseField("A", 8, 0), ParseField("", 4, 0),
                                       ParseField(std::string(40, '1'), 40, 1)}),
            (std::vector<std::int64_t>{31, 1, 31, 10, 0, ParseNumber(std::string(29, '1'))}));
}

TEST_F(StoreTest, ReadsDefaultsBoundsQuotesColoursAndCuts) {
  auto s =
      Put("[Default]\r\nA1=300\r\nA2=0x80\r\nA3=\r\nA4=  42  \r\nQ=\"quoted\"\r\nS='single'\r\n"
          "M=\"mixed'\r\nC1=-5\r\nC2=#123\r\nC3=0xABCDEF\r\nT=a表示\r\n");
  // Empty but present parses as 0; a default is clamped too; names ignore case, values are trimmed.
  EXPECT_EQ(
      (std::vector<int>{s->ReadInt("A1", "255", -1, 255), s->ReadInt("A2", "255", -1, 255),
                        s->ReadInt("A3", "255", -1, 255), s->ReadInt("Absent", "999", -1, 255),
                        s->ReadInt("a4", "0", 0, 100), s->ReadBool("Absent", "2"),
                        s->ReadBool("Absent", "-3"), s->ReadBool("Absent", "0x10"), s->ReadColor("C1", 7),
                        s->ReadColor("C2", 7), s->ReadColor("Absent", 7), s->ReadColor("C3", 7)}),
      (std::vector<int>{255, 128, 0, 255, 42, true, false, true, -1, 7, 7, 0xABCDEF}));
  EXPECT_EQ((std::vector<std::string>{s->ReadString("A3", "dflt", 64), s->ReadString("Q", "", 64),
                                      s->ReadString("S", "", 64), s->ReadString("M", "", 64),
                                      s->ReadString("Q", "", 4), s->ReadString("T", "", 3),
                                      s->ReadString("T", "", 4)}),
            (std::vector<std::string>{"dflt", "quoted", "single", "\"mixed'", "quo", "a",
                                      "a表"}));  // never half of 表
}

TEST_F(StoreTest, WritesUseTheProfileLayout) {
  auto s = Open("t.ini");
  s->WriteColor("C", -7);
  s->WriteColor("D", 11259375);
  s->WriteInt("I", -1);
  s->WriteBool("B", 5);
  s->WriteString("T", "x", "1");
  EXPECT_EQ(Get(), "[Default]\r\nC=-1\r\nD=0xABCDEF\r\nI=-1\r\nB=1\r\n[1]\r\nT=x\r\n");
  s->WriteString("c", "2");  // existing key keeps its spelling and place
  s->WriteString("D", nullptr);
  s->ClearSection("1");
  EXPECT_EQ(Get(), "[Default]\r\nC=2\r\nI=-1\r\nB=1\r\n");
  EXPECT_EQ(s->ReadInt("I", "0", -9, 9), -1);  // a key below a removed one is still found
  EXPECT_FALSE(s->HasKey("T", "1"));
}

TEST_F(StoreTest, OpenPathsAndSectionRedirect) {
  ProfileStore s;
  const fs::path rel = fs::path("data") / "x.dat";
  const auto name = [&](const fs::path* file, const char* profile = nullptr) {
    s.Open(env_, false, "Default", file, profile);
    return s.FileName().string() + "|" + s.ProfileName();
  };
  EXPECT_EQ(name(nullptr), Path("Varnel.ini").string() + "|Varnel");
  EXPECT_EQ(name(&rel), Path("data/x.dat").string() + "|Varnel");
  EXPECT_EQ(name(&file_, "Other"), file_.string() + "|Other");
  // Section= moves the current section; UseReg without the registry permitted stays in the file.
  auto r = Open("t.ini", "Section=Other\r\nUseReg=2\r\n");
  EXPECT_EQ(std::make_pair(r->UsesIni(), r->CurrentSection()), std::make_pair(true, std::string("Other")));
  // With it, the registry cannot list its keys: the caller must read by name.
  r->Open(env_, true, "Default", &file_, nullptr);
  ASSERT_FALSE(r->UsesIni());
  EXPECT_FALSE(r->ForEachKey("Default", [](std::string_view, std::string_view) {}));
}

TEST_F(StoreTest, EditingKeepsEveryOtherByteOfLargeAndOddFiles) {
  const std::string before = "; written by hand\n[Default]\nA=1\n\n; note\nstray\n" +
                             std::string("N=x\0y\n", 6) + "[X]\tjunk\nK=\"v\"\n";
  auto s = Put(before);
  s->WriteInt("A", 2);
  std::string expected = before;
  expected.replace(expected.find("A=1"), 3, "A=2");
  EXPECT_EQ(Get(), expected);
  s->WriteString("New", "n");  // after the last non-blank line of the section
  expected.insert(expected.find("[X]"), "New=n\r\n");
  EXPECT_EQ(Get(), expected);
  EXPECT_EQ(s->ReadString("K", "", 64, "X"), "v");
  // More lines than 16 bits count, and a line longer than any buffer.
  std::string big = "[Default]\r\nLong=" + std::string(100000, 'L') + "\r\n";
  for (int i = 0; i < 120000; ++i) big += "K" + std::to_string(i) + "=" + std::to_string(i * 7) + "\r\n";
  s = Put(big);
  EXPECT_EQ(s->ReadString("Long", "", 300).size(), 299u);
  EXPECT_EQ(s->ReadInt("K119999", "0", 0, 1 << 30), 119999 * 7);
  s->WriteInt("K5", -5);
  EXPECT_EQ(Get().size(), big.size());  // "35" became "-5"
}

TEST_F(StoreTest, FileChangedBehindTheStoreIsSeenAlsoByABatch) {
  auto s = Open("t.ini", "A=1\r\n");
  EXPECT_EQ(s->ReadInt("A", "0", 0, 99), 1);
  Write("t.ini", "[Default]\r\nA=22\r\nB=3\r\n");  // a different size, so the stamp differs
  EXPECT_EQ(s->ReadInt("A", "0", 0, 99), 22);
  // Same size, moved into place with the same time (as an exchange or an import does
  // it): only the file's identity tells.
  Write("other.ini", "[Default]\r\nA=33\r\nB=4\r\n");
  fs::last_write_time(Path("other.ini"), fs::last_write_time(file_));
  fs::rename(Path("other.ini"), file_);
  EXPECT_EQ(s->ReadInt("A", "0", 0, 99), 33);
  Write("t.ini", "[Default]\r\nA=44\r\nB=5\r\nC=6\r\n");  // changed by another program
  {
    ProfileStore::Batch batch(*s);
    EXPECT_EQ(s->ReadInt("A", "0", 0, 99), 44);
    s->WriteInt("D", 7);
  }
  EXPECT_EQ(Get(), "[Default]\r\nA=44\r\nB=5\r\nC=6\r\nD=7\r\n");  // nothing of the other program's lost
}

// A UTF-8 BOM, a key before any section, CR-only and LF-only lines, comments, junk lines,
// a NUL, bytes that are no CP932, repeated keys and sections, a header without ']'.
TEST_F(StoreTest, OddFilesReadAndWalkLikeTheProfileApi) {
  using Keys = std::vector<std::pair<std::string, std::string>>;
  const auto walk = [](ProfileStore& store, const char* section) {
    Keys seen;
    EXPECT_TRUE(store.ForEachKey(section, [&seen](std::string_view name, std::string_view value) {
      seen.emplace_back(std::string(name), std::string(value));
    }));
    return seen;
  };
  const std::string longValue(400, 'v'), odd = "\xFF\xFE\x80";
  auto s = Put(
      "\xEF\xBB\xBForphan=1\n[Other]\r\nZ=0\r\n[default]\r\n; c=1\r b = two \r\nQ=\"quoted\"\nno equals\r\n" +
      std::string("N=x\0y\r\n", 7) + "X=" + odd + "\r\nb=dup\r\n=blank\r\nLong=" + longValue +
      "\r\n[ DEFAULT ]\r\nLater=1\r\n[Second\nE=5\n");
  // File order, a repeated name again, only the first section of the name, values not cut.
  EXPECT_EQ(walk(*s, "Default"),
            (Keys{{"b", "two"}, {"Q", "quoted"}, {"N", "x"}, {"X", odd}, {"b", "dup"}, {"Long", longValue}}));
  EXPECT_EQ(s->ReadString("b", "", 64) + s->ReadString("X", "", 64), "two" + odd);  // the first of a name
  for (const char* absent : {"c", "orphan", "Later"}) EXPECT_FALSE(s->HasKey(absent)) << absent;
  EXPECT_FALSE(s->HasKey("E", "Second"));
  EXPECT_TRUE(walk(*s, "Absent").empty());
  s->WriteString("B", "three");  // edited, removed and added lines, in the current section
  s->WriteString("Q", nullptr);
  s->WriteString("New", "n");
  EXPECT_EQ(walk(*s, nullptr),
            (Keys{{"b", "three"}, {"N", "x"}, {"X", odd}, {"b", "dup"}, {"Long", longValue}, {"New", "n"}}));
}

TEST_F(StoreTest, FailedReadsAndWritesNeverLoseTheFileOrTheValueInMemory) {
  refuse_ = true;
  auto s = Open("t.ini", "A=1\r\n");
  s->WriteInt("A", 2);  // a read-only file: the write is refused, the value kept in memory
  EXPECT_FALSE(s->LastWriteOk());
  EXPECT_EQ(s->ReadInt("A", "7", 0, 9), 2);
  EXPECT_EQ(Get(), "[Default]\r\nA=1\r\n");
  refuse_ = false;
  s->WriteInt("B", 3);  // and made again with the next one
  EXPECT_TRUE(s->LastWriteOk());
  EXPECT_EQ(Get(), "[Default]\r\nA=2\r\nB=3\r\n");
  EXPECT_EQ(replaces_, 2);

  int reads = 0;  // the file is held exclusively by another program
  env_.files.read = [&reads](const fs::path&, std::string&) { return ++reads < 0; };
  auto held = Open("t.ini");
  reads = 0;
  {
    ProfileStore::Batch batch(*held);  // looks at the held file once, not at every key (each look waits)
    for (const char* key : {"C", "D", "E"}) held->WriteInt(key, 1);
  }
  EXPECT_EQ(reads, 1);
  EXPECT_FALSE(held->LastWriteOk());
  EXPECT_EQ(Get(), "[Default]\r\nA=2\r\nB=3\r\n");  // an unreadable file is never overwritten
}

TEST_F(StoreTest, BatchIsOneReplacementAndUnchangedContentIsNotWritten) {
  auto s = Open("t.ini");
  const auto saveNotes = [&s] {  // nested batches, as a save of many notes makes them
    ProfileStore::Batch outer(*s);
    for (int sec = 1; sec <= 20; ++sec) {
      ProfileStore::Batch inner(*s);
      const std::string name = std::to_string(sec);
      s->ClearSection(name.c_str());
      for (int k = 0; k < 15; ++k) s->WriteInt(("%dT" + std::to_string(k)).c_str(), k, name.c_str());
    }
  };
  saveNotes();
  EXPECT_EQ(replaces_, 1);
  const std::string saved = Get();
  saveNotes();
  EXPECT_EQ(Get(), saved);
  EXPECT_EQ(replaces_, 2);  // the same keys rewritten: the bytes are equal, still one write
  s->WriteInt("%dT3", 3, "7");
  EXPECT_EQ(replaces_, 2);  // no change at all: nothing written
}

}  // namespace
