#include "block_file.h"

#include <QFile>
#include <QFileInfo>

namespace samplebank {

QString Block::One(const QString& key) const {
    const QStringList values = All(key);
    if (values.size() != 1) Fail(QStringLiteral("needs exactly one \"%1:\" line").arg(key));
    return values.front();
}

QStringList Block::All(const QString& key) const {
    QStringList values;
    for (const auto& [k, v] : fields)
        if (k == key) values << v;
    return values;
}

void Block::Fail(const QString& why) const {
    throw SourceError(QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(why).toStdString());
}

std::vector<Block> ReadBlocks(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SourceError(
            QStringLiteral("cannot read %1: %2").arg(path, file.errorString()).toStdString());
    const QString name = QFileInfo(path).fileName();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

    std::vector<Block> blocks;
    Block current;
    const auto finish = [&] {
        if (!current.fields.empty()) blocks.push_back(current);
        current = Block{};
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('#'))) continue;
        if (line.isEmpty()) {
            finish();
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            throw SourceError(QStringLiteral("%1:%2: expected \"key: value\"")
                                  .arg(name)
                                  .arg(i + 1)
                                  .toStdString());
        if (current.fields.empty()) {
            current.file = name;
            current.line = i + 1;
        }
        current.fields.emplace_back(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
    }
    finish();
    return blocks;
}

}  // namespace samplebank
