// The files the sample book's pages hand out: a ZIP of blank forms to save, a PDF chart the
// desktop opens, an idling engine to listen to and a Windows setup program that cannot run here.
#pragma once

#include <QString>
#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

// Empty on failure, with `error` set.
std::vector<TBookFile> Attachments(QString& error);

}  // namespace shelf::samplegen
