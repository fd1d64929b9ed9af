#pragma once
// A read-only key/value store standing in for the system registry.
//
// Keys and string values are read from an INI file written by hand: the key
// "SOFTWARE\Microsoft\Multimedia\WMPlayer\" is the section
// [SOFTWARE\Microsoft\Multimedia\WMPlayer] (with or without the trailing
// backslash, "/" taken as "\", any case) and its values are that section's
// "name=value" lines. The store never writes: an operator edits the file.
//
// A value is the rest of its line after the first "=", blanks around it and
// one pair of surrounding double quotes removed; nothing else in it is
// special (backslashes, commas and a lone quote are kept as written). Lines
// starting with ";" or "#" are comments. Where a value is written twice, the
// last line counts.
//
// A value holding a control character (NUL, tab, escape) is left out, as if
// it were not written.
//
// A key is present when its section holds at least one value (an INI file
// cannot tell an empty section from a missing one). A missing or unreadable
// file, one that is not a regular file (a pipe is never opened) and one
// larger than kMaxRegistryFileBytes have no keys, as a key that cannot be
// opened.

#include <QString>

#include <optional>

/// The largest Registry.ini read; a larger file has no keys.
inline constexpr qsizetype kMaxRegistryFileBytes = qsizetype{1} << 20;

class RegistryStore {
public:
    /// The INI file the keys are read from; it is read at each call.
    explicit RegistryStore(QString iniPath);

    const QString& FilePath() const { return iniPath_; }

    /// Any thread. True when the key's section holds at least one value.
    bool KeyExists(const QString& key) const;

    /// Any thread. The value's text; nullopt when the key or the value is absent.
    std::optional<QString> ReadString(const QString& key, const QString& value) const;

private:
    QString iniPath_;
};
