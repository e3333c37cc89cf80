#pragma once
// The explanation window: how the name of one compound is built.

#include "shared/TwipScale.h"

#include <QDialog>

class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(const TwipScale& scale);

    // Loads the row of the card right-clicked last and shows it modally;
    // returns when the window has been closed.
    void showModal();

private:
    TwipScale scale_;
};
