// Where the editor's per-user settings live, and the recent-file list kept
// there.
#pragma once

#include <QString>
#include <QStringList>

// The profile name, last part of the settings location.
inline constexpr char kProfileName[] = "Linquara";

struct SettingsLocation {
    QString organization;
    QString application;
};

// The organisation is `registryKey` ("Velmorante\Quillabrex K7710_K7910") as a
// path, the application is the profile name: the default settings then share
// the file of every other reader of "Velmorante", "Quillabrex
// K7710_K7910/Linquara", and the application name stays a plain word that
// Qt may use in file names.
SettingsLocation UserSettingsLocation(const QString &registryKey);

// The last documents opened, newest first, at most ten, in the section
// "Recent File List" as "File1" to "File10".
class RecentFileList {
public:
    static constexpr int kMaxEntries = 10;

    // Reads the list from the application's default settings.
    void Load();
    // Puts `path` first (once), drops the oldest beyond the limit, and
    // writes the list back.
    void Add(const QString &path);

    [[nodiscard]] const QStringList &Files() const { return m_files; }

private:
    void Save() const;

    QStringList m_files;
};
