#include "core/config/ini_document.h"

#include <algorithm>
#include <unordered_set>

namespace varnel {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Names compare with A-Z folded to a-z on every byte, as Lower() folds them.
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Fold(c);
  return out;
}

bool FoldedEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

// FNV-1a over the folded bytes.
std::uint64_t FoldedHash(std::string_view s) {
  std::uint64_t h = 14695981039346656037ull;
  for (char c : s) {
    h ^= static_cast<unsigned char>(Fold(c));
    h *= 1099511628211ull;
  }
  return h;
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

// The name part of a key line; false for comments and lines that hold no key.
bool KeyName(std::string_view line, std::string_view& name, std::string_view& rest) {
  std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return false;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  name = Trim(t.substr(0, eq));
  rest = t.substr(eq + 1);
  return !name.empty();
}

}  // namespace

bool IniDocument::SplitKey(std::string_view line, std::string_view& name, std::string_view& value) {
  if (!KeyName(line, name, value)) return false;
  value = Trim(value);
  // The profile API stops at a NUL byte.
  if (std::size_t nul = value.find('\0'); nul != std::string_view::npos) value = Trim(value.substr(0, nul));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return true;
}

void IniDocument::IndexSection(const Section& s) {
  s.indexed = true;
  s.keys.clear();
  for (std::size_t i = 0; i < s.body.size(); ++i) {
    std::string_view name, rest;
    if (KeyName(s.body[i].Text(), name, rest)) s.keys.push_back({FoldedHash(name), i});
  }
  std::sort(s.keys.begin(), s.keys.end(), [](const KeyEntry& a, const KeyEntry& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.line < b.line;
  });
}

const IniDocument::Line* IniDocument::FindKey(const Section& s, std::string_view key, std::size_t* at) {
  if (!s.indexed) IndexSection(s);
  const std::uint64_t hash = FoldedHash(key);
  auto it = std::lower_bound(s.keys.begin(), s.keys.end(), hash,
                             [](const KeyEntry& e, std::uint64_t h) { return e.hash < h; });
  for (; it != s.keys.end() && it->hash == hash; ++it) {
    std::string_view name, rest;
    if (KeyName(s.body[it->line].Text(), name, rest) && FoldedEqual(name, key)) {
      if (at) *at = it->line;
      return &s.body[it->line];
    }
  }
  return nullptr;
}

void IniDocument::IndexSections() {
  index_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) index_.emplace(sections_[i].lowerName, i);
}

void IniDocument::Parse(std::string_view bytes) {
  source_ = std::make_shared<const std::string>(bytes);
  ParseOwned();
}

void IniDocument::Parse(std::string&& bytes) {
  source_ = std::make_shared<const std::string>(std::move(bytes));
  ParseOwned();
}

void IniDocument::ParseOwned() {
  preamble_.clear();
  sections_.clear();
  std::string_view bytes = *source_;
  bom_ = bytes.substr(0, kBom.size()) == kBom;
  if (bom_) bytes.remove_prefix(kBom.size());
  // All lines first, so each section's body is allocated once at its size.
  std::vector<Line> lines;
  lines.reserve(bytes.size() / 24 + 8);  // more than a note file has; more just grow
  std::size_t pos = 0;
  // The next '\n' at or after pos, found once for all the lone '\r' line ends before it.
  std::size_t lf = std::min(bytes.find('\n'), bytes.size());
  while (pos < bytes.size()) {
    if (lf < pos) lf = std::min(bytes.find('\n', pos), bytes.size());
    const std::size_t end = std::min(bytes.substr(0, lf).find('\r', pos), lf);
    if (end == bytes.size()) {
      lines.emplace_back(bytes.substr(pos), std::string_view());
      break;
    }
    std::size_t eolLen = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
    lines.emplace_back(bytes.substr(pos, end - pos), bytes.substr(end, eolLen));
    pos = end + eolLen;
  }
  std::vector<std::size_t> headers;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view name;
    if (!SectionName(lines[i].Text(), name)) continue;
    headers.push_back(i);
    Section s;
    s.lowerName = Lower(name);
    s.header = lines[i];
    sections_.push_back(std::move(s));
  }
  headers.push_back(lines.size());
  preamble_.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(headers.front()));
  for (std::size_t k = 0; k < sections_.size(); ++k)
    sections_[k].body.assign(lines.begin() + static_cast<std::ptrdiff_t>(headers[k] + 1),
                             lines.begin() + static_cast<std::ptrdiff_t>(headers[k + 1]));
  IndexSections();
}

std::string IniDocument::Serialize() const {
  std::string out;
  out.reserve(source_ ? source_->size() + 64 : 64);
  if (bom_) out += kBom;
  auto put = [&out](const Line& l) {
    out += l.Text();
    out += l.Eol();
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
  const Line* line = FindKey(*s, Trim(key));
  if (!line) return std::nullopt;
  std::string_view name, value;
  SplitKey(line->Text(), name, value);
  return value;
}

void IniDocument::ForEachKey(std::string_view section, const KeyVisitor& visit) const {
  const Section* s = FindSection(section);
  if (!s) return;
  for (const Line& line : s->body) {
    std::string_view name, value;
    if (SplitKey(line.Text(), name, value)) visit(name, value);
  }
}

bool IniDocument::Set(std::string_view section, std::string_view key, const char* text) {
  section = Trim(section);
  key = Trim(key);
  if (key.empty()) return false;
  Section* s = FindSection(section);
  std::size_t at = 0;
  if (!text) {
    if (!s || !FindKey(*s, key, &at)) return false;
    s->body.erase(s->body.begin() + static_cast<std::ptrdiff_t>(at));
    Unindex(*s);
    return true;
  }
  if (!s) {
    // A new section goes at the end; an unterminated last line gets its line end first.
    Line* last = nullptr;
    if (!sections_.empty())
      last = sections_.back().body.empty() ? &sections_.back().header : &sections_.back().body.back();
    else if (!preamble_.empty())
      last = &preamble_.back();
    if (last && last->Eol().empty()) last->EndWithCrLf();
    Section fresh;
    fresh.header.SetText("[" + std::string(section) + "]");
    fresh.header.EndWithCrLf();
    fresh.lowerName = Lower(section);
    sections_.push_back(std::move(fresh));
    IndexSections();
    s = &sections_.back();
  }
  if (FindKey(*s, key, &at)) {
    Line& line = s->body[at];
    std::string_view name, value;
    SplitKey(line.Text(), name, value);
    // The same value in another spelling (blanks, quotes) is left as written.
    if (value == text) return false;
    line.SetText(std::string(name) + "=" + text);
    if (line.Eol().empty()) line.EndWithCrLf();
    return true;
  }
  // After the last non-blank line of the section, so blank separators stay below.
  at = s->body.size();
  while (at > 0 && Trim(s->body[at - 1].Text()).empty()) --at;
  Line* prev = at > 0 ? &s->body[at - 1] : &s->header;
  if (prev->Eol().empty()) prev->EndWithCrLf();
  Line added;
  added.SetText(std::string(key) + "=" + text);
  added.EndWithCrLf();
  s->body.insert(s->body.begin() + static_cast<std::ptrdiff_t>(at), std::move(added));
  Unindex(*s);
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
                                 std::string_view name, rest;
                                 if (!KeyName(line.Text(), name, rest)) return false;
                                 std::string lower = Lower(name);
                                 return !wanted.count(lower) || !seen.insert(lower).second;
                               }),
                s->body.end());
  if (s->body.size() == before) return false;
  Unindex(*s);
  return true;
}

}  // namespace varnel
