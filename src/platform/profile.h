#pragma once
// Settings ("profile") files: [Section] headers and key=value lines, read and
// written the way the terminal's original platform did.

#include <QString>

namespace platform {

class FileWrites;

// Reads section/key from the file at path. Section and key names match without
// regard to case; blanks around the value are stripped; a missing file, section or
// key gives defaultValue. The value is cut to bufferSize - 1 characters.
QString ReadProfileString(const QString& section, const QString& key,
                          const QString& defaultValue, int bufferSize, const QString& path);

// Writes key=value into section, creating the section or key (and the file) when
// missing; every other line, comment and the order of the file stay as they were.
// The file is only ever replaced by a completely written copy: when a write, the
// flush or the replacement fails, it stays byte for byte as it was. Returns false
// when the file cannot be written, with the reason in *reason when one is given;
// callers may ignore it. The writes go through files (null: the real calls).
bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& path, QString* reason = nullptr,
                        FileWrites* files = nullptr);

}  // namespace platform
