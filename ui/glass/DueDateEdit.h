#pragma once

#include <QDateTimeEdit>

// A date and time field that Tab leaves in one press. QDateTimeEdit spends Tab on walking its
// sections (five for "yyyy/M/d HH:mm"); the arrow keys and the mouse still reach every section.
class DueDateEdit : public QDateTimeEdit {
    Q_OBJECT

public:
    using QDateTimeEdit::QDateTimeEdit;

protected:
    bool focusNextPrevChild(bool next) override;
};
