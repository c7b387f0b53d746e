#include "core/note/text_escape.h"

#include <algorithm>

#include "core/text/cp932.h"

namespace varnel {
namespace {

constexpr std::string_view kStrictMarker = "\\|";

bool StartsWithMarker(std::string_view s) { return s.substr(0, kStrictMarker.size()) == kStrictMarker; }

char ControlCode(char c) { return c == '\t' ? 't' : (c == '\r' ? 'n' : 'r'); }
bool IsControl(char c) { return c == '\t' || c == '\r' || c == '\n'; }

bool IsLead(const std::string_view s, std::size_t i) {
  return cp932::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() && !IsControl(s[i + 1]);
}

// A stray lead byte before a line break, a TAB or the end is no character: taken
// as a pair, a raw control would reach the file and split the value's line, and
// kept as it is, it would pair with an escape's backslash when read back. It
// reads and writes as '?', so a text comes back as it went.
void MendLoneLeads(std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLead(text, i))
      ++i;
    else if (cp932::IsLeadByte(static_cast<unsigned char>(text[i])))
      text[i] = '?';
  }
}

// The classic form doubles a backslash only before n or r; the strict form
// doubles every backslash and marks a trailing blank.
std::string Escape(std::string_view text, bool strict) {
  std::string out(strict ? kStrictMarker : std::string_view());
  out.reserve(text.size() * 2 + 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool beforeLetter = i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'r');
    if (IsLead(text, i)) {
      out += c;
      out += text[++i];
    } else if (cp932::IsLeadByte(static_cast<unsigned char>(c))) {
      out += '?';  // a stray lead byte, as MendLoneLeads reads it
    } else if (IsControl(c)) {
      out += '\\';
      out += ControlCode(c);
    } else if (c == '\\' && (strict || beforeLetter)) {
      out += "\\\\";
    } else if (strict && c == ' ' && i + 1 == text.size()) {
      out += "\\s";  // the INI reader trims trailing blanks
    } else {
      out += c;
    }
  }
  return out;
}

// Backslash sequences of the classic form: \t \n \r, and a doubled backslash
// that stands for one only before n or r (else it stays doubled).
void UnescapeClassic(std::string_view s, std::size_t& i, char*& out) {
  const char next = s[i + 1];
  if (next == 't' || next == 'n' || next == 'r') {
    *out++ = next == 't' ? '\t' : (next == 'n' ? '\r' : '\n');
    ++i;
  } else if (next == '\\' && i + 2 < s.size() && (s[i + 2] == 'n' || s[i + 2] == 'r')) {
    *out++ = '\\';
    *out++ = s[i + 2];
    i += 2;
  } else if (next == '\\') {
    *out++ = '\\';
    *out++ = '\\';
    ++i;
  } else {
    *out++ = '\\';
  }
}

// The strict form: every backslash is doubled, \s is a blank.
void UnescapeStrict(std::string_view s, std::size_t& i, char*& out) {
  switch (s[i + 1]) {
    case 't':
      *out++ = '\t';
      break;
    case 'n':
      *out++ = '\r';
      break;
    case 'r':
      *out++ = '\n';
      break;
    case 's':
      *out++ = ' ';
      break;
    case '\\':
      *out++ = '\\';
      break;
    default:
      *out++ = '\\';
      return;  // not written by us: keep it as it stands
  }
  ++i;
}

// Whether s[at] is the second byte of a double-byte character, given that
// s[from] starts a character. Every byte of a run of lead-byte values pairs
// with the next one, so an odd run just before at makes it a second byte.
bool IsTrail(std::string_view s, std::size_t from, std::size_t at) {
  std::size_t leads = 0;
  while (at - leads > from && cp932::IsLeadByte(static_cast<unsigned char>(s[at - leads - 1]))) ++leads;
  return leads % 2 == 1;
}

std::string Unescape(std::string_view s, bool strict) {
  // Without a backslash byte every byte stands for itself (most texts).
  std::size_t slash = s.find('\\');
  if (slash == std::string_view::npos) {
    std::string text(s);
    MendLoneLeads(text);
    return text;
  }
  // No sequence unescapes to more bytes than it takes, so the stored size is enough.
  std::string text(s.size(), '\0');
  char* out = &text[0];
  std::size_t from = 0;  // starts a character
  while (slash != std::string_view::npos) {
    // The bytes up to a backslash stand for themselves, a backslash that ends a
    // double-byte character too.
    const bool trail = IsTrail(s, from, slash);
    std::size_t i = trail || slash + 1 >= s.size() ? slash + 1 : slash;
    out = std::copy(s.data() + from, s.data() + i, out);
    if (i == slash) {
      if (strict)
        UnescapeStrict(s, i, out);
      else
        UnescapeClassic(s, i, out);
      ++i;  // past the sequence: its bytes are all single-byte characters
    }
    from = i;
    slash = s.find('\\', from);
  }
  out = std::copy(s.data() + from, s.data() + s.size(), out);
  text.resize(static_cast<std::size_t>(out - text.data()));
  MendLoneLeads(text);
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// What the INI reader would change: blanks at the ends, matching quotes.
bool SurvivesIniValue(std::string_view value) {
  if (value.empty()) return true;
  if (IsBlank(value.front()) || IsBlank(value.back())) return false;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return false;
  return true;
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string classic = Escape(text, false);
  if (!StartsWithMarker(classic) && SurvivesIniValue(classic) && Unescape(classic, false) == text)
    return classic;
  return Escape(text, true);
}

std::string UnescapeText(std::string_view stored) {
  if (StartsWithMarker(stored)) return Unescape(stored.substr(kStrictMarker.size()), true);
  return Unescape(stored, false);
}

}  // namespace varnel
