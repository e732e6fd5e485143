// Line readers, the splitter and the value readers that take the book's text files apart.
// Positions on a line are 1-based, as the description parsers count them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/book_folders.h"
#include "store/dynamic_arrays.h"

namespace shelf {

class TComprStream;

// Description files: false with an empty line once the stream is used up; otherwise true with
// the bytes up to the next CR (or the end). LF bytes are dropped, so CR LF, CR and LF CR all end
// a line, and a file ending in CR LF yields one last empty line.
bool ReadBookLine(TComprStream& stream, std::string& line);

// Index files: true when the line ended at a CR, false when it ran to the end of the stream; the
// line (LF bytes dropped) is valid either way, so a last line without a line end is still seen.
bool ReadIndexLine(TComprStream& stream, std::string& line);

// Bytes of value 32 or less removed at both ends.
std::string TrimText(std::string_view text);

// Pieces between separators, trimmed, empty ones left out; the rest after the last separator is
// kept untrimmed, and kept even when empty if it would otherwise be the second of two pieces
// ("key~" gives "key" and ""). An empty separator leaves the text whole.
MyArray SplitText(std::string_view separator, std::string_view text);

// Every occurrence of `oldText` replaced, matched without regard to letter case (Cyrillic too).
std::string ReplaceAllText(std::string_view text, std::string_view oldText,
                           std::string_view newText);

// The first run of digits and '-' at or after `position`, as a decimal integer; -1 when there is
// none or it is not a number ("1-2", "-").
std::int32_t ValueInt(std::string_view line, std::size_t position);

// From `position` up to the next ';' or the line end, trimmed.
std::string ValueWord(std::string_view line, std::size_t position);

// Three numbers separated by one character each ("255,128,0") from the first digit at or after
// `position`: red + green * 256 + blue * 65536, each modulo 256; 0 when no digit follows.
std::int32_t ValueColor(std::string_view line, std::size_t position);

// The bracketed, ';'-separated list opened by the first '[' on lines[lineIndex], possibly running
// over following lines (each line end also ends an element). Elements are trimmed and resolved
// with ResolveBookPath; `lineIndex` moves to the line holding the ']'. No '[' gives an empty list.
// Nullopt (and `lineIndex` unchanged) when the lines end before the ']'.
std::optional<TDynamicStringArray> ValueList(const TDynamicStringArray& lines,
                                             std::size_t& lineIndex, const TBookFolders& folders);

// Command strings: "word=argument" or "word=argument=second".
std::string CommandWord(std::string_view text);
std::string ValueBetweenEquals(std::string_view text, const TBookFolders& folders);
std::string ValueAfterLastEquals(std::string_view text, const TBookFolders& folders);

}  // namespace shelf
