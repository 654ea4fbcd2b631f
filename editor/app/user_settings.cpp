#include "app/user_settings.h"

#include <QSettings>

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString entryName(int number) { return QStringLiteral("File%1").arg(number); }

}  // namespace

SettingsLocation UserSettingsLocation(const QString &registryKey) {
    QString organization = registryKey;
    organization.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return {organization, QLatin1String(kProfileName)};
}

void RecentFileList::Load() {
    QSettings settings;
    settings.beginGroup(kSection);
    m_files.clear();
    for (int number = 1; number <= kMaxEntries; ++number) {
        const QString path = settings.value(entryName(number)).toString();
        if (!path.isEmpty() && !m_files.contains(path)) m_files.append(path);
    }
}

void RecentFileList::Add(const QString &path) {
    if (path.isEmpty()) return;
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > kMaxEntries) m_files.removeLast();
    Save();
}

void RecentFileList::Save() const {
    QSettings settings;
    settings.beginGroup(kSection);
    for (int number = 1; number <= kMaxEntries; ++number) {
        if (number <= m_files.size())
            settings.setValue(entryName(number), m_files[number - 1]);
        else
            settings.remove(entryName(number));
    }
}
