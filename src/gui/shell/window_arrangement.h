#pragma once
// Arrangement of the child windows of the multi-document frame, and the clipboard commands that
// act on whichever edit control has the focus.
class QMdiArea;

enum class TileDirection { Horizontal, Vertical };

// Horizontal: the windows are stacked as full-width strips; Vertical: side by side, full height.
void TileChildWindows(QMdiArea& area, TileDirection direction);
void MinimizeChildWindows(QMdiArea& area);
// Lines the minimised windows up along the bottom edge.
void ArrangeMinimizedWindows(QMdiArea& area);

enum class ClipboardCommand { Cut, Copy, Paste };
// Runs the command on the focused edit control (line edits, text editors, editable combo and spin
// boxes); does nothing when none has the focus.
void RunClipboardCommand(ClipboardCommand command);
