#pragma once
// Reads a drop's data object into the core's description of a drop: its text (Unicode text
// where the source offers it, else the plain ANSI text) and its file list.
#include <windows.h>
// after windows.h
#include <objidl.h>

#include "main/drop_data.h"

namespace velto::win32 {

DropData ReadDropData(IDataObject* data);
// True when the data object offers text or a file list, the only drops the bar takes.
bool OffersDropData(IDataObject* data);

}  // namespace velto::win32
