// Writes the rows of the case table as JSON for the page test, so that every
// layer reads the table through the one reader. Each UTF-16 unit outside
// printable ASCII is written as \uXXXX, which keeps a lone surrogate.
// Usage: case_rows_json TABLE JSON

#include <cstdio>
#include <fstream>

#include "case_table.h"

namespace {

std::string Json(std::u16string_view text) {
  std::string out = "\"";
  for (const char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F && unit != u'"' && unit != u'\\') {
      out += static_cast<char>(unit);
    } else {
      char escape[7];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
      out += escape;
    }
  }
  return out + "\"";
}

std::string Json(const quorvel::cases::Case& c) {
  std::string results, messages;
  for (const std::u16string& result : c.results)
    results += (results.empty() ? "" : ",") + Json(result);
  for (const auto& [title, prompt] : c.messages) {
    messages += (messages.empty() ? "[" : ",[") + Json(title) + "," + Json(prompt) + "]";
  }
  std::string focus = "null";
  if (c.focus) {
    focus = "{\"box\":\"" + c.focus->box + "\",\"start\":" + std::to_string(c.focus->start) +
            ",\"length\":" + std::to_string(c.focus->length) + "}";
  }
  return "{\"name\":\"" + c.name + "\",\"window\":" + (c.window ? "true" : "false") +
         ",\"clearAnswer\":\"" + (c.clearAnswer ? std::string(1, c.clearAnswer) : "") +
         "\",\"copiedCount\":" + (c.copiedCount ? std::to_string(*c.copiedCount) : "null") +
         ",\"editsAfter\":" + (c.editsAfter ? "true" : "false") +
         ",\"precision\":" + Json(c.precision) + ",\"data\":" + Json(c.data) +
         ",\"writesResults\":" + (c.writesResults ? "true" : "false") + ",\"results\":[" + results +
         "],\"focus\":" + focus + ",\"messages\":[" + messages + "]}";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::ofstream out(argv[2], std::ios::binary);
  std::string separator = "[";
  for (const quorvel::cases::Case& c : quorvel::cases::ReadCases(argv[1])) {
    out << separator << Json(c) << '\n';
    separator = ",";
  }
  out << "]\n";
  return out ? 0 : 1;
}
