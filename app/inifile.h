#pragma once

#include <QString>

namespace app {

// Reads and writes a Windows-style profile file such as Config.ini: "[Section]" lines and
// "key=value" lines, names matched without regard to case, UTF-8 text.
//
// Nothing is cached. Every read reads the file; every write rewrites it at once, leaving every
// other line (comments, blank lines, unknown keys) exactly as it was.
class IniFile
{
public:
    explicit IniFile(QString path);

    QString path() const { return m_path; }
    bool exists() const;

    // The value after the '=' without surrounding blanks, or the default when the file, the
    // section or the key is missing.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    // The default also when the value is no whole number.
    int readInteger(const QString& section, const QString& key, int defaultValue = 0) const;

    // False when the file cannot be read or written, or when a name or the value cannot be held
    // by a profile line (empty name, line break, ']' in a section name, '=' in a key).
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);

private:
    QString m_path;
};

} // namespace app
