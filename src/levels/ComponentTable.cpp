#include "levels/ComponentTable.h"

#include <algorithm>

namespace Framework {

namespace {

struct Table {
  std::vector<ComponentRow> Rows;
  // How many rows, from the first, have a level key.
  std::size_t Keyed = 0;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

void SetComponentRows(std::vector<ComponentRow> rows) {
  Table& table = TheTable();
  table.Rows = std::move(rows);
  table.Keyed = static_cast<std::size_t>(
      std::find_if(table.Rows.begin(), table.Rows.end(), [](const ComponentRow& row) { return row.Key.empty(); }) -
      table.Rows.begin());
  std::vector<ComponentAttach> attachments;
  attachments.reserve(table.Rows.size());
  for (const ComponentRow& row : table.Rows) attachments.push_back({row.Command, row.Attach, row.InitializeAfterCallback});
  SetComponentAttachments(std::move(attachments));
}

std::span<const ComponentRow> ComponentRows() {
  const Table& table = TheTable();
  return std::span<const ComponentRow>(table.Rows).first(table.Keyed);
}

const ComponentRow* FindComponentRow(std::string_view key) {
  if (key.empty()) return nullptr;
  const auto& rows = TheTable().Rows;
  auto it = std::find_if(rows.begin(), rows.end(), [key](const ComponentRow& row) { return row.Key == key; });
  return it == rows.end() ? nullptr : &*it;
}

}  // namespace Framework
