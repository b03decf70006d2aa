// How a list box draws its lines: as Windows draws them, one font height a
// line and the text one pixel in from the left edge, never shortened with an
// ellipsis. Qt's own item margins would cost a full line of the score table
// its last characters.
#pragma once

#include <QListWidget>
#include <QRect>

namespace framework::qt {

// Makes `list` draw its lines the Windows way.
void drawLinesAsWindowsDoes(QListWidget& list);

// Where line `row` draws its text, whole, in the list's viewport coordinates.
QRect lineTextRect(const QListWidget& list, int row);

}  // namespace framework::qt
