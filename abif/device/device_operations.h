// The four device operations as the exports run them: each prepares a job,
// runs its worker behind the progress display and returns the worker's code.
#pragma once

#include "core/abif_data.h"

#include <QString>

#include <cstdint>
#include <string>

namespace abif {

inline constexpr char16_t kDefaultModelName[] = u"QV Quillabrex K7710/K7910";
// Room of a model name buffer, and of a password buffer, terminators included.
inline constexpr int kModelNameUnits = 260;
inline constexpr int kPasswordUnits = 13;
inline constexpr char16_t kProbePassword[] = u"zqzq";

// The caller's model name; an empty buffer is filled with the default first.
QString takeModelName(char16_t *buffer);
// The caller's password (null: none), cut to what a password buffer holds.
std::u16string takePassword(const char16_t *buffer);

int32_t getStatus(const QString &modelName, int32_t flags);
// `password` is the caller's buffer, read and, after an accepted prompt, written.
int32_t certificationPassword(const QString &modelName, int32_t flags, char16_t *password);
int32_t readData(const QString &modelName, CAbifData &data, int32_t flags, const std::u16string &password);
int32_t updateData(const QString &modelName, const CAbifData &base, const CAbifData &changed, CAbifData &result,
                   int32_t flags, const std::u16string &password);

}  // namespace abif
