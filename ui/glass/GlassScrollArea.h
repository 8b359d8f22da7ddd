#pragma once

class QScrollArea;

namespace GlassScrollArea {

// Makes a scroll area show the glass under it: no frame and no base colour of its own, the
// content as wide as the area and scrolled only up and down.
void configure(QScrollArea &area);

} // namespace GlassScrollArea
