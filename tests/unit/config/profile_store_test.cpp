#include "core/config/profile_store.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <vector>

#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;

namespace {

class StoreTest : public test::StoreTest {
 protected:
  void Put(const std::string& bytes) { Write("t.ini", bytes); }
  std::string Get() { return Read("t.ini"); }
  void Open(ProfileStore& s, bool registry = false) { s.Open(env_, registry, "Default", &file_, nullptr); }
  fs::path dir_ = folder_.Path(), file_ = Path("t.ini");
};

TEST(ParseNumberTest, ExamplesAndPrefixes) {
  const std::pair<const char*, std::int64_t> cases[] = {{"0x99FFCC", 10092492},
                                                        {"  12abc", 12},
                                                        {"&hff", 255},
                                                        {"&HFF", 255},
                                                        {"-1", -1},
                                                        {"+7", 7},
                                                        {"", 0},
                                                        {"abc", 0},
                                                        {"- 5", 0},
                                                        {"\t5", 0} /* only the space is a blank */,
                                                        {"0x", 0},
                                                        {"-0x10", -16}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseNumber(text), value) << text;
  // A run of digits far beyond 64 bits wraps instead of being undefined.
  EXPECT_NO_FATAL_FAILURE(ParseNumber(std::string(400, '9')));
}

TEST(ParseFieldTest, HexOrAsIsAndNeverPastTheText) {
  EXPECT_EQ(
      (std::array<std::int64_t, 5>{ParseField("1F", 2, 0), ParseField("1F", 2, 1), ParseField("1F00", 2, 0),
                                   ParseField("A", 8, 0), ParseField("", 4, 0)}),
      (std::array<std::int64_t, 5>{31, 1, 31, 10, 0}));  // shorter than the field: what is there
  EXPECT_EQ(ParseField(std::string(40, '1'), 40, 1), ParseNumber(std::string(29, '1')));  // cut at 29
  EXPECT_EQ(std::make_tuple(Clamp(5, 1, 3), Clamp(-5, 1, 3), Clamp(2, 1, 3)), std::make_tuple(3, 1, 2));
}

TEST_F(StoreTest, ReadIntDefaultsBoundsAndEmptyValues) {
  Put("[Default]\r\nA1=300\r\nA2=0x80\r\nA3=\r\nA4=  42  \r\n");
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadInt("A1", "255", -1, 255), 255);
  EXPECT_EQ(s.ReadInt("A2", "255", -1, 255), 128);
  EXPECT_EQ(s.ReadInt("A3", "255", -1, 255), 0);  // present but empty parses as 0
  EXPECT_EQ(s.ReadInt("Absent", "255", -1, 255), 255);
  EXPECT_EQ(s.ReadInt("Absent", "999", -1, 255), 255);  // the default is clamped too
  EXPECT_EQ(s.ReadInt("a4", "0", 0, 100), 42);          // names ignore case, values are trimmed
  EXPECT_TRUE(s.ReadBool("Absent", "2"));
  EXPECT_FALSE(s.ReadBool("Absent", "-3"));
  EXPECT_TRUE(s.ReadBool("Absent", "0x10"));
}

TEST_F(StoreTest, ReadStringAndColorRules) {
  Put("[Default]\r\nE=\r\nQ=\"quoted\"\r\nS='single'\r\nM=\"mixed'\r\nC1=-5\r\nC2=#123\r\nC3=0xABCDEF\r\n");
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadString("E", "dflt", 64), "dflt");
  EXPECT_EQ(s.ReadString("Q", "", 64), "quoted");
  EXPECT_EQ(s.ReadString("S", "", 64), "single");
  EXPECT_EQ(s.ReadString("M", "", 64), "\"mixed'");
  EXPECT_EQ(s.ReadString("Q", "", 4), "quo");  // cut to the buffer
  EXPECT_EQ(s.ReadColor("C1", 7), -1);
  EXPECT_EQ(s.ReadColor("C2", 7), 7);
  EXPECT_EQ(s.ReadColor("Absent", 7), 7);
  EXPECT_EQ(s.ReadColor("C3", 7), 0xABCDEF);
}

TEST_F(StoreTest, CutNeverSplitsADoubleByteCharacter) {
  Put("[Default]\r\nT=a表示\r\n");
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadString("T", "", 3), "a");  // 'a' + lead byte would split 表
  EXPECT_EQ(s.ReadString("T", "", 4), "a表");
}

