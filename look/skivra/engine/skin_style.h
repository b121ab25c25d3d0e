// The style an attached skin draws with: the skin's base style with its
// palette, its metrics and its own check indicators. The skin's rules are
// laid over it as the application's style sheet.
#pragma once

#include "skin_format.h"

#include <QColor>
#include <QPalette>
#include <QProxyStyle>
#include <QString>

#include <array>

namespace skivra {

class SkinStyle : public QProxyStyle {
public:
    explicit SkinStyle(const Skin& skin);

    const QString& rules() const { return rules_; }

    QPalette standardPalette() const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    int metric(Metric metric) const { return metrics_[static_cast<std::size_t>(metric)]; }
    QColor accent(Accent accent, QPalette::ColorRole fallback, const QPalette& palette) const;
    void draw_indicator(const QStyleOption* option, QPainter* painter) const;

    QPalette palette_;
    QString rules_;
    std::array<int, static_cast<std::size_t>(Metric::Count)> metrics_;
    std::array<QColor, static_cast<std::size_t>(Accent::Count)> accents_; // invalid = unset
};

// The complete palette of a skin over the palette of its base style.
QPalette skin_palette(const Skin& skin, const QPalette& base);

} // namespace skivra
