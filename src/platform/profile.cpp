#include "platform/profile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <vector>

#include "platform/system.h"

namespace platform {
namespace {

// The file is handled as bytes so that every line this code does not rewrite goes
// back to disk exactly as it was read, whatever its encoding or line endings.

enum class LineKind { Other, Section, Key };

struct Line {
    qsizetype begin = 0;  // first byte of the line
    qsizetype end = 0;    // end of its text, before CR LF / LF
    qsizetype next = 0;   // first byte of the following line
    LineKind kind = LineKind::Other;
    QString name;          // section or key name, blanks stripped
    qsizetype equals = 0;  // position of '=' on a key line
    bool blank = true;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

QByteArray Stripped(const QByteArray& bytes) {
    qsizetype from = 0;
    qsizetype to = bytes.size();
    while (from < to && IsBlank(bytes[from])) ++from;
    while (to > from && IsBlank(bytes[to - 1])) --to;
    return bytes.mid(from, to - from);
}

QString Name(const QByteArray& bytes) { return QString::fromUtf8(Stripped(bytes)); }

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

Line ParseLine(const QByteArray& data, qsizetype begin) {
    Line line;
    line.begin = begin;
    const qsizetype newline = data.indexOf('\n', begin);
    line.end = newline < 0 ? data.size() : newline;
    line.next = newline < 0 ? data.size() : newline + 1;
    if (newline >= 0 && line.end > begin && data[line.end - 1] == '\r') --line.end;

    qsizetype from = begin;
    if (begin == 0 && data.startsWith("\xEF\xBB\xBF")) from = 3;
    while (from < line.end && IsBlank(data[from])) ++from;
    line.blank = from == line.end;
    if (line.blank || data[from] == ';') return line;

    const QByteArray text = data.mid(from, line.end - from);
    if (text.startsWith('[')) {
        const qsizetype close = text.lastIndexOf(']');
        if (close > 0) {
            line.kind = LineKind::Section;
            line.name = Name(text.mid(1, close - 1));
            return line;
        }
    }
    const qsizetype equals = text.indexOf('=');
    if (equals >= 0) {
        line.kind = LineKind::Key;
        line.name = Name(text.left(equals));
        line.equals = from + equals;
    }
    return line;
}

std::vector<Line> ParseLines(const QByteArray& data) {
    std::vector<Line> lines;
    for (qsizetype at = 0; at < data.size();) {
        lines.push_back(ParseLine(data, at));
        at = lines.back().next;
    }
    return lines;
}

// Index of the first section header with this name, or lines.size().
std::size_t FindSection(const std::vector<Line>& lines, const QString& section) {
    std::size_t i = 0;
    while (i < lines.size() &&
           !(lines[i].kind == LineKind::Section && SameName(lines[i].name, section))) {
        ++i;
    }
    return i;
}

// Index of the first key line with this name in the section, or lines.size().
std::size_t FindKey(const std::vector<Line>& lines, std::size_t header, const QString& key) {
    for (std::size_t i = header + 1; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
        if (lines[i].kind == LineKind::Key && SameName(lines[i].name, key)) return i;
    }
    return lines.size();
}

QString Unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

QString CutToBuffer(const QString& value, int bufferSize) {
    if (bufferSize <= 1) return {};
    QString cut = value.left(bufferSize - 1);
    if (!cut.isEmpty() && cut.back().isHighSurrogate()) cut.chop(1);
    return cut;
}

QByteArray LineEnding(const QByteArray& data) {
    const qsizetype newline = data.indexOf('\n');
    return newline > 0 && data[newline - 1] == '\r' ? QByteArray("\r\n") : QByteArray("\n");
}

bool HasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

// Names and values that would read back as something else once written.
bool Writable(const QString& section, const QString& key, const QString& value) {
    return !section.isEmpty() && !key.isEmpty() && !HasLineBreak(section) &&
           !HasLineBreak(key) && !HasLineBreak(value) && !section.contains(u']') &&
           !key.contains(u'=') && !key.startsWith(u';') && !key.startsWith(u'[');
}

QByteArray WithValue(const QByteArray& data, const std::vector<Line>& lines,
                     const QString& section, const QString& key, const QByteArray& value) {
    const QByteArray eol = LineEnding(data);
    const QByteArray entry = key.toUtf8() + '=' + value;
    const std::size_t header = FindSection(lines, section);
    if (header == lines.size()) {
        QByteArray out = data;
        if (!out.isEmpty() && !out.endsWith('\n')) out += eol;
        return out + '[' + section.toUtf8() + ']' + eol + entry + eol;
    }

    const std::size_t found = FindKey(lines, header, key);
    if (found != lines.size()) {
        const Line& line = lines[found];
        // Keep the line's own spelling and spacing up to where its old value began.
        qsizetype valueStart = line.equals + 1;
        while (valueStart < line.end && IsBlank(data[valueStart])) ++valueStart;
        if (valueStart == line.end) valueStart = line.equals + 1;
        return data.left(valueStart) + value + data.mid(line.end);
    }

    std::size_t last = header;
    for (std::size_t i = header + 1; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
        if (!lines[i].blank) last = i;
    }
    const Line& after = lines[last];
    if (after.next == after.end) return data + eol + entry;
    return data.left(after.next) + entry + eol + data.mid(after.next);
}

// A new, empty file beside path, open for writing; false when none can be made.
bool CreateBeside(const QString& path, QFile& file) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(path + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(),
                                                          8, 16, QLatin1Char('0')));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            return true;
        }
        if (!file.exists()) return false;
    }
    return false;
}