TEST_F(StoreTest, WritesUseTheProfileLayout) {
  ProfileStore s;
  Open(s);
  s.WriteColor("C", -7);
  s.WriteColor("D", 11259375);
  s.WriteInt("I", -1);
  s.WriteBool("B", 5);
  s.WriteString("T", "x", "1");
  EXPECT_EQ(Get(), "[Default]\r\nC=-1\r\nD=0xABCDEF\r\nI=-1\r\nB=1\r\n[1]\r\nT=x\r\n");
  s.WriteString("c", "2");  // existing key keeps its spelling and place
  s.WriteString("I", nullptr);
  EXPECT_EQ(Get(), "[Default]\r\nC=2\r\nD=0xABCDEF\r\nB=1\r\n[1]\r\nT=x\r\n");
  s.ClearSection("1");
  EXPECT_EQ(Get(), "[Default]\r\nC=2\r\nD=0xABCDEF\r\nB=1\r\n");
  EXPECT_FALSE(s.HasKey("T", "1"));
}

TEST_F(StoreTest, SectionRedirectAndUseRegStayInIni) {
  Put("[Default]\r\nSection=Other\r\nUseReg=2\r\n[Other]\r\nK=5\r\n");
  ProfileStore s;
  Open(s, /*registry permitted*/ false);
  EXPECT_TRUE(s.UsesIni());
  EXPECT_EQ(s.CurrentSection(), "Other");
  EXPECT_EQ(s.ReadInt("K", "0", 0, 10), 5);
  s.WriteInt("New", 1);
  EXPECT_EQ(s.ReadInt("New", "0", 0, 10, "Other"), 1);
  EXPECT_FALSE(s.HasKey("New", "Default"));
}

TEST_F(StoreTest, OpenPathRules) {
  ProfileStore s;
  s.Open(env_, false, "Default", nullptr, nullptr);
  EXPECT_EQ(s.FileName(), dir_ / "Varnel.ini");
  fs::path rel = fs::path("data") / "x.dat";
  s.Open(env_, false, "Default", &rel, nullptr);
  EXPECT_EQ(s.FileName(), dir_ / "data" / "x.dat");
  s.Open(env_, false, "Default", &file_, "Other");
  EXPECT_EQ(s.FileName(), file_);
  EXPECT_EQ(s.ProfileName(), "Other");
}

TEST_F(StoreTest, OddFilesReadLikeTheProfileApi) {
  // UTF-8 BOM, LF-only and CR-only lines, duplicates, comments, junk lines and
  // a key before any section.
  Put("\xEF\xBB\xBF"
      "orphan=1\n[Default]\nA=1\rB = two \r\n;C=3\nno equals here\n=blank\nA=dup\n"
      "[ default ]\nD=4\n[Second\nE=5\n");
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadInt("A", "0", 0, 9), 1);  // first key wins
  EXPECT_EQ(s.ReadString("B", "", 64), "two");
  EXPECT_FALSE(s.HasKey("C"));
  EXPECT_FALSE(s.HasKey("orphan"));
  EXPECT_FALSE(s.HasKey("D"));            // the duplicate section is never reached
  EXPECT_FALSE(s.HasKey("E", "Second"));  // "[Second" without ']' opens no section
}

TEST_F(StoreTest, EditingOneKeyKeepsEveryOtherByte) {
  const std::string before = "; written by hand\n[Default]\nA=1\n\n; note\nstray\n[X]\tjunk\nK=\"v\"\n";
  Put(before);
  ProfileStore s;
  Open(s);
  s.WriteInt("A", 2);
  std::string after = Get();
  std::string expected = before;
  expected.replace(expected.find("A=1"), 3, "A=2");
  EXPECT_EQ(after, expected);
  s.WriteString("New", "n");  // after the last non-blank line of the section
  EXPECT_EQ(Get(), "; written by hand\n[Default]\nA=2\n\n; note\nstray\nNew=n\r\n[X]\tjunk\nK=\"v\"\n");
  EXPECT_EQ(s.ReadString("K", "", 64, "X"), "v");
}

TEST_F(StoreTest, NulAndNonCp932BytesNeverCrashOrLoseKeys) {
  std::string bytes = "[Default]\r\nA=x";
  bytes += '\0';
  bytes += "y\r\nB=\xFF\xFE\x80\r\nC=3\r\n";
  Put(bytes);
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadString("A", "", 64), "x");
  EXPECT_EQ(s.ReadString("B", "", 64), "\xFF\xFE\x80");
  s.WriteInt("D", 4);
  EXPECT_EQ(s.ReadInt("C", "0", 0, 9), 3);
  EXPECT_NE(Get().find(std::string("A=x\0y", 5)), std::string::npos);
}

