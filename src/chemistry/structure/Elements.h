// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the reader and its messages know of each element: the symbol, the
// bonds an atom of it usually makes, and how a teacher names it in Greek.

#include "chemistry/structure/Structure.h"

#include <optional>
#include <string>
#include <string_view>

namespace chemistry {

std::optional<Element> elementOf(std::string_view symbol);

// The usual number of bonds (phosphorus: its smaller one, 3).
int valenceOf(Element);

// Whether `bonds` is a number of bonds an atom of `e` can have.
bool isUsualBondCount(Element e, int bonds);

// "άνθρακας", "οξυγόνο"...
std::string_view greekNameOf(Element);

// Whether the Greek name is masculine (ο άνθρακας, ο φωσφόρος) rather than
// neuter (το οξυγόνο): the article and ordinal follow it.
bool isMasculine(Element);

} // namespace chemistry
