#include "skin_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace skivra {

namespace {

QStyle* create_base_style(const std::string& name) {
    if (QStyle* style = QStyleFactory::create(QString::fromStdString(name))) {
        return style;
    }
    return QStyleFactory::create(QStringLiteral("Fusion"));
}

QColor mix(const QColor& a, const QColor& b, double share_of_b) {
    const double keep = 1.0 - share_of_b;
    return QColor::fromRgbF(static_cast<float>(a.redF() * keep + b.redF() * share_of_b),
                            static_cast<float>(a.greenF() * keep + b.greenF() * share_of_b),
                            static_cast<float>(a.blueF() * keep + b.blueF() * share_of_b),
                            static_cast<float>(a.alphaF() * keep + b.alphaF() * share_of_b));
}

} // namespace

SkinStyle::SkinStyle(const Skin& skin)
    : QProxyStyle(create_base_style(skin.base_style)), rules_(QString::fromStdString(skin.rules)) {
    metrics_.fill(-1);
    for (const MetricEntry& entry : skin.metrics) {
        metrics_[static_cast<std::size_t>(entry.metric)] = entry.value;
    }
    for (const AccentEntry& entry : skin.accents) {
        accents_[static_cast<std::size_t>(entry.accent)] =
            QColor(entry.color.r, entry.color.g, entry.color.b, entry.color.a);
    }
    palette_ = skin_palette(skin, baseStyle()->standardPalette());
    setObjectName(QStringLiteral("skivra"));
}

QPalette SkinStyle::standardPalette() const {
    return palette_;
}

int SkinStyle::pixelMetric(PixelMetric which, const QStyleOption* option,
                           const QWidget* widget) const {
    Metric ours = Metric::Count;
    switch (which) {
    case PM_ButtonMargin:
        ours = Metric::ButtonMargin;
        break;
    case PM_DefaultFrameWidth:
        ours = Metric::FrameWidth;
        break;
    case PM_ScrollBarExtent:
        ours = Metric::ScrollBarExtent;
        break;
    case PM_ScrollBarSliderMin:
        ours = Metric::ScrollBarSliderMin;
        break;
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        ours = Metric::IndicatorSize;
        break;
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical:
        ours = Metric::ButtonShift;
        break;
    case PM_HeaderMargin:
        ours = Metric::HeaderMargin;
        break;
    case PM_MenuBarItemSpacing:
        ours = Metric::MenuBarItemSpacing;
        break;
    default:
        break;
    }
    if (ours != Metric::Count && metric(ours) >= 0) {
        return metric(ours);
    }
    return QProxyStyle::pixelMetric(which, option, widget);
}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    const bool indicator =
        element == PE_IndicatorCheckBox || element == PE_IndicatorItemViewItemCheck;
    if (indicator && metric(Metric::IndicatorShape) > 0) {
        draw_indicator(option, painter);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QColor SkinStyle::accent(Accent which, QPalette::ColorRole fallback,
                         const QPalette& palette) const {
    const QColor& color = accents_[static_cast<std::size_t>(which)];
    return color.isValid() ? color : palette.color(fallback);
}

void SkinStyle::draw_indicator(const QStyleOption* option, QPainter* painter) const {
    const QPalette& palette = option->palette;
    const bool on = option->state & State_On;
    const bool partly = option->state & State_NoChange;
    const bool enabled = option->state & State_Enabled;
    const bool hover = (option->state & State_MouseOver) && enabled;

    QColor frame = accent(Accent::IndicatorFrame, QPalette::Dark, palette);
    QColor fill = accent(Accent::IndicatorFill, QPalette::Base, palette);
    if (on || partly) {
        fill = accent(Accent::IndicatorChecked, QPalette::Highlight, palette);
    }
    QColor mark = accent(Accent::IndicatorMark, QPalette::HighlightedText, palette);
    if (hover) {
        fill = fill.lighter(112);
    }
    if (!enabled) {
        const QColor faded = palette.color(QPalette::Window);
        frame = mix(frame, faded, 0.55);
        fill = mix(fill, faded, 0.55);
        mark = mix(mark, faded, 0.55);
    }

    const int side = std::max(6, std::min(option->rect.width(), option->rect.height()));
    QRectF box(0, 0, side, side);
    box.moveCenter(QRectF(option->rect).center());

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    const bool block = metric(Metric::IndicatorShape) == static_cast<int>(IndicatorShape::Block);
    if (block) {
        // A small toy brick: dark outline, lit top-left, shaded bottom-right.
        const double radius = side / 5.0;
        painter->setPen(Qt::NoPen);
        painter->setBrush(frame);
        painter->drawRoundedRect(box, radius, radius);
        const QRectF face = box.adjusted(1.5, 1.5, -1.5, -1.5);
        painter->setBrush(fill.darker(135));
        painter->drawRoundedRect(face, radius - 1, radius - 1);
        painter->setBrush(fill.lighter(135));
        painter->drawRoundedRect(face.adjusted(0, 0, -2, -2), radius - 1, radius - 1);
        painter->setBrush(fill);
        painter->drawRoundedRect(face.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.5, radius - 1.5);
    } else {
        // A seal: a square with a double frame.
        painter->setPen(QPen(frame, 1.0));
        painter->setBrush(fill);
        painter->drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        QColor inner = frame;
        inner.setAlpha(150);
        painter->setPen(QPen(inner, 1.0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(box.adjusted(2.5, 2.5, -2.5, -2.5));
    }

    if (on || partly) {
        QPen pen(mark, std::max(2.0, side / 6.5), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        const auto at = [&box](double x, double y) {
            return QPointF(box.left() + box.width() * x, box.top() + box.height() * y);
        };
        if (partly) {
            painter->drawLine(at(0.3, 0.5), at(0.7, 0.5));
        } else {
            QPainterPath tick;
            tick.moveTo(at(0.27, 0.52));
            tick.lineTo(at(0.44, 0.69));
            tick.lineTo(at(0.74, 0.31));
            painter->drawPath(tick);
        }
    }
    painter->restore();
}

} // namespace skivra