TEST_F(StoreTest, LongLinesAndLargeFiles) {
  std::string big = "[Default]\r\nLong=" + std::string(100000, 'L') + "\r\n";
  for (int i = 0; i < 120000; ++i) big += "K" + std::to_string(i) + "=" + std::to_string(i * 7) + "\r\n";
  ASSERT_GT(big.size(), 1024u * 1024);
  big += std::string(5 * 1024 * 1024 - big.size(), ';');
  Put(big);
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadString("Long", "", 300).size(), 299u);
  EXPECT_EQ(s.ReadInt("K119999", "0", 0, 1 << 30), 119999 * 7);
  s.WriteInt("K5", -5);
  EXPECT_EQ(Get().size(), big.size() - 2 + 2);  // "35" became "-5"
}

TEST_F(StoreTest, FileChangedBehindTheStoreIsSeen) {
  Put("[Default]\r\nA=1\r\n");
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadInt("A", "0", 0, 99), 1);
  Put("[Default]\r\nA=22\r\nB=3\r\n");  // a different size, so the stamp differs
  EXPECT_EQ(s.ReadInt("A", "0", 0, 99), 22);
  EXPECT_EQ(s.ReadInt("B", "0", 0, 99), 3);
  // Same size, moved into place with the same time (as an exchange or an
  // import does it): only the file's identity tells.
  const fs::path other = dir_ / "other.ini";
  std::ofstream(other, std::ios::binary) << "[Default]\r\nA=33\r\nB=4\r\n";
  fs::last_write_time(other, fs::last_write_time(file_));
  fs::rename(other, file_);
  EXPECT_EQ(s.ReadInt("A", "0", 0, 99), 33);
}

TEST_F(StoreTest, ABatchStartsFromTheFileAsItIsNow) {
  Put("[Default]\r\nA=1\r\n");
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadInt("A", "0", 0, 99), 1);
  Put("[Default]\r\nA=22\r\nB=3\r\n");  // changed by another program
  {
    ProfileStore::Batch batch(s);
    EXPECT_EQ(s.ReadInt("A", "0", 0, 99), 22);
    s.WriteInt("C", 5);
  }
  EXPECT_EQ(Get(), "[Default]\r\nA=22\r\nB=3\r\nC=5\r\n");  // nothing of the other program's lost
}

TEST_F(StoreTest, WalkingASectionSeesWhatReadsSee) {
  using Keys = std::vector<std::pair<std::string, std::string>>;
  Keys seen;
  const auto collect = [&seen](std::string_view name, std::string_view value) {
    seen.emplace_back(std::string(name), std::string(value));
  };
  const std::string longValue(400, 'v');
  Put("[Other]\r\nZ=0\r\n[default]\r\n; c=1\r\n b = two \r\nQ=\"quoted\"\r\nno equals\r\n" +
      std::string("N=x\0y\r\n", 7) + "b=dup\r\n=blank\r\nLong=" + longValue + "\r\n[DEFAULT]\r\nLater=1\r\n");
  ProfileStore s;
  Open(s);
  // File order, a repeated name again, only the first section of the name, values not cut.
  EXPECT_TRUE(s.ForEachKey("Default", collect));
  EXPECT_EQ(seen, (Keys{{"b", "two"}, {"Q", "quoted"}, {"N", "x"}, {"b", "dup"}, {"Long", longValue}}));
  EXPECT_EQ(s.ReadString("b", "", 64), "two");  // reads take the first of the repeated name
  seen.clear();
  EXPECT_TRUE(s.ForEachKey("Absent", collect));
  EXPECT_TRUE(seen.empty());
  // Edited, removed and added lines, in the current section.
  s.WriteString("B", "three");
  s.WriteString("Q", nullptr);
  s.WriteString("New", "n");
  EXPECT_TRUE(s.ForEachKey(nullptr, collect));
  EXPECT_EQ(seen, (Keys{{"b", "three"}, {"N", "x"}, {"b", "dup"}, {"Long", longValue}, {"New", "n"}}));

  // The registry cannot list its keys: the caller must read by name.
  Put("[Default]\r\nUseReg=2\r\nK=1\r\n");
  ProfileStore reg;
  Open(reg, /*registry permitted*/ true);
  ASSERT_FALSE(reg.UsesIni());
  seen.clear();
  EXPECT_FALSE(reg.ForEachKey("Default", collect));
  EXPECT_TRUE(seen.empty());
}

TEST_F(StoreTest, FolderWhereTheFileShouldBe) {
  fs::create_directories(file_);
  ProfileStore s;
  Open(s);
  EXPECT_EQ(s.ReadInt("A", "7", 0, 9), 7);
  s.WriteInt("A", 1);
  EXPECT_FALSE(s.LastWriteOk());
  EXPECT_TRUE(fs::is_directory(file_));
  EXPECT_EQ(s.ReadInt("A", "7", 0, 9), 1);  // kept in memory, not lost
}

