// The sample book's tezaurus.idx, made from its thesaurus pages: every entry heading
// <a name="anchor">~ term</a> becomes a line "term~page#anchor", in page and heading order.
// (The book index tool will make this file for every book; until then the sample makes its own.)
#pragma once

#include <QByteArray>
#include <filesystem>

namespace shelf::samplegen {

// `run`: the folder holding the thesaurus pages (tesaurus*.htm, Windows-1251). Empty when there
// are no entries.
QByteArray ThesaurusIndex(const std::filesystem::path& run);

}  // namespace shelf::samplegen
