#pragma once
#include <QComboBox>
#include <QStringList>

namespace kestrel::frame {

// The window themes: Qt styles with our palettes. "Obsidian" (dark) is the default.
QStringList ThemeNames();
QString DefaultTheme();
// Applies a theme to the whole application; false for an unknown name.
bool ApplyTheme(const QString& name);

// The theme list of the theme toolbar; choosing an entry applies it.
class CThemeSwitcher : public QComboBox {
    Q_OBJECT
public:
    explicit CThemeSwitcher(QWidget* parent = nullptr);
    // Selects and applies a theme (the stored one at start-up).
    void Select(const QString& name);
    QString Current() const { return currentText(); }
};

} // namespace kestrel::frame
