#include "ui/glass/DueDateEdit.h"

bool DueDateEdit::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}
