// The kinds, questions and pictures of the sample bank, read from their source files and
// checked, so that a slip in the text stops the build instead of shipping a broken bank.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace samplebank {

inline const QString kSingleChoice = QStringLiteral("单选题");
inline const QString kMultipleChoice = QStringLiteral("多选题");

struct Kind {
    QString sjbh;
    QString sjmc;
    QString lb;
    std::optional<int> kssj;
    std::optional<int> jgfs;
    QStringList subjects;  // the questions its papers draw from
    int papers = 0;
};

struct Question {
    int number = 0;  // position in the pool file, from 1
    QString tx;
    QString km;
    QString tm;
    QStringList options;  // 2 to 6
    QString da;           // six characters "0"/"1"
    QString pcxname;      // empty: no picture
};

struct Picture {
    QString name;   // five characters, the file name without ".gif"
    QString shape;  // drawing family
    QString detail;
    QSize size;
};

std::vector<Kind> LoadKinds(const QString& path);
std::vector<Picture> LoadPictures(const QString& path);
std::vector<Question> LoadQuestions(const QString& path, const std::vector<Picture>& pictures);

}  // namespace samplebank
