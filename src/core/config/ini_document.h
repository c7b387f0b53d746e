// The bytes of one INI file, parsed by the profile API's reading rules and
// edited the way WritePrivateProfileString edits: lines the program does not
// change keep their bytes, so comments and odd lines written by hand survive.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnel {

class IniDocument {
 public:
  void Parse(std::string_view bytes);
  void Parse(std::string&& bytes);  // takes the bytes over instead of copying them
  std::string Serialize() const;

  // Value of the first matching key in the first matching section, unquoted;
  // nullopt when absent.
  std::optional<std::string_view> Get(std::string_view section, std::string_view key) const;
  // Every key line of the first matching section in file order, with the name
  // and value Get would see; a repeated name comes again (Get takes the first).
  // The views are valid during the call only.
  using KeyVisitor = std::function<void(std::string_view name, std::string_view value)>;
  void ForEachKey(std::string_view section, const KeyVisitor& visit) const;
  // text null removes the key. Returns whether the content changed.
  bool Set(std::string_view section, std::string_view key, const char* text);
  bool RemoveSection(std::string_view section);
  // Removes every key of the section not named in keys, and repeated keys.
  bool RetainKeys(std::string_view section, const std::vector<std::string>& keys);

 private:
  // A line's bytes stay in the parsed file until the line is edited, so parsing
  // allocates nothing per line.
  class Line {
   public:
    Line() = default;
    Line(std::string_view text, std::string_view eol) : view_(text), eol_(EolCode(eol)) {}
    std::string_view Text() const { return owned_ ? std::string_view(own_) : view_; }
    std::string_view Eol() const { return kEols[eol_]; }
    void SetText(std::string text) {
      own_ = std::move(text);
      owned_ = true;
    }
    void EndWithCrLf() { eol_ = 1; }

   private:
    // "" only for an unterminated last line.
    static constexpr std::string_view kEols[] = {"", "\r\n", "\n", "\r"};
    static std::uint8_t EolCode(std::string_view eol) {
      return eol.empty() ? 0 : eol.size() == 2 ? 1 : eol[0] == '\n' ? 2 : 3;
    }
    std::string_view view_;
    std::string own_;
    bool owned_ = false;
    std::uint8_t eol_ = 0;
  };
  // Key lines by the hash of their case-folded name, sorted by hash and then
  // line, so the first of equal names is found first. It holds line numbers
  // only: nothing in it points into a line that an edit or a move replaces.
  // Built at the first lookup in the section: a note load walks its sections
  // without any.
  struct KeyEntry {
    std::uint64_t hash;
    std::size_t line;
  };
  struct Section {
    Line header;
    std::string lowerName;
    std::vector<Line> body;
    mutable std::vector<KeyEntry> keys;
    mutable bool indexed = false;
  };
  static bool SplitKey(std::string_view line, std::string_view& name, std::string_view& value);
  static void IndexSection(const Section& s);
  static void Unindex(Section& s) { s.indexed = false; }
  static const Line* FindKey(const Section& s, std::string_view key, std::size_t* at = nullptr);
  Section* FindSection(std::string_view section);
  const Section* FindSection(std::string_view section) const;
  void IndexSections();
  void ParseOwned();

  // The bytes the unedited lines point into. Shared and never changed, so a
  // copy of the document stays valid on its own.
  std::shared_ptr<const std::string> source_;
  bool bom_ = false;            // a UTF-8 byte order mark, written back as found
  std::vector<Line> preamble_;  // lines before the first section header
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> index_;  // lower-case name -> first section
};

}  // namespace varnel
