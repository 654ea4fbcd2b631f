// The program's texts by number: from the loaded language module when it has
// the number, else the built-in English text.
#pragma once

#include "text/text_ids.h"
#include "text/text_tables.h"

#include <QString>
#include <QStringList>

#include <span>

namespace lqa {

// Text `id`; empty when neither the module nor the built-in table has it.
QString loadText(int id);

// Text `id` with its "%d" and "%s" fields filled from `fields` in order;
// "%%" becomes "%". Numbered fields ("%1") are left for QString::arg.
QString formatText(int id, const QStringList &fields);

// Makes `texts` (ascending by id, alive for the rest of the process) the
// first source of loadText; an empty span goes back to the built-in texts.
// Called at start-up, before other threads run.
void setModuleTexts(std::span<const StringEntry> texts);

}  // namespace lqa
