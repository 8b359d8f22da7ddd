#include "ui/glass/GlassCard.h"

#include <QVBoxLayout>

GlassCard::GlassCard(QWidget *content, qreal cornerRadius, std::optional<QColor> tint,
                     QWidget *parent)
    : GlassPanel(cornerRadius, std::move(tint), false, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->addWidget(content);
}
