#pragma once
// The DPI the program lays out with. The manifest declares the program system-DPI aware, so
// every monitor reports the system DPI to it.
namespace velto::win32 {

int SystemDpi();

}  // namespace velto::win32
