#pragma once
// The About window: credits, a notice and three web links.

#include "shared/TwipScale.h"

#include <QDialog>

class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(const TwipScale& scale);

    // Loads the window afresh and shows it modally; returns when it is closed.
    void showModal();

private:
    TwipScale scale_;
};
