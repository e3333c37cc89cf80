// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader finds in the explanation window: the window, titled with
// the compound's name, holding four texts, one per section (heading, name
// fragment and reason together, in the order shown), and the "OK" button.
//
// The twelve labels themselves are left out. A screen reader that reads a
// dialog's loose labels on its own skips short ones, such as the headings and
// every fragment, and would then hear each reason cut off from what it
// explains; a section read as one text keeps all three together, once.

class Form2;

// Registers the factory that gives Form2 its interface; once per program, later
// calls do nothing.
void installExplanationAccessibility();

// Tells a screen reader that the section texts of `form` have changed, after
// the window has been loaded with another row.
void announceSectionTexts(Form2& form);
