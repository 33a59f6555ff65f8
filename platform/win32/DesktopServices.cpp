// The system's double-click time and the machine's host name.
#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/WideText.h"

int platform::doubleClickTime() { return static_cast<int>(GetDoubleClickTime()); }

std::string platform::hostName() {
  wchar_t name[256];  // a DNS name is at most 253 characters
  DWORD size = sizeof name / sizeof name[0];
  return GetComputerNameExW(ComputerNameDnsHostname, name, &size) ? win32::utf8FromWide(name) : "";
}
