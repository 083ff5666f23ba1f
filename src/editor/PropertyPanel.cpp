#include "editor/PropertyPanel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include <glm/common.hpp>

#include "editor/EditorDocument.h"
#include "graphics/Camera.h"
#include "graphics/Graphics.h"
#include "levels/Serialization.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

namespace {

constexpr const char* kTitle = "PROPERTIES (click to edit)";
// Letters of indent for each level of nesting, and at least this many between a key and its value.
constexpr std::size_t kIndent = 2;
constexpr std::size_t kKeyGap = 2;
// Where a typed character goes, shown at the end of the value being edited.
constexpr char kCursor = '_';
// Enough digits to give back every float exactly; fewer keep the panel short.
constexpr int kExactDigits = 9;
constexpr int kShownDigits = 6;
// Integers beyond this are no whole number a field can hold.
constexpr double kLargestWhole = 9.0e18;
// UTF-8: the bytes after the first of a character are 10xxxxxx.
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuation = 0x80;

const Color3 kHeading{1.0f, 0.9f, 0.3f};
const Color3 kField{1.0f, 1.0f, 1.0f};
const Color3 kEditing{0.6f, 1.0f, 0.6f};

void AddRows(const Json::Value& block, std::size_t depth, const std::string& prefix,
             std::vector<PropertyPanel::Row>& rows) {
  for (const std::string& key : block.getMemberNames()) {
    // The name was listed first, above the components.
    if (depth == 0 && key == "Name") continue;
    const Json::Value& value = block[key];
    const std::string path = prefix.empty() ? key : prefix + "." + key;
    if (value.isObject()) {
      rows.push_back({depth, key, {}, {}});
      AddRows(value, depth + 1, path, rows);
    } else if (depth == 0) {
      // A component that has no fields: only its presence is in the level.
      rows.push_back({depth, key, {}, {}});
    } else {
      rows.push_back({depth, key, path, value});
    }
  }
}

std::string Number(double value, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

std::string ValueText(const Json::Value& value, int digits) {
  switch (value.type()) {
    case Json::booleanValue: return value.asBool() ? "true" : "false";
    case Json::intValue: return std::to_string(value.asLargestInt());
    case Json::uintValue: return std::to_string(value.asLargestUInt());
    case Json::realValue: return Number(value.asDouble(), digits);
    case Json::stringValue: return value.asString();
    default: return {};
  }
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The member at a dotted path; null when the entry has none.
const Json::Value* MemberAt(const Json::Value& entry, const std::string& path) {
  const Json::Value* member = &entry;
  std::stringstream in(path);
  for (std::string key; std::getline(in, key, '.');) {
    if (!member->isObject() || !member->isMember(key)) return nullptr;
    member = &(*member)[key];
  }
  return member;
}

}  // namespace

// Fields and values --------------------------------------------------------------------

std::vector<PropertyPanel::Row> PropertyPanel::RowsOf(const Json::Value& entry) {
  std::vector<Row> rows;
  if (!entry.isObject()) return rows;
  if (entry.isMember("Name")) rows.push_back({0, "Name", "Name", entry["Name"]});
  AddRows(entry, 0, {}, rows);
  return rows;
}

std::optional<Json::Value> PropertyPanel::Parse(const std::string& path, const Json::Value& current,
                                                const std::string& text) {
  const std::string typed = Trimmed(text);
  if (current.isBool()) {
    if (typed == "true" || typed == "1") return Json::Value(true);
    if (typed == "false" || typed == "0") return Json::Value(false);
    std::cout << "Editor: " << path << " is true or false, not \"" << text << "\"\n";
    return std::nullopt;
  }
  if (current.isNumeric()) {
    char* end = nullptr;
    double number = std::strtod(typed.c_str(), &end);
    if (typed.empty() || end != typed.c_str() + typed.size() || !std::isfinite(number)) {
      std::cout << "Editor: " << path << " takes a finite number, not \"" << text << "\"\n";
      return std::nullopt;
    }
    // A whole-number field gets a whole number, negative ones too: the loader says
    // what it makes of them, as it would for a level file.
    if (current.type() != Json::realValue && number == std::trunc(number) && std::fabs(number) < kLargestWhole) {
      return Json::Value(static_cast<Json::Int64>(number));
    }
    // Every number the field lists hold is a float: kept as the float it becomes,
    // the text shown for the value gives back the very same value.
    if (std::fabs(number) <= static_cast<double>(FLT_MAX)) number = static_cast<double>(static_cast<float>(number));
    return Json::Value(number);
  }
  if (current.isString()) return Json::Value(text);
  std::cout << "Editor: " << path << " is not one value to type\n";
  return std::nullopt;
}

bool PropertyPanel::Apply(EditorDocument& document, EditorHandle handle, const std::string& path,
                          const std::string& text) {
  const GameObject* object = document.Object(handle);
  if (object == nullptr) return false;
  const Json::Value entry = Serialization::Instance().WriteEntry(*object);
  const Json::Value* current = MemberAt(entry, path);
  if (current == nullptr) {
    std::cout << "Editor: the object has no field " << path << "\n";
    return false;
  }
  const std::optional<Json::Value> value = Parse(path, *current, text);
  return value && document.SetProperty(handle, path, *value);
}

// The panel ------------------------------------------------------------------------------

std::optional<EditorHandle> PropertyPanel::Target(const EditorDocument& document) const {
  if (!Shown || document.Selection().size() != 1 || document.Object(document.Selection()[0]) == nullptr) {
    return std::nullopt;
  }
  return document.Selection()[0];
}

std::vector<PropertyPanel::Row> PropertyPanel::Rows(const EditorDocument& document) const {
  const std::optional<EditorHandle> target = Target(document);
  if (!target) return {};
  return RowsOf(Serialization::Instance().WriteEntry(*document.Object(*target)));
}

std::vector<EditorPanel::Line> PropertyPanel::Lines(const std::vector<Row>& rows) const {
  std::size_t column = 0;
  for (const Row& row : rows) {
    if (!row.Path.empty()) column = std::max(column, row.Depth * kIndent + row.Key.size() + kKeyGap);
  }
  std::vector<EditorPanel::Line> lines{{kTitle, kHeading, false}};
  for (const Row& row : rows) {
    std::string text = std::string(row.Depth * kIndent, ' ') + row.Key;
    if (row.Path.empty()) {
      lines.push_back({text, kHeading, false});
      continue;
    }
    text.resize(column, ' ');
    const bool editing = edit_ && edit_->Path == row.Path;
    if (editing) {
      lines.push_back({text + edit_->Text + kCursor, kEditing, true});
    } else {
      lines.push_back({text + ValueText(row.Value, kShownDigits), kField, false});
    }
  }
  return lines;
}

void PropertyPanel::MakeWay(const EditorDocument& document, const Camera& view, std::size_t lines) const {
  panel_.SetEdge(EditorPanel::Edge::Right);
  const std::optional<EditorHandle> target = Target(document);
  const Transform* t = target ? document.Object(*target)->GetComponent<Transform>() : nullptr;
  if (t == nullptr || !LeftEdgeFree) return;
  const Vec2 half = glm::abs(t->Scale) * 0.5f;
  auto overlaps = [&] {
    const EditorPanel::Area area = panel_.AreaFor(view, lines);
    return t->Position.x + half.x >= area.Min.x && t->Position.x - half.x <= area.Max.x &&
           t->Position.y + half.y >= area.Min.y && t->Position.y - half.y <= area.Max.y;
  };
  if (!overlaps()) return;
  panel_.SetEdge(EditorPanel::Edge::Left);
  if (overlaps()) panel_.SetEdge(EditorPanel::Edge::Right);
}

bool PropertyPanel::Covers(const EditorDocument& document, const Camera& view, Vec2 world) const {
  const std::vector<Row> rows = Rows(document);
  if (rows.empty()) return false;
  MakeWay(document, view, rows.size() + 1);
  return panel_.Covers(view, rows.size() + 1, world);
}

bool PropertyPanel::Click(EditorDocument& document, const Camera& view, Vec2 world) {
  edit_.reset();
  const std::vector<Row> rows = Rows(document);
  if (!Covers(document, view, world)) return false;
  const std::optional<std::size_t> line = panel_.LineAt(view, rows.size() + 1, world);
  // Line 0 is the title.
  if (line && *line > 0) Begin(document, rows[*line - 1].Path);
  return true;
}

bool PropertyPanel::Begin(EditorDocument& document, const std::string& path) {
  edit_.reset();
  if (path.empty()) return false;
  for (const Row& row : Rows(document)) {
    if (row.Path != path) continue;
    const EditorHandle handle = document.Selection()[0];
    if (row.Value.isBool()) {
      Apply(document, handle, row.Path, row.Value.asBool() ? "false" : "true");
    } else {
      edit_ = Edit{handle, row.Path, ValueText(row.Value, kExactDigits)};
    }
    return true;
  }
  return false;
}

bool PropertyPanel::Scroll(const EditorDocument& document, const Camera& view, Vec2 world, float notches) {
  if (!Covers(document, view, world)) return false;
  panel_.Scroll(view, Rows(document).size() + 1, notches);
  return true;
}

bool PropertyPanel::OnKey(EditorDocument& document, SDL_Keycode key) {
  if (!edit_) return false;
  if (Target(document) != edit_->Handle) {
    edit_.reset();
    return false;
  }
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: {
      const Edit edit = *edit_;
      edit_.reset();
      Apply(document, edit.Handle, edit.Path, edit.Text);
      return true;
    }
    case SDLK_ESCAPE: edit_.reset(); return true;
    case SDLK_BACKSPACE:
      // A whole UTF-8 character goes: its continuation bytes, then its first byte.
      if (edit_->Fresh) edit_->Text.clear();
      edit_->Fresh = false;
      while (!edit_->Text.empty() &&
             (static_cast<unsigned char>(edit_->Text.back()) & kContinuationMask) == kContinuation) {
        edit_->Text.pop_back();
      }
      if (!edit_->Text.empty()) edit_->Text.pop_back();
      return true;
    default: return true;
  }
}

void PropertyPanel::Type(const std::string& text) {
  if (!edit_) return;
  if (edit_->Fresh) edit_->Text.clear();
  edit_->Fresh = false;
  edit_->Text += text;
}

void PropertyPanel::Draw(Graphics& graphics, const EditorDocument& document) const {
  const std::vector<Row> rows = Rows(document);
  if (rows.empty()) return;
  MakeWay(document, graphics.Camera, rows.size() + 1);
  panel_.Draw(graphics, Lines(rows));
}

}  // namespace Framework
