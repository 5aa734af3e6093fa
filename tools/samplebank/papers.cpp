#include "papers.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "block_file.h"

namespace samplebank {
namespace {

constexpr int kTotalPoints = 100;
// Paper lengths in turn, so that the bank holds both the shortest and the longest.
constexpr std::array<int, 11> kPaperSizes = {10, 20, 15, 12, 18, 11, 16, 13, 19, 14, 17};

class Shuffler {
public:
    explicit Shuffler(const QString& seedText) {
        for (const QChar c : seedText) state_ = (state_ ^ c.unicode()) * 1099511628211ull;
    }

    template <typename T>
    void Shuffle(std::vector<T>& items) {
        for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[Next() % i]);
    }

private:
    uint64_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return state_ >> 33;
    }

    uint64_t state_ = 14695981039346656037ull;
};

// Points split as evenly as whole numbers allow; the odd points go to multiple choice first.
void GivePoints(std::vector<PaperRow>& rows) {
    const int n = static_cast<int>(rows.size());
    std::vector<PaperRow*> order;
    for (auto& row : rows) order.push_back(&row);
    std::stable_partition(order.begin(), order.end(),
                          [](const PaperRow* r) { return r->question->tx == kMultipleChoice; });
    for (int i = 0; i < n; ++i) order[i]->fz = kTotalPoints / n + (i < kTotalPoints % n ? 1 : 0);
}

}  // namespace

QString PaperCode(const QString& kind, int number) {
    const QString kindPiece = kind.size() == 1 ? kind + QLatin1Char('0') : kind;
    return kindPiece + QStringLiteral("001") + QString::number(number + 1000).mid(1);
}

std::vector<Paper> ComposePapers(const std::vector<Kind>& kinds,
                                 const std::vector<Question>& pool) {
    std::vector<Paper> papers;
    size_t sizeTurn = 0;
    for (const Kind& kind : kinds) {
        if (kind.papers <= 0) continue;
        std::vector<const Question*> share;
        for (const Question& q : pool)
            if (kind.subjects.contains(q.km)) share.push_back(&q);
        Shuffler(kind.sjbh).Shuffle(share);

        size_t cursor = 0;
        for (int number = 1; number <= kind.papers; ++number) {
            const int n = kPaperSizes[sizeTurn++ % kPaperSizes.size()];
            if (static_cast<size_t>(n) > share.size())
                throw SourceError(QStringLiteral("kind %1 has only %2 questions for a paper of %3")
                                      .arg(kind.sjbh)
                                      .arg(share.size())
                                      .arg(n)
                                      .toStdString());
            Paper paper;
            paper.code = PaperCode(kind.sjbh, number);
            for (int th = 1; th <= n; ++th) {
                PaperRow row;
                row.question = share[cursor++ % share.size()];
                row.th = th;
                row.bk = (n - th + 1) * 10;
                paper.rows.push_back(row);
            }
            GivePoints(paper.rows);
            // Stored in pool order, so only the order key puts the paper in shape.
            std::sort(paper.rows.begin(), paper.rows.end(),
                      [](const PaperRow& a, const PaperRow& b) {
                          return a.question->number < b.question->number;
                      });
            papers.push_back(std::move(paper));
        }
    }
    return papers;
}

}  // namespace samplebank
