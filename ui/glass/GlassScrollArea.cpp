#include "ui/glass/GlassScrollArea.h"

#include <QScrollArea>

namespace GlassScrollArea {

void configure(QScrollArea &area)
{
    area.setWidgetResizable(true);
    area.setFrameShape(QFrame::NoFrame);
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.viewport()->setAutoFillBackground(false);
}

} // namespace GlassScrollArea
