// How large a book file of each kind may be before it is refused unread: every book file is read
// whole into memory, so a hostile book must not make that cost gigabytes.
#pragma once

#include <cstdint>
#include <string_view>

namespace shelf {

// Description files and the contents tree (".txt"): a real book's run to tens of kilobytes.
constexpr std::uint64_t kMaxDescriptionFile = 4ull << 20;
// Word and thesaurus indexes (".idx"): a large manual's stay well under a few megabytes.
constexpr std::uint64_t kMaxIndexFile = 16ull << 20;
// Pages and their style sheets.
constexpr std::uint64_t kMaxPageFile = 16ull << 20;
// Pictures of pages, slides and buttons.
constexpr std::uint64_t kMaxPictureFile = 64ull << 20;
// Anything else a book reads whole (sounds, fonts, attached files): more than a disc holds.
constexpr std::uint64_t kMaxOtherFile = 1ull << 30;

// The ceiling for a book file, chosen by the extension of its name (DOS or host form).
std::uint64_t SizeCeilingFor(std::string_view fileName);

}  // namespace shelf
