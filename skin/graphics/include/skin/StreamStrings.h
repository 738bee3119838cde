// Strings in the skinning library's streams: a 32-bit little-endian byte count followed by the bytes.
#pragma once

#include <toolkit/Stream.h>

#include <string>

// Raises EReadError when the stream ends early or the count is negative or larger than what is left of the
// stream, before anything is allocated for it.
std::string ReadString(TStream& stream);
void WriteString(TStream& stream, const std::string& text);
