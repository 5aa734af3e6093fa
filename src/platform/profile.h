#pragma once
// Settings ("profile") files: [Section] headers and key=value lines, read and
// written the way the terminal's original platform did.

#include <QString>

namespace platform {

// Reads section/key from the file at path. Section and key names match without
// regard to case; blanks around the value are stripped; a missing file, section or
// key gives defaultValue. The value is cut to bufferSize - 1 characters.
QString ReadProfileString(const QString& section, const QString& key,
                          const QString& defaultValue, int bufferSize, const QString& path);

// Writes key=value into section, creating the section or key (and the file) when
// missing; every other line, comment and the order of the file stay as they were.
// Returns false when the file cannot be written; callers may ignore it.
bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& path);

}  // namespace platform
