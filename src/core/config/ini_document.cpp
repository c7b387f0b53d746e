#include "core/config/ini_document.h"

#include <algorithm>
#include <unordered_set>

namespace varnel {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view Trim(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A header "[name]" (name trimmed). A line without ']' is no header, as for the
// profile API.
bool SectionName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  std::size_t close = line.rfind(']');
  if (close == std::string_view::npos) return false;
  name = Trim(line.substr(0, close));
  return true;
}

}  // namespace

bool IniDocument::SplitKey(std::string_view line, std::string_view& name, std::string_view& value) {
  std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return false;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  name = Trim(t.substr(0, eq));
  if (name.empty()) return false;
  value = Trim(t.substr(eq + 1));
  // The profile API stops at a NUL byte.
  if (std::size_t nul = value.find('\0'); nul != std::string_view::npos) value = Trim(value.substr(0, nul));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return true;
}

void IniDocument::IndexSection(Section& s) {
  s.keys.clear();
  for (std::size_t i = 0; i < s.body.size(); ++i) {
    std::string_view name, value;
    if (SplitKey(s.body[i].text, name, value)) s.keys.emplace(Lower(name), i);
  }
}

void IniDocument::IndexSections() {
  index_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) index_.emplace(sections_[i].lowerName, i);
}

void IniDocument::Parse(std::string_view bytes) {
  bom_.clear();
  preamble_.clear();
  sections_.clear();
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bom_ = std::string(bytes.substr(0, 3));
    bytes.remove_prefix(3);
  }
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    Line line;
    if (end == std::string_view::npos) {
      line.text = std::string(bytes.substr(pos));
      pos = bytes.size();
    } else {
      line.text = std::string(bytes.substr(pos, end - pos));
      std::size_t eolLen = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
      line.eol = std::string(bytes.substr(end, eolLen));
      pos = end + eolLen;
    }
    std::string_view name;
    if (SectionName(line.text, name)) {
      Section s;
      s.lowerName = Lower(name);
      s.header = std::move(line);
      sections_.push_back(std::move(s));
    } else if (sections_.empty()) {
      preamble_.push_back(std::move(line));
    } else {
      sections_.back().body.push_back(std::move(line));
    }
  }
  for (Section& s : sections_) IndexSection(s);
  IndexSections();
}

std::string IniDocument::Serialize() const {
  std::string out = bom_;
  auto put = [&out](const Line& l) {
    out += l.text;
    out += l.eol;
  };
  for (const Line& l : preamble_) put(l);
  for (const Section& s : sections_) {
    put(s.header);
    for (const Line& l : s.body) put(l);
  }
  return out;
}

IniDocument::Section* IniDocument::FindSection(std::string_view section) {
  auto it = index_.find(Lower(Trim(section)));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const {
  auto it = index_.find(Lower(Trim(section)));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string_view> IniDocument::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  auto it = s->keys.find(Lower(Trim(key)));
  if (it == s->keys.end()) return std::nullopt;
  std::string_view name, value;
  SplitKey(s->body[it->second].text, name, value);
  return value;
}

bool IniDocument::Set(std::string_view section, std::string_view key, const char* text) {
  section = Trim(section);
  key = Trim(key);
  if (key.empty()) return false;
  Section* s = FindSection(section);
  if (!text) {
    if (!s) return false;
    auto it = s->keys.find(Lower(key));
    if (it == s->keys.end()) return false;
    s->body.erase(s->body.begin() + static_cast<std::ptrdiff_t>(it->second));
    IndexSection(*s);
    return true;
  }
  if (!s) {
    // A new section goes at the end; an unterminated last line gets its line end first.
    Line* last = nullptr;
    if (!sections_.empty())
      last = sections_.back().body.empty() ? &sections_.back().header : &sections_.back().body.back();
    else if (!preamble_.empty())
      last = &preamble_.back();
    if (last && last->eol.empty()) last->eol = "\r\n";
    Section fresh;
    fresh.header.text = "[" + std::string(section) + "]";
    fresh.header.eol = "\r\n";
    fresh.lowerName = Lower(section);
    sections_.push_back(std::move(fresh));
    IndexSections();
    s = &sections_.back();
  }
  auto it = s->keys.find(Lower(key));
  if (it != s->keys.end()) {
    Line& line = s->body[it->second];
    std::string_view name, value;
    SplitKey(line.text, name, value);
    // The same value in another spelling (blanks, quotes) is left as written.
    if (value == text) return false;
    std::string updated = std::string(name) + "=" + text;
    line.text = std::move(updated);
    if (line.eol.empty()) line.eol = "\r\n";
    return true;
  }
  // After the last non-blank line of the section, so blank separators stay below.
  std::size_t at = s->body.size();
  while (at > 0 && Trim(s->body[at - 1].text).empty()) --at;
  Line* prev = at > 0 ? &s->body[at - 1] : &s->header;
  if (prev->eol.empty()) prev->eol = "\r\n";
  s->body.insert(s->body.begin() + static_cast<std::ptrdiff_t>(at), Line{std::string(key) + "=" + text, "\r\n"});
  IndexSection(*s);
  return true;
}

bool IniDocument::RemoveSection(std::string_view section) {
  // Every section of that name goes: a later duplicate would surface otherwise.
  const std::string lower = Lower(Trim(section));
  const std::size_t before = sections_.size();
  sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                 [&](const Section& s) { return s.lowerName == lower; }),
                  sections_.end());
  if (sections_.size() == before) return false;
  IndexSections();
  return true;
}

bool IniDocument::RetainKeys(std::string_view section, const std::vector<std::string>& keys) {
  Section* s = FindSection(section);
  if (!s) return false;
  std::unordered_set<std::string> wanted;
  for (const std::string& k : keys) wanted.insert(Lower(Trim(k)));
  std::unordered_set<std::string> seen;
  const std::size_t before = s->body.size();
  s->body.erase(std::remove_if(s->body.begin(), s->body.end(),
                               [&](const Line& line) {
                                 std::string_view name, value;
                                 if (!SplitKey(line.text, name, value)) return false;
                                 std::string lower = Lower(name);
                                 return !wanted.count(lower) || !seen.insert(lower).second;
                               }),
                s->body.end());
  if (s->body.size() == before) return false;
  IndexSection(*s);
  return true;
}

}  // namespace varnel
