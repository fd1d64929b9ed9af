#pragma once
// A read-only key/value store standing in for the system registry.
//
// Keys and string values are read from an INI file: the key
// "SOFTWARE\Microsoft\Multimedia\WMPlayer\" is the section
// [SOFTWARE\Microsoft\Multimedia\WMPlayer] and its values are that section's
// entries. The store never writes: an operator edits the file by hand.
//
// A key is present when its section holds at least one value (an INI file
// cannot tell an empty section from a missing one). A missing or unreadable
// file has no keys, as a key that cannot be opened.
//
// Values follow the INI rules of QSettings: a value holding a comma or a
// backslash must be quoted ("..."), and a backslash inside quotes starts an
// escape, so paths are written with "/".

#include <QString>

#include <optional>

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
