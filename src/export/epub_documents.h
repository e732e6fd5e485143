// The EPUB's own files around the pages: the pointer to the package, the package document
// (metadata, manifest, reading order), the navigation document, the glossary and the style
// sheet. Texts in and out are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shelf {

struct RBookMetadata {
  std::string Title;
  std::string Language = "ru";
  std::string Identifier;  // "urn:uuid:..."
  std::string Modified;    // "2026-01-31T12:00:00Z"
};

struct RManifestItem {
  std::string Href;        // relative to the package document
  std::string MediaType;   // "application/xhtml+xml", "image/png"...
  bool Spine = false;      // a page in the reading order
  std::string Properties;  // "nav", "svg"... or empty
};

struct RNavPoint {
  std::string Caption;
  std::string Href;  // empty for a heading without a page of its own
  int Parent = -1;   // index of the point it nests in
};

struct RGlossaryEntry {
  std::string Term;
  std::string Href;
  std::string PageTitle;  // the title of the page that explains the term
};

// Where the EPUB's package document lies: "EPUB/package.opf".
inline constexpr const char* kPackageFolder = "EPUB/";

std::string ContainerDocument();
std::string PackageDocument(const RBookMetadata& book, const std::vector<RManifestItem>& items);
// The contents as nested lists; points without a page or nested points are left out.
std::string NavigationDocument(const RBookMetadata& book, const std::vector<RNavPoint>& points);
std::string GlossaryDocument(const RBookMetadata& book, const std::string& heading,
                             const std::vector<RGlossaryEntry>& entries);
std::string StyleSheet();

// A name-based UUID (version 5 layout over SHA-1) of `seed`, as "urn:uuid:...": the same book
// always gets the same identifier.
std::string BookIdentifier(std::string_view seed);

}  // namespace shelf
