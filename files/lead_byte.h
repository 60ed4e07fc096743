// Paths are in the system's ANSI code page, where some bytes start a two-byte character
// whose second byte may look like a backslash.
#pragma once

bool IsLeadByte(unsigned char c);
