#pragma once

#include "ui/glass/GlassPanel.h"

// `GlassCard`: arbitrary content padded 14 on every side on a glass panel (not interactive).
class GlassCard : public GlassPanel {
    Q_OBJECT

public:
    explicit GlassCard(QWidget *content, qreal cornerRadius = 16,
                       std::optional<QColor> tint = std::nullopt, QWidget *parent = nullptr);
};
