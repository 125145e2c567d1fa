#include "theme_switcher.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace kestrel::frame {

namespace {

QPalette ObsidianPalette()
{
    QPalette p;
    const QColor window(45, 47, 51), base(30, 31, 34), text(225, 225, 225), highlight(66, 120, 200);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window.lighter(115));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, highlight.lighter(130));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    return p;
}

} // namespace

QStringList ThemeNames()
{
    QStringList names{"Obsidian", "Silver"};
    for (const QString& style : QStyleFactory::keys())
        if (!names.contains(style))
            names << style;
    return names;
}

QString DefaultTheme()
{
    return "Obsidian";
}

bool ApplyTheme(const QString& name)
{
    if (!ThemeNames().contains(name))
        return false;
    const bool ours = name == "Obsidian" || name == "Silver";
    QStyle* style = QStyleFactory::create(ours ? QString("Fusion") : name);
    if (!style)
        return false;
    QApplication::setStyle(style);
    QApplication::setPalette(name == "Obsidian" ? ObsidianPalette() : style->standardPalette());
    return true;
}

CThemeSwitcher::CThemeSwitcher(QWidget* parent) : QComboBox(parent)
{
    setToolTip("Theme");
    addItems(ThemeNames());
    connect(this, &QComboBox::textActivated, this, [](const QString& name) { ApplyTheme(name); });
}

void CThemeSwitcher::Select(const QString& name)
{
    const QString theme = ThemeNames().contains(name) ? name : DefaultTheme();
    setCurrentText(theme);
    ApplyTheme(theme);
}

} // namespace kestrel::frame
