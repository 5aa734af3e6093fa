// Writes the question bank file: the three tables, the paper kinds and the papers.
#pragma once

#include <QString>
#include <vector>

#include "papers.h"
#include "sample_sources.h"

namespace samplebank {

// Replaces any file at path. Throws SourceError with the engine's message on failure.
void WriteBank(const QString& path, const std::vector<Kind>& kinds,
               const std::vector<Paper>& papers);

}  // namespace samplebank
