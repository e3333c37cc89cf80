// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's practice: --practice CLASSES [--count N] [--seed S]
// read into the sets to draw, or what is wrong with them, in Greek.

#include "content/PracticeSets.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <memory>
#include <string_view>

struct PracticeOptions {
    QCommandLineOption practice;
    QCommandLineOption count;
    QCommandLineOption seed;
    QCommandLineOption answers;

    PracticeOptions();
    void addTo(QCommandLineParser&) const;
};

struct PracticeAsked {
    std::shared_ptr<content::PracticeSets> sets; // none when no practice is asked for
    QString problem;                             // in Greek; empty when all is well
};

PracticeAsked practiceAsked(const QCommandLineParser&, const PracticeOptions&);

// Whether a long option keeps the window: the practice's, which choose what
// it shows. Every other long option answers in the terminal.
bool keepsWindow(std::string_view argument);
