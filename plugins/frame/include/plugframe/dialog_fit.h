#pragma once
// Placement and size of the plug-ins' message boxes and option dialogs: a box opens over
// the window the user is working in, and no title or path is cut short.

#include <QMessageBox>
#include <QString>

class QDialog;
class QLineEdit;

// Characters of a path field that stay visible without scrolling.
inline constexpr int kVisiblePathCharacters = 60;
// Room a window manager takes from the title bar for its icon and buttons.
inline constexpr int kTitleBarAllowance = 160;

// Width a window needs so that its title of `titleTextWidth` pixels is not cut.
constexpr int WidthForTitle(int titleTextWidth) { return titleTextWidth + kTitleBarAllowance; }

// The nearest window up the parents of `widget` that is on screen (itself included), or null.
QWidget* VisibleOwner(QWidget* widget);

// A modal message box over the visible owner of `parent`, centred on it, wide enough for its
// title. Returns the button pressed.
QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Widens an option dialog so that its title and `kVisiblePathCharacters` of its path field show.
void FitToTitleAndPath(QDialog& dialog, QLineEdit* pathField);
