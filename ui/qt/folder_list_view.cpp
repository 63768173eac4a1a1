#include "ui/qt/folder_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QStyle>
#include <algorithm>
#include <array>

#include "ui/main_window_layout.h"

namespace tarnwick::ui {

FolderListView::FolderListView(QWidget* parent) : QTableView(parent) {
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setTextElideMode(Qt::ElideRight);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  // Room for the check box with a little air above and below it, inside the grid lines.
  const int box = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
  verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height(), box) + 5);

  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(true);
  header->setSectionsMovable(false);
  header->setHighlightSections(false);
  header->setSortIndicatorShown(false);
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  // The highlight shows only while the list has the focus; the selection itself stays.
  QPalette colours = palette();
  colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Base));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Text));
  setPalette(colours);
}

void FolderListView::divideColumns() {
  if (!model() || model()->columnCount() != 3) return;
  dividedWidth_ = viewport()->width();
  const std::array<int, 3> widths = ColumnWidths(dividedWidth_);
  for (int column = 0; column < 3; ++column)
    horizontalHeader()->resizeSection(column, widths[static_cast<std::size_t>(column)]);
}

void FolderListView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  // Only a change of width re-divides: a horizontal scroll bar that a dragged divider brings
  // changes the height alone and must leave the divider where the user put it.
  if (viewport()->width() != dividedWidth_) divideColumns();
}

void FolderListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit listDoubleClicked();
}

void FolderListView::keyPressEvent(QKeyEvent* event) {
  // The space bar ticks the focused row whichever of its cells holds the focus.
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
      currentIndex().isValid()) {
    const QModelIndex box = model()->index(currentIndex().row(), 0);
    const bool ticked = box.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model()->setData(box, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace tarnwick::ui
