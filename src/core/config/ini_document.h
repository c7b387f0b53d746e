// The bytes of one INI file, parsed by the profile API's reading rules and
// edited the way WritePrivateProfileString edits: lines the program does not
// change keep their bytes, so comments and odd lines written by hand survive.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnel {

class IniDocument {
 public:
  void Parse(std::string_view bytes);
  std::string Serialize() const;

  // Value of the first matching key in the first matching section, unquoted;
  // nullopt when absent.
  std::optional<std::string_view> Get(std::string_view section, std::string_view key) const;
  // text null removes the key. Returns whether the content changed.
  bool Set(std::string_view section, std::string_view key, const char* text);
  bool RemoveSection(std::string_view section);
  // Removes every key of the section not named in keys, and repeated keys.
  bool RetainKeys(std::string_view section, const std::vector<std::string>& keys);

 private:
  struct Line {
    std::string text;  // without the line end
    std::string eol;   // "\r\n", "\n", "\r" or "" for an unterminated last line
  };
  struct Section {
    Line header;
    std::string lowerName;
    std::vector<Line> body;
    std::unordered_map<std::string, std::size_t> keys;  // lower-case key -> first body line
  };
  static bool SplitKey(std::string_view line, std::string_view& name, std::string_view& value);
  static void IndexSection(Section& s);
  Section* FindSection(std::string_view section);
  const Section* FindSection(std::string_view section) const;
  void IndexSections();

  std::string bom_;
  std::vector<Line> preamble_;  // lines before the first section header
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> index_;  // lower-case name -> first section
};

}  // namespace varnel
