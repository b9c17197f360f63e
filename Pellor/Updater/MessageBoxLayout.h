#pragma once
// Lays a message box out at the natural width of its texts. By itself a
// message box takes the width of its main text, often a short sentence, and
// wraps its detail into that width mid-sentence; laid out here, each line of
// the detail keeps to one line where the screen has room for it, and wraps
// only past the width the screen allows a message box. The update windows
// and the application's alerts use it (this library is the lowest one both
// link). Keeps nothing; main thread only.

#include <limits>

class QLabel;
class QMessageBox;

namespace pellor {

// Call after the box's texts are set. `widest` caps the detail's width below
// what the screen allows, for a box that should stay compact.
void layOutAtNaturalWidth(QMessageBox& box, int widest = std::numeric_limits<int>::max());
// The label of the box's detail (its informative text); none before that text
// is set, or should Qt rename its internal label.
QLabel* informativeLabel(QMessageBox& box);

}  // namespace pellor
