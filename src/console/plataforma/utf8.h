#pragma once

// UTF-8, as far as the console needs it: where a character starts and how
// long it is, and a name cut at its length never left with half of one.

// How many bytes a UTF-8 character that starts with this byte has; 0 when
// no character starts with it.
int largoCaracterUtf8(int byte);

// Whether a byte goes on with a UTF-8 character begun before it.
constexpr bool esContinuacionUtf8(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Drops a UTF-8 character cut short at the end of a text (before its "\n",
// if it has one), so that a name cut at its length never ends in part of a
// character.
void quitaCaracterCortado(char *texto);
