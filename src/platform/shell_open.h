// Hands a document, a web or mail address, or a program of the book to the desktop, as the
// Windows shell's "open" does.
#pragma once

#include <filesystem>
#include <string>

namespace shelf {

// `target`: a host file (opened with its associated program, or started when it is an
// executable, with `parameters` split at spaces) or a URL ("http:", "mailto:" ...).
// False with `error` set when the desktop refuses.
bool ShellOpen(const std::string& target, const std::string& parameters, std::string& error);

}  // namespace shelf
