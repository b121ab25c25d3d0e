#include "skin_style.h"

#include <array>

namespace skivra {

namespace {

QPalette::ColorRole qt_role(ColorRole role) {
    switch (role) {
    case ColorRole::Window:
        return QPalette::Window;
    case ColorRole::WindowText:
        return QPalette::WindowText;
    case ColorRole::Base:
        return QPalette::Base;
    case ColorRole::AlternateBase:
        return QPalette::AlternateBase;
    case ColorRole::ToolTipBase:
        return QPalette::ToolTipBase;
    case ColorRole::ToolTipText:
        return QPalette::ToolTipText;
    case ColorRole::PlaceholderText:
        return QPalette::PlaceholderText;
    case ColorRole::Text:
        return QPalette::Text;
    case ColorRole::Button:
        return QPalette::Button;
    case ColorRole::ButtonText:
        return QPalette::ButtonText;
    case ColorRole::BrightText:
        return QPalette::BrightText;
    case ColorRole::Light:
        return QPalette::Light;
    case ColorRole::Midlight:
        return QPalette::Midlight;
    case ColorRole::Mid:
        return QPalette::Mid;
    case ColorRole::Dark:
        return QPalette::Dark;
    case ColorRole::Shadow:
        return QPalette::Shadow;
    case ColorRole::Highlight:
        return QPalette::Highlight;
    case ColorRole::HighlightedText:
        return QPalette::HighlightedText;
    case ColorRole::Link:
        return QPalette::Link;
    case ColorRole::LinkVisited:
        return QPalette::LinkVisited;
    case ColorRole::Count:
        break;
    }
    return QPalette::NoRole;
}

QColor qt_color(Rgba c) {
    return QColor(c.r, c.g, c.b, c.a);
}

QColor blend(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

QPalette skin_palette(const Skin& skin, const QPalette& base) {
    QPalette palette = base;
    std::array<bool, QPalette::NColorRoles> disabled_given{};
    for (const PaletteEntry& entry : skin.palette) {
        const QPalette::ColorRole role = qt_role(entry.role);
        const QColor color = qt_color(entry.color);
        switch (entry.group) {
        case ColorGroup::All:
            palette.setColor(role, color);
            break;
        case ColorGroup::Active:
            palette.setColor(QPalette::Active, role, color);
            break;
        case ColorGroup::Inactive:
            palette.setColor(QPalette::Inactive, role, color);
            break;
        case ColorGroup::Disabled:
            palette.setColor(QPalette::Disabled, role, color);
            disabled_given[role] = true;
            break;
        case ColorGroup::Count:
            break;
        }
    }
    // Disabled text the skin does not name fades into its background, so
    // that a disabled control never looks enabled.
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> faded[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button}};
    for (const auto& [text, background] : faded) {
        if (!disabled_given[text]) {
            palette.setColor(QPalette::Disabled, text,
                             blend(palette.color(QPalette::Active, text),
                                   palette.color(QPalette::Active, background)));
        }
    }
    // Every role counts as set, so that the application palette is the
    // skin's own and nothing shows through from the desktop theme.
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (r != QPalette::NoRole) {
                palette.setColor(g, r, palette.color(g, r));
            }
        }
    }
    return palette;
}

} // namespace skivra
