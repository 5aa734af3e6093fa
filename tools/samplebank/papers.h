// Puts the papers of each kind together from the question pool, the same way every run.
#pragma once

#include <QString>
#include <vector>

#include "sample_sources.h"

namespace samplebank {

struct PaperRow {
    const Question* question = nullptr;
    int th = 0;  // number shown to the candidate, from 1
    int bk = 0;  // the terminal shows a paper in descending bk order
    int fz = 0;
};

struct Paper {
    QString code;  // sj.sjmc
    std::vector<PaperRow> rows;
};

// Kind "1" paper 3 gives "10001003"; kind "91" paper 12 gives "91001012".
QString PaperCode(const QString& kind, int number);

// Every paper totals 100 points and holds 10 to 20 distinct questions; each kind's papers
// go round its shuffled share of the pool, so together they use all of it.
std::vector<Paper> ComposePapers(const std::vector<Kind>& kinds, const std::vector<Question>& pool);

}  // namespace samplebank
