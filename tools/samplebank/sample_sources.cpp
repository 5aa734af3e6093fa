#include "sample_sources.h"

#include <QRegularExpression>
#include <algorithm>
#include <set>

#include "block_file.h"

namespace samplebank {
namespace {

constexpr int kMaxOptions = 6;

std::optional<int> NumberOrNull(const Block& block, const QString& key) {
    const QString text = block.One(key);
    if (text == QStringLiteral("NULL")) return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok) block.Fail(QStringLiteral("\"%1\" must be a number or NULL").arg(key));
    return value;
}

QString AnswerMask(const Block& block, qsizetype optionCount) {
    QString mask(kMaxOptions, QLatin1Char('0'));
    for (const QString& part : block.One(QStringLiteral("answer")).split(QLatin1Char(','))) {
        bool ok = false;
        const int option = part.trimmed().toInt(&ok);
        if (!ok || option < 1 || option > optionCount)
            block.Fail(QStringLiteral("answer \"%1\" names no option").arg(part.trimmed()));
        if (mask[option - 1] == QLatin1Char('1'))
            block.Fail(QStringLiteral("answer %1 given twice").arg(option));
        mask[option - 1] = QLatin1Char('1');
    }
    return mask;
}

}  // namespace

std::vector<Kind> LoadKinds(const QString& path) {
    std::vector<Kind> kinds;
    std::set<QString> seen;
    for (const Block& block : ReadBlocks(path)) {
        Kind kind;
        kind.sjbh = block.One(QStringLiteral("sjbh"));
        kind.sjmc = block.One(QStringLiteral("sjmc"));
        kind.lb = block.One(QStringLiteral("lb"));
        kind.kssj = NumberOrNull(block, QStringLiteral("kssj"));
        kind.jgfs = NumberOrNull(block, QStringLiteral("jgfs"));
        kind.papers = block.One(QStringLiteral("papers")).toInt();
        for (const QString& s : block.One(QStringLiteral("subjects")).split(QLatin1Char(',')))
            if (!s.trimmed().isEmpty()) kind.subjects << s.trimmed();
        if (kind.sjbh.isEmpty() || kind.lb.isEmpty())
            block.Fail(QStringLiteral("empty sjbh or lb"));
        if (kind.papers > 0 && kind.subjects.isEmpty())
            block.Fail(QStringLiteral("a kind with papers needs subjects"));
        if (!seen.insert(kind.sjbh).second) block.Fail(QStringLiteral("kind listed twice"));
        kinds.push_back(kind);
    }
    return kinds;
}

std::vector<Picture> LoadPictures(const QString& path) {
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    std::vector<Picture> pictures;
    std::set<QString> seen;
    for (const Block& block : ReadBlocks(path)) {
        Picture picture;
        picture.name = block.One(QStringLiteral("name"));
        const QStringList shape = block.One(QStringLiteral("shape")).split(QLatin1Char(' '));
        picture.shape = shape.value(0);
        picture.detail = shape.value(1);
        const auto size = sizePattern.match(block.One(QStringLiteral("size")));
        if (!size.hasMatch()) block.Fail(QStringLiteral("size must read WIDTHxHEIGHT"));
        picture.size = QSize(size.captured(1).toInt(), size.captured(2).toInt());
        if (picture.name.size() != 5)
            block.Fail(QStringLiteral("a picture name has five characters"));
        if (!seen.insert(picture.name).second) block.Fail(QStringLiteral("picture listed twice"));
        pictures.push_back(picture);
    }
    return pictures;
}

std::vector<Question> LoadQuestions(const QString& path, const std::vector<Picture>& pictures) {
    std::vector<Question> questions;
    std::set<QString> identities;
    for (const Block& block : ReadBlocks(path)) {
        Question q;
        q.number = static_cast<int>(questions.size()) + 1;
        q.tx = block.One(QStringLiteral("type"));
        q.km = block.One(QStringLiteral("subject"));
        q.tm = block.One(QStringLiteral("text"));
        q.options = block.All(QStringLiteral("option"));
        if (q.tx != kSingleChoice && q.tx != kMultipleChoice)
            block.Fail(QStringLiteral("type must be %1 or %2").arg(kSingleChoice, kMultipleChoice));
        if (q.options.size() < 2 || q.options.size() > kMaxOptions)
            block.Fail(QStringLiteral("a question has 2 to 6 options"));
        q.da = AnswerMask(block, q.options.size());
        const auto chosen = q.da.count(QLatin1Char('1'));
        if (q.tx == kSingleChoice && chosen != 1)
            block.Fail(QStringLiteral("a single-choice question has one right option"));
        if (q.tx == kMultipleChoice && chosen < 2)
            block.Fail(QStringLiteral("a multiple-choice question has two or more right options"));
        if (block.Has(QStringLiteral("picture"))) {
            q.pcxname = block.One(QStringLiteral("picture"));
            const QString file = q.pcxname.left(5);
            if (std::none_of(pictures.begin(), pictures.end(),
                             [&](const Picture& p) { return p.name == file; }))
                block.Fail(QStringLiteral("picture %1 is not drawn").arg(file));
        }
        // Sign questions may share their wording; a question is its text, options and picture.
        const QString identity = q.tm + q.options.join(QLatin1Char('\n')) + q.pcxname.left(5);
        if (!identities.insert(identity).second) block.Fail(QStringLiteral("question given twice"));
        questions.push_back(q);
    }
    return questions;
}

}  // namespace samplebank
