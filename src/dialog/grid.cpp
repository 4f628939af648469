// gridbox: a table of cells with column and row spans. Column widths and row
// heights only ever grow, so a relayout never narrows a column.
#include <algorithm>
#include <numeric>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"

namespace kv::dialog {

namespace {

constexpr int kRows = 70;
constexpr int kLongestRowSpan = 65;

enum class Expand { Yes, No, Equal, Item };

// One direction of the grid: columns or rows.
struct Track {
  Expand expand = Expand::Yes;
  int item = 0;  // 0-based, for Expand::Item
  int spacing = 5;
  std::vector<int> sizes;  // never shrink
  int required = 0;        // spacing included

  // A child spanning count tracks from first that needs need: the tracks
  // grow by the expand rule when they hold less.
  void Spread(int first, int count, int need) {
    std::int64_t have = std::int64_t{count - 1} * spacing;
    for (int i = first; i < first + count; ++i) have += sizes[i];
    if (have >= need) return;
    std::int64_t missing = need - have;
    if (expand == Expand::Equal) {
      int share = Saturate((need - std::int64_t{count - 1} * spacing) / count);
      for (int i = first; i < first + count; ++i) sizes[i] = std::max(sizes[i], share);
    } else if (expand == Expand::Yes) {
      for (int i = first; i < first + count; ++i) sizes[i] = Saturate(sizes[i] + missing / count);
    } else if (expand == Expand::Item && item >= first && item < first + count) {
      sizes[item] = Saturate(sizes[item] + missing);
    } else {
      sizes[first + count - 1] = Saturate(sizes[first + count - 1] + missing);
    }
  }

  void Total(int used) {
    std::int64_t sum = std::int64_t{used - 1} * spacing;
    for (int i = 0; i < used; ++i) sum += sizes[i];
    required = Saturate(sum);
  }

  // The sizes of the first used tracks in length; remainders stay unused.
  std::vector<int> Shares(int used, int length) const {
    std::vector<int> shares(sizes.begin(), sizes.begin() + used);
    std::int64_t room = length;
    if (expand == Expand::Equal) {
      std::fill(shares.begin(), shares.end(),
                Saturate((room - std::int64_t{used - 1} * spacing) / used));
    } else if (room > 0 && room < required) {
      for (int& share : shares) share = Saturate(std::int64_t{share} * room / required);
    } else if (expand == Expand::Yes) {
      for (int& share : shares) share = Saturate(share + (room - required) / used);
    } else if (expand == Expand::Item && item >= 0 && item < used) {
      shares[item] = Saturate(shares[item] + room - required);
    }
    return shares;
  }
};

struct Cell {
  enum class State { Empty, Covered, Held };
  State state = State::Empty;
  int child = -1;  // index into children
  int columnSpan = 1;
  int rowSpan = 1;
};

struct GridItem : LayoutItem {
  using LayoutItem::LayoutItem;

  void AddChild(ItemPtr child, const XmlNode* element, Build& build) override {
    if (!HasColumns()) {
      build.Fail(GridColumnsError(columns));
      return;
    }
    int last = kRows * columns;
    while (nextCell < last && cells[nextCell].state != Cell::State::Empty) ++nextCell;
    if (nextCell == last) {
      build.Fail(GridRowsError(kRows + 1));
      return;
    }
    int row = nextCell / columns;
    int column = nextCell % columns;
    auto [columnSpan, rowSpan] = ReadSpans(element, build);
    columnSpan = std::min(columnSpan, columns - column);
    rowSpan = std::min(rowSpan, kRows - row);
    for (int r = row; r < row + rowSpan; ++r) {
      for (int c = column; c < column + columnSpan; ++c) {
        cells[r * columns + c].state = Cell::State::Covered;
      }
    }
    int index = static_cast<int>(children.size());
    cells[nextCell] = {Cell::State::Held, index, columnSpan, rowSpan};
    children.push_back(std::move(child));
    ++nextCell;
  }

  void Finish(Build&) override {
    rowsUsed = 0;
    if (!HasColumns()) return;
    while (rowsUsed < kRows && !RowEmpty(rowsUsed)) ++rowsUsed;
  }

  Size NaturalSize() override {
    if (rowsUsed > 0) Measure();
    return {std::max(columnTrack.required, width), std::max(rowTrack.required, height)};
  }

  // COLUMNS out of range only fails a grid that gets children.
  bool HasColumns() const { return columns >= 1 && columns <= kMostGridColumns; }

  int columns = 2;
  int nextCell = 0;
  int rowsUsed = 0;
  std::vector<Cell> cells;
  Track columnTrack;
  Track rowTrack{.expand = Expand::No};

