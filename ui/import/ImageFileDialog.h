#pragma once

#include <QFileDialog>

// Picks the pictures to recognise. Always Qt's own dialog, so it speaks Chinese with the rest of
// the window and matches extensions in either letter case: each is listed once.
class ImageFileDialog : public QFileDialog {
    Q_OBJECT

public:
    explicit ImageFileDialog(QWidget *parent = nullptr);
};