TEST_F(StoreTest, FailedReplaceKeepsOldFileAndRetriesLater) {
  Put("[Default]\r\nA=1\r\n");
  bool refuse = true;
  int replaces = 0;
  env_.files.replace = [&](const fs::path& p, const std::string& c) {
    ++replaces;
    return refuse ? false : HostFileOps().replace(p, c);
  };
  ProfileStore s;
  Open(s);
  s.WriteInt("A", 2);  // a read-only file: the write is refused
  EXPECT_FALSE(s.LastWriteOk());
  EXPECT_EQ(Get(), "[Default]\r\nA=1\r\n");
  refuse = false;
  s.WriteInt("B", 3);
  EXPECT_TRUE(s.LastWriteOk());
  EXPECT_EQ(Get(), "[Default]\r\nA=2\r\nB=3\r\n");
  EXPECT_EQ(replaces, 2);
}

TEST_F(StoreTest, UnreadableFileIsNeverOverwritten) {
  Put("[Default]\r\nKeep=1\r\n");
  int reads = 0;
  env_.files.read = [&reads](const fs::path&, std::string& out) {
    ++reads;
    out.clear();
    return false;  // held exclusively by another program
  };
  ProfileStore s;
  Open(s);
  s.WriteInt("A", 2);
  EXPECT_FALSE(s.LastWriteOk());
  EXPECT_EQ(Get(), "[Default]\r\nKeep=1\r\n");
  // A batch looks at the held file once, not at every key (each look waits).
  reads = 0;
  {
    ProfileStore::Batch batch(s);
    for (const char* key : {"B", "C", "D"}) s.WriteInt(key, 1);
  }
  EXPECT_EQ(reads, 1);
  EXPECT_FALSE(s.LastWriteOk());
}

TEST_F(StoreTest, BatchIsOneReplacementAndUnchangedContentIsNotWritten) {
  int replaces = 0;
  env_.files.replace = [&](const fs::path& p, const std::string& c) {
    ++replaces;
    return HostFileOps().replace(p, c);
  };
  ProfileStore s;
  Open(s);
  {
    ProfileStore::Batch outer(s);
    for (int sec = 1; sec <= 20; ++sec) {
      ProfileStore::Batch inner(s);
      std::string name = std::to_string(sec);
      s.ClearSection(name.c_str());
      for (int k = 0; k < 15; ++k) s.WriteInt(("%dT" + std::to_string(k)).c_str(), k, name.c_str());
    }
    EXPECT_EQ(replaces, 0);
  }
  EXPECT_EQ(replaces, 1);
  const std::string saved = Get();
  {
    ProfileStore::Batch again(s);
    for (int sec = 1; sec <= 20; ++sec) {
      std::string name = std::to_string(sec);
      s.ClearSection(name.c_str());
      for (int k = 0; k < 15; ++k) s.WriteInt(("%dT" + std::to_string(k)).c_str(), k, name.c_str());
    }
  }
  EXPECT_EQ(Get(), saved);
  EXPECT_EQ(replaces, 2);  // the same keys rewritten: the bytes are equal, still one write
  s.WriteInt("%dT3", 3, "7");
  EXPECT_EQ(replaces, 2);  // no change at all: nothing written
}

TEST_F(StoreTest, RandomEditsMatchAPlainModel) {
  std::mt19937 rng(1234);
  std::map<std::pair<std::string, std::string>, std::string> model;
  ProfileStore s;
  Open(s);
  const char* sections[] = {"Default", "1", "2", "Alpha"};
  for (int step = 0; step < 2000; ++step) {
    std::string sec = sections[rng() % 4];
    std::string key = "k" + std::to_string(rng() % 25);
    int op = static_cast<int>(rng() % 10);
    if (op == 0) {
      s.ClearSection(sec.c_str());
      for (auto it = model.begin(); it != model.end();) it = it->first.first == sec ? model.erase(it) : ++it;
    } else if (op < 3) {
      s.WriteString(key.c_str(), nullptr, sec.c_str());
      model.erase({sec, key});
    } else {
      std::string v = "v" + std::to_string(rng() % 1000);
      s.WriteString(key.c_str(), v.c_str(), sec.c_str());
      model[{sec, key}] = v;
    }
  }
  ProfileStore fresh;
  Open(fresh);
  for (const char* sec : sections)
    for (int k = 0; k < 25; ++k) {
      std::string key = "k" + std::to_string(k);
      auto it = model.find({sec, key});
      EXPECT_EQ(fresh.ReadRaw(sec, key.c_str(), "<none>", 300), it == model.end() ? "<none>" : it->second);
    }
}

}  // namespace
