// The descriptions the window's roles are built from, read from the book: Struct.txt for the
// book window, Tesaurus.txt for the thesaurus window, the main keywords for a plain window.
// Problems in the files go to stderr.
#pragma once

#include <string>

#include "book/interface_description.h"

namespace shelf {

struct TBookSession;

// The lines of a description file in the program folder, lower-cased; none when it is missing.
TDynamicStringArray DescriptionLines(const TBookSession& session, const std::string& name);
// Struct.txt, whole; false (with the reason on stderr) when the book has none or it is unreadable.
bool ReadBookDescription(const TBookSession& session, TInterfaceDescription& description);
// Tesaurus.txt with one screen at least, its page areas starting at `page`.
TInterfaceDescription ThesaurusDescription(const TBookSession& session, const std::string& page);
// One screen whose one page area shows `file`, with the book's main keywords.
TInterfaceDescription PlainWindowDescription(const TBookSession& session, const std::string& file);

}  // namespace shelf