// Replaces the file's content by bytes; the reason of a failure, or an empty text.
// The copy is written beside the file and renamed over it only once it is wholly on
// disk, so that a full disk or a crash leaves the old file as it was.
QString ReplaceContent(const QString& path, bool existed, const QByteArray& bytes,
                       FileWrites& files) {
    QFile copy;
    if (!CreateBeside(path, copy)) {
        return QStringLiteral("creating %1: %2").arg(copy.fileName(), copy.errorString());
    }
    if (existed) copy.setPermissions(QFile::permissions(path));
    const QString name = copy.fileName();
    QString failure;
    if (const QString write = files.Write(copy, bytes); !write.isEmpty()) {
        failure = QStringLiteral("writing %1: %2").arg(name, write);
    } else if (const QString flush = files.Flush(copy); !flush.isEmpty()) {
        failure = QStringLiteral("flushing %1: %2").arg(name, flush);
    }
    copy.close();
    if (failure.isEmpty()) {
        const QString rename = files.Rename(name, path);
        if (rename.isEmpty()) return {};
        failure = QStringLiteral("renaming %1 to %2: %3").arg(name, path, rename);
    }
    QFile::remove(name);
    return failure;
}

bool Failed(QString* reason, const QString& why) {
    if (reason != nullptr) *reason = why;
    return false;
}

}  // namespace

QString ReadProfileString(const QString& section, const QString& key,
                          const QString& defaultValue, int bufferSize, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return CutToBuffer(defaultValue, bufferSize);
    const QByteArray data = file.readAll();
    const std::vector<Line> lines = ParseLines(data);

    const std::size_t header = FindSection(lines, section.trimmed());
    const std::size_t found =
        header == lines.size() ? header : FindKey(lines, header, key.trimmed());
    if (found == lines.size()) return CutToBuffer(defaultValue, bufferSize);

    const Line& line = lines[found];
    const QByteArray raw = Stripped(data.mid(line.equals + 1, line.end - line.equals - 1));
    return CutToBuffer(Unquoted(QString::fromUtf8(raw)), bufferSize);
}

bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& path, QString* reason, FileWrites* files) {
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (!Writable(sectionName, keyName, value)) {
        return Failed(reason, QStringLiteral("the entry would not read back as written"));
    }

    QByteArray data;
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile()) return Failed(reason, path + QStringLiteral(" is not a file"));
        if (!info.isWritable()) return Failed(reason, path + QStringLiteral(" is read-only"));
        QFile current(path);
        if (current.open(QIODevice::ReadOnly)) data = current.readAll();
        if (!current.isOpen() || current.error() != QFileDevice::NoError) {
            const QString why = current.errorString();
            return Failed(reason, QStringLiteral("reading %1: %2").arg(path, why));
        }
    }

    static FileWrites real;
    const QByteArray updated =
        WithValue(data, ParseLines(data), sectionName, keyName, value.toUtf8());
    const QString failure =
        ReplaceContent(path, info.exists(), updated, files != nullptr ? *files : real);
    return failure.isEmpty() || Failed(reason, failure);
}

}  // namespace platform