 protected:
  void Place(Rect area) override {
    if (rowsUsed <= 0) return;
    std::vector<int> widths = columnTrack.Shares(columns, area.width);
    std::vector<int> heights = rowTrack.Shares(rowsUsed, area.height);
    ForEachHeld([&](int row, int column, const Cell& cell) {
      children[cell.child]->SetGeometry(
          {Offset(area.x, widths, column, columnTrack.spacing),
           Offset(area.y, heights, row, rowTrack.spacing),
           Extent(widths, column, cell.columnSpan, columnTrack.spacing),
           Extent(heights, row, cell.rowSpan, rowTrack.spacing)});
    });
  }

 private:
  bool RowEmpty(int row) const {
    for (int c = 0; c < columns; ++c) {
      if (cells[row * columns + c].state != Cell::State::Empty) return false;
    }
    return true;
  }

  template <class Visit>
  void ForEachHeld(Visit visit) const {
    for (int r = 0; r < rowsUsed; ++r) {
      for (int c = 0; c < columns; ++c) {
        const Cell& cell = cells[r * columns + c];
        if (cell.state == Cell::State::Held) visit(r, c, cell);
      }
    }
  }

  // Single cells first, then the spans spread over what they cover.
  void Measure() {
    ForEachHeld([&](int row, int column, const Cell& cell) {
      Size need = children[cell.child]->RequiredSize();
      int& columnWidth = columnTrack.sizes[column];
      int& rowHeight = rowTrack.sizes[row];
      if (cell.columnSpan == 1) columnWidth = std::max(columnWidth, need.width);
      if (cell.rowSpan == 1) rowHeight = std::max(rowHeight, need.height);
    });
    ForEachHeld([&](int row, int column, const Cell& cell) {
      if (cell.columnSpan == 1 && cell.rowSpan == 1) return;
      Size need = children[cell.child]->RequiredSize();
      if (cell.columnSpan > 1) columnTrack.Spread(column, cell.columnSpan, need.width);
      if (cell.rowSpan > 1) rowTrack.Spread(row, cell.rowSpan, need.height);
    });
    columnTrack.Total(columns);
    rowTrack.Total(rowsUsed);
  }

  static int Offset(int start, const std::vector<int>& sizes, int index, int spacing) {
    std::int64_t at = start + std::int64_t{index} * spacing;
    for (int i = 0; i < index; ++i) at += sizes[i];
    return Saturate(at);
  }

  static int Extent(const std::vector<int>& sizes, int first, int span, int spacing) {
    std::int64_t extent = std::int64_t{span - 1} * spacing;
    for (int i = first; i < first + span; ++i) extent += sizes[i];
    return Saturate(extent);
  }

  // COLSPAN and ROWSPAN of a child element; below 1 counts as 1.
  static std::pair<int, int> ReadSpans(const XmlNode* element, Build& build) {
    int columnSpan = 1;
    int rowSpan = 1;
    ForEachAttribute(element, [&](TextView name, TextView value) {
      if (EqualNoCase(name, u"COLSPAN")) columnSpan = std::max(1, ReadInteger(value));
      if (EqualNoCase(name, u"ROWSPAN")) rowSpan = std::max(1, ReadInteger(value));
    });
    if (rowSpan > kLongestRowSpan) {
      build.Fail(GridRowSpanError(rowSpan));
      rowSpan = kLongestRowSpan;
    }
    return {columnSpan, rowSpan};
  }
};

// "no", "equal", "item:n"; rows also take "yes". Other values keep the mode.
void ReadExpand(Track& track, TextView value, bool acceptsYes) {
  if (acceptsYes && EqualNoCase(value, u"yes")) {
    track.expand = Expand::Yes;
  } else if (!acceptsYes && EqualNoCase(value, u"no")) {
    track.expand = Expand::No;
  } else if (EqualNoCase(value, u"equal")) {
    track.expand = Expand::Equal;
  } else if (EqualNoCase(value.substr(0, 5), u"item:")) {
    track.expand = Expand::Item;
    track.item = Saturate(std::int64_t{ReadInteger(value.substr(5))} - 1);
  }
}

}  // namespace

ItemPtr CreateGrid(const XmlNode* element, const ElementType& type, Build& build) {
  auto grid = std::make_unique<GridItem>(type.kind);
  ReadCommonAttributes(*grid, element, type, build);
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (EqualNoCase(name, u"COLUMNS")) {
      grid->columns = ReadInteger(value);
    } else if (EqualNoCase(name, u"COLSPACING")) {
      grid->columnTrack.spacing = ReadInteger(value);
    } else if (EqualNoCase(name, u"ROWSPACING")) {
      grid->rowTrack.spacing = ReadInteger(value);
    } else if (EqualNoCase(name, u"COLEXPAND")) {
      ReadExpand(grid->columnTrack, value, false);
    } else if (EqualNoCase(name, u"ROWEXPAND")) {
      ReadExpand(grid->rowTrack, value, true);
    }
  });
  int columns = grid->HasColumns() ? grid->columns : 0;
  grid->cells.resize(static_cast<size_t>(kRows) * columns);
  grid->columnTrack.sizes.resize(columns);
  grid->rowTrack.sizes.resize(kRows);
  return grid;
}

}  // namespace kv::dialog
