#include "core/note/text_escape.h"

#include "core/text/cp932.h"

namespace varnel {
namespace {

constexpr std::string_view kStrictMarker = "\\|";

bool StartsWithMarker(std::string_view s) { return s.substr(0, kStrictMarker.size()) == kStrictMarker; }

bool IsLead(const std::string_view s, std::size_t i) {
  return cp932::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
}

char ControlCode(char c) { return c == '\t' ? 't' : (c == '\r' ? 'n' : 'r'); }
bool IsControl(char c) { return c == '\t' || c == '\r' || c == '\n'; }

std::string ClassicEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsLead(text, i)) {
      out += c;
      out += text[++i];
    } else if (IsControl(c)) {
      out += '\\';
      out += ControlCode(c);
    } else if (c == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'r')) {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out;
}

std::string ClassicUnescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (IsLead(s, i)) {
      out += c;
      out += s[++i];
      continue;
    }
    if (c != '\\' || i + 1 >= s.size()) {
      out += c;
      continue;
    }
    const char next = s[i + 1];
    if (next == 't' || next == 'n' || next == 'r') {
      out += next == 't' ? '\t' : (next == 'n' ? '\r' : '\n');
      ++i;
    } else if (next == '\\') {
      if (i + 2 < s.size() && (s[i + 2] == 'n' || s[i + 2] == 'r')) {
        out += '\\';
        out += s[i + 2];
        i += 2;
      } else {
        out += "\\\\";
        ++i;
      }
    } else {
      out += c;
    }
  }
  return out;
}

std::string StrictEscape(std::string_view text) {
  std::string out(kStrictMarker);
  out.reserve(text.size() * 2 + 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsLead(text, i)) {
      out += c;
      out += text[++i];
    } else if (IsControl(c)) {
      out += '\\';
      out += ControlCode(c);
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == ' ' && i + 1 == text.size()) {
      out += "\\s";  // the INI reader trims trailing blanks
    } else {
      out += c;
    }
  }
  return out;
}

std::string StrictUnescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (IsLead(s, i)) {
      out += c;
      out += s[++i];
      continue;
    }
    if (c != '\\' || i + 1 >= s.size()) {
      out += c;
      continue;
    }
    switch (s[++i]) {
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\r';
        break;
      case 'r':
        out += '\n';
        break;
      case 's':
        out += ' ';
        break;
      case '\\':
        out += '\\';
        break;
      default:  // not written by us: keep it as it stands
        out += '\\';
        --i;
    }
  }
  return out;
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
  std::string classic = ClassicEscape(text);
  if (!StartsWithMarker(classic) && SurvivesIniValue(classic) && ClassicUnescape(classic) == text)
    return classic;
  return StrictEscape(text);
}

std::string UnescapeText(std::string_view stored) {
  if (StartsWithMarker(stored)) return StrictUnescape(stored.substr(kStrictMarker.size()));
  return ClassicUnescape(stored);
}

}  // namespace varnel
