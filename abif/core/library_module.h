// What the library keeps as a loaded module: its own file, the UI language of
// each thread and the help file it was given.
#pragma once

#include <QString>
#include <QUrl>

#include <cstdint>

namespace abif {

// Path of the binary that holds the library's code (libabiflink.so, or the
// program that links the core statically).
QString modulePath();
// An identifier of the loaded module for log lines: its load address.
uintptr_t moduleHandle();
// `modulePath()` with its extension replaced, e.g. ".INI" or ".Log".
QString moduleSibling(const QString &extension);

// Windows language identifiers; 0 until Abif_Initialize runs on the thread.
int32_t threadLanguage();
void setThreadLanguage(int32_t languageId);
bool isRightToLeftLanguage(int32_t languageId);

// "DMY" is the placeholder for no help file.
inline constexpr const char *kNoHelpFile = "DMY";
QString helpFilePath();
// False while the path is the placeholder (or empty).
bool hasHelpFile();
void setHelpFilePath(const QString &path);
bool usesHtmlHelp();

// Where the help topic `context` lives, or an empty URL when there is no
// help. A folder of pages, or HTML help "X.chm" standing for the folder "X",
// gives the page "<context>.html" (the folder's "index.html" when that page
// is missing); any other help file is opened itself, with the context as the
// fragment.
QUrl helpTopicUrl(uint32_t context);
// A dialog's context-help request.
void requestHelp(uint32_t context);

}  // namespace abif
