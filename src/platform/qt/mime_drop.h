#pragma once
// A drop's data as the core takes it: its plain text and its local files.
#include <QMimeData>

#include "main/drop_data.h"

namespace velto {

// True when the data holds anything the search bar takes: text, or local files.
bool CarriesDropData(const QMimeData& mime);
DropData DropDataFromMime(const QMimeData& mime);

}  // namespace velto
