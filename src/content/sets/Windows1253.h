// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1253, the code page Greek Excel saves a plain CSV in, as one table
// kept here so that every platform decodes it alike and a byte the code page
// leaves undefined is reported, never guessed.

namespace content {

// The character `byte` stands for in Windows-1253; 0 for the bytes the code
// page leaves undefined (0x81, 0x88, 0x8A, 0x8C to 0x90, 0x98, 0x9A, 0x9C to
// 0x9F, 0xAA, 0xD2, 0xFF).
char32_t windows1253(unsigned char byte);

} // namespace content
