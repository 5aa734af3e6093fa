// The readable source files of the sample bank: UTF-8 text, "#" starts a comment line,
// blank lines separate blocks, and every other line is "key: value".
#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <utility>
#include <vector>

namespace samplebank {

class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Block {
    QString file;
    int line = 0;  // line of the block's first field
    std::vector<std::pair<QString, QString>> fields;

    // The one value of a key that must stand exactly once in the block.
    QString One(const QString& key) const;
    QStringList All(const QString& key) const;
    bool Has(const QString& key) const { return !All(key).isEmpty(); }
    [[noreturn]] void Fail(const QString& why) const;
};

std::vector<Block> ReadBlocks(const QString& path);

}  // namespace samplebank
