// JSON text as Korvane writes it. Documents are built as ordered_json (member order is
// part of the output) and written here with one string escaper and a layout that says
// where lines break, so each format keeps the shape its readers and diffs rely on.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace korvane::interchange {

using TJson = nlohmann::ordered_json;

/// The quoted JSON string for bytes: UTF-8 when the bytes are valid UTF-8, otherwise each
/// byte as Latin-1; control characters (C1 ones included) escaped.
[[nodiscard]] std::string JsonString(const std::string& bytes);

struct TJsonMemberLayout;

/// Where an array or object breaks its lines; the default is all on one line.
struct TJsonLayout {
  /// Between items or members.
  std::string Separator = ", ";
  /// Before the first item or member, when there is one.
  std::string First;
  /// Before the closing bracket, always.
  std::string Close;
  /// The layouts of an object's members, by name; others are on one line.
  std::vector<TJsonMemberLayout> Members;
  /// When set, writes item i of an array instead of the item held (lists too large to
  /// hold in memory are given as that many nulls).
  std::function<void(std::ostream&, std::size_t)> WriteItem;
};

/// The layout of one member of an object. A struct of its own rather than a pair, since a
/// pair of a type still being defined does not compile with every standard library.
struct TJsonMemberLayout {
  std::string Name;
  TJsonLayout Layout;
};

/// Writes value with ", " and ": " between its parts and lines broken as layout says.
void WriteJsonText(std::ostream& out, const TJson& value, const TJsonLayout& layout = {});
[[nodiscard]] std::string JsonText(const TJson& value, const TJsonLayout& layout = {});

}  // namespace korvane::interchange
