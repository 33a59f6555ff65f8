// The machine's host name.
#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/Win32Text.h"

std::string platform::hostName() {
  wchar_t name[256];  // a DNS name is at most 253 characters
  DWORD size = sizeof name / sizeof name[0];
  return GetComputerNameExW(ComputerNameDnsHostname, name, &size) ? utf8FromWide(name) : "";
}
